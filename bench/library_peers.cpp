// SPDX-License-Identifier: MIT
#include "library_peers.h"

#include <cstring>

#include "BackupOptionsParser.h"

namespace bench {

std::vector<LibraryPeer> library_peers() {
  std::vector<LibraryPeer> peers;
#ifdef XELOPTS_BENCH_WITH_CLI11
  peers.push_back({"cli11", cli11_label(), false, parse_backup_with_cli11});
#endif
#ifdef XELOPTS_BENCH_WITH_CXXOPTS
  peers.push_back(
      {"cxxopts", cxxopts_label(), true, parse_backup_with_cxxopts});
#endif
#ifdef XELOPTS_BENCH_WITH_BOOST
  peers.push_back({"boost_po", boost_label(), false, parse_backup_with_boost});
#endif
  return peers;
}

namespace {

const XelOptionsParser::OptionSpec* find_option(const char* word) {
  const XelOptionsParser::Vocabulary& vocabulary =
      BackupOptionsParser::vocabulary();
  const auto* end = vocabulary.options + vocabulary.count;
  for (const auto* entry = vocabulary.options; entry != end; ++entry) {
    if (entry->name != nullptr && std::strcmp(entry->name, word) == 0) {
      return entry;
    }
  }
  for (const auto* entry = vocabulary.options; entry != end; ++entry) {
    if (entry->name == nullptr && word[0] == entry->code && word[1] == '\0') {
      return entry;
    }
  }
  return nullptr;
}

}  // namespace

std::vector<std::string> peer_words(const std::vector<std::string>& words,
                                    const LibraryPeer& peer) {
  std::vector<std::string> result(words.begin(), words.begin() + 1);
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "--") {  // the rest are no options
      result.insert(result.end(),
                    words.begin() + static_cast<std::ptrdiff_t>(i),
                    words.end());
      break;
    }
    const auto* entry = word.size() > 1 && word[0] == '-' && word[1] != '-'
                            ? find_option(word.c_str() + 1)
                            : nullptr;
    if (entry == nullptr) {
      result.push_back(word);
      continue;
    }
    const bool long_name =
        entry->name != nullptr &&
        !(peer.one_letter_names_are_short && std::strlen(entry->name) == 1);
    result.push_back(long_name ? "-" + word : word);
    // The value is a word of its own: it stays as it is.
    if (entry->kind == XelGetOpt::required_argument && i + 1 < words.size()) {
      result.push_back(words[++i]);
    }
  }
  return result;
}

}  // namespace bench
