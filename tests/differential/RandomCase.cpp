// SPDX-License-Identifier: MIT
#include "RandomCase.h"

#include <algorithm>
#include <sstream>

namespace {

// 'W' is left out: the C library gives "W;" a meaning of its own.
constexpr char kLetters[] =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVXYZ0123456789";
constexpr int kLetterCount = sizeof(kLetters) - 1;

bool is_prefix(const std::string& shorter, const std::string& longer) {
  return shorter.size() <= longer.size() &&
         longer.compare(0, shorter.size(), shorter) == 0;
}

// The option string after its ordering marker and ':' prefix.
std::string letters_part(const std::string& optstring) {
  std::size_t start = 0;
  if (start < optstring.size() &&
      (optstring[start] == '-' || optstring[start] == '+')) {
    ++start;
  }
  return optstring.substr(start);
}

}  // namespace

std::string RandomCase::describe() const {
  static const char* const kWrappers[] = {"getopt", "getopt_long",
                                          "getopt_long_only", "operator()"};
  static const char* const kPosixly[] = {"absent", "empty", "set"};
  std::ostringstream out;
  out << kWrappers[static_cast<int>(wrapper)]
      << " POSIXLY_CORRECT=" << kPosixly[static_cast<int>(posixly)]
      << " optstring=\"" << optstring << "\" longs={";
  for (const LongName& l : longs) {
    out << " " << l.name << "/" << l.has_arg << (l.flagged ? "/flag" : "")
        << "/" << l.val;
  }
  out << " } words=";
  for (const std::string& w : words) {
    out << " \"" << w << "\"";
  }
  return out.str();
}

int RandomCaseGenerator::below(int bound) {
  return static_cast<int>(engine_() % static_cast<std::uint64_t>(bound));
}

RandomCase RandomCaseGenerator::next(Wrapper wrapper, PosixlyCorrect posixly) {
  RandomCase c;
  c.wrapper = wrapper;
  c.posixly = posixly;
  std::vector<char> letters;
  c.optstring = make_optstring(letters, c.long_only());
  if (wrapper != Wrapper::kGetopt) {
    c.longs = make_longs(wrapper != Wrapper::kCallOperator);
  }
  c.words.push_back("prog");
  const int count = below(13);
  for (int i = 0; i < count; ++i) {
    std::string word = make_word(c, letters);
    if (c.long_only()) {
      for (int tries = 0; tries < 20 && !same_in_long_only_modes(word, c);
           ++tries) {
        word = make_word(c, letters);
      }
      if (!same_in_long_only_modes(word, c)) {
        word = make_stray_word();
      }
    }
    c.words.push_back(word);
  }
  return c;
}

std::string RandomCaseGenerator::make_optstring(std::vector<char>& letters,
                                                bool long_only) {
  static const char* const kMarkers[] = {"", "+", "-"};
  std::string text = kMarkers[below(3)];
  if (chance(30)) {
    text += ':';
  }
  const int count = below(7);
  letters.clear();
  while (static_cast<int>(letters.size()) < count) {
    const char letter = kLetters[below(kLetterCount)];
    if (std::find(letters.begin(), letters.end(), letter) != letters.end()) {
      continue;
    }
    letters.push_back(letter);
    text += letter;
    const int kind = below(10);
    if (kind >= 5) {
      text += ':';
    }
    // An optional argument only ever comes attached, which long-only mode
    // reads the same way on both sides.
    if (kind >= 8 || (long_only && kind >= 7)) {
      text += ':';
    }
  }
  return text;
}

std::vector<LongName> RandomCaseGenerator::make_longs(bool flags_allowed) {
  std::vector<LongName> longs;
  const int count = below(6);
  for (int attempts = 0;
       static_cast<int>(longs.size()) < count && attempts < 50; ++attempts) {
    std::string name;
    const int length = 1 + below(5);
    for (int i = 0; i < length; ++i) {
      name += static_cast<char>('a' + below(26));
    }
    const bool clashes =
        std::any_of(longs.begin(), longs.end(), [&](const LongName& other) {
          return is_prefix(name, other.name) || is_prefix(other.name, name);
        });
    if (clashes) {
      continue;
    }
    LongName entry;
    entry.name = name;
    const int kind = below(20);
    entry.has_arg = kind < 9 ? 0 : kind < 18 ? 1 : 2;
    entry.flagged = flags_allowed && chance(20);
    entry.val = (!flags_allowed || chance(50))
                    ? kLetters[below(kLetterCount)]
                    : 1000 + static_cast<int>(longs.size());
    longs.push_back(entry);
  }
  return longs;
}

std::string RandomCaseGenerator::make_stray_word() {
  static const char* const kStray[] = {"file", "a",  "x=1", "",
                                       "12",   "+x", "-",   "data.bin"};
  return kStray[below(8)];
}

std::string RandomCaseGenerator::make_word(const RandomCase& c,
                                           const std::vector<char>& letters) {
  const int kind = below(100);
  if (kind < 20) {
    return make_stray_word();
  }
  if (kind < 25) {
    return "--";
  }
  if (kind < 30) {
    return "-";
  }
  if (kind < 55 && !c.longs.empty()) {
    const LongName& l = c.longs[static_cast<std::size_t>(
        below(static_cast<int>(c.longs.size())))];
    return (chance(50) ? "--" : "-") + l.name;
  }
  if (kind < 62) {
    // Upper case first: never a prefix of a (lower-case) long name.
    std::string text = chance(20) ? "---" : "--";
    text += static_cast<char>('A' + below(26));
    text += static_cast<char>('a' + below(26));
    return text;
  }
  std::string word = "-";
  const int length = 1 + below(4);
  for (int i = 0; i < length; ++i) {
    const int pick = below(100);
    if (pick < 70 && !letters.empty()) {
      word += letters[static_cast<std::size_t>(
          below(static_cast<int>(letters.size())))];
    } else if (pick < 95) {
      word += kLetters[below(kLetterCount)];
    } else {
      word += ':';
    }
  }
  if (chance(15)) {
    word += "v1";
  }
  return word;
}

bool same_in_long_only_modes(const std::string& word, const RandomCase& c) {
  const bool table_given =
      c.wrapper == Wrapper::kGetoptLongOnly || !c.longs.empty();
  if (!table_given || word.size() < 2 || word[0] != '-' || word[1] == '-') {
    return true;
  }
  const std::string options = letters_part(c.optstring);
  const std::string body = word.substr(1);
  for (std::size_t p = 0; p < body.size(); ++p) {
    const std::string rest = body.substr(p);
    for (const LongName& l : c.longs) {
      if (rest == l.name) {
        // A whole name at the start is a long option on both sides, but for
        // a one-letter name that is also a short option the C library takes
        // the short one; inside a cluster ours takes the name.
        return p == 0 &&
               (rest.size() > 1 || options.find(rest[0]) == std::string::npos);
      }
      if (p == 0 && is_prefix(rest, l.name)) {
        return false;  // the C library takes the abbreviation
      }
    }
    const char letter = body[p];
    const std::size_t at =
        letter == ':' ? std::string::npos : options.find(letter);
    if (at == std::string::npos) {
      // An unknown letter: both give up the whole word at its start; inside a
      // cluster ours drops the rest while the C library reads on.
      return p == 0 && letter != ':';
    }
    if (at + 1 < options.size() && options[at + 1] == ':') {
      return true;  // the rest of the word is the argument
    }
  }
  return true;
}
