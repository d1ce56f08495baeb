// Parsers of all kinds built at once on several threads, each over its own
// vector, give the records of a serial run.
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "parser_support.h"

namespace {

using parser_test::Record;

constexpr int kLinesPerKind = 200;
constexpr int kThreads = 4;

// Line i of a kind: shared and own options, and a stray word to permute.
std::vector<std::string> lineFor(int kind, int i) {
  const std::string n = std::to_string(i);
  std::vector<std::string> words{"-j", n, "stray" + n, "-a",
                                 n + ":" + std::to_string(i * 7)};
  for (const char* shared : {"-cn", "-vm", "-jt", "-phase", "-p"}) {
    words.push_back(shared);
    words.push_back(std::string(shared + 1) + n);  // "-cn" "cn1"
  }
  const std::vector<std::vector<std::string>> own{
      {"-restart", n, "-o", "1" + n, "-rbs", "-numstreams", n, "-data"},
      {"-maHostName", "ma" + n, "-rbs", n, "-dctm"},
      {"-o", "1" + n, "-restart", n, "-d", "ma" + n, "-t", n}};
  words.insert(words.end(), own[kind].begin(), own[kind].end());
  return words;
}

template <typename Parser>
Record parseLine(const std::vector<std::string>& words) {
  test_support::Args args = parser_test::commandLine(words);
  Parser parser(args.argc(), args.argv());
  Record record = parser_test::readRecord(parser);
  record["vector after the scan"] = args.joined();
  return record;
}

Record parseLine(int kind, int i) {
  const std::vector<std::string> words = lineFor(kind, i);
  switch (kind) {
    case 0:
      return parseLine<BackupOptionsParser>(words);
    case 1:
      return parseLine<RestoreOptionsParser>(words);
    default:
      return parseLine<ScanOptionsParser>(words);
  }
}

TEST(ParserThreads, ConcurrentParsesGiveTheSerialRecords) {
  test_support::EnvGuard permuting("POSIXLY_CORRECT", std::nullopt);
  constexpr int kLines = 3 * kLinesPerKind;
  std::vector<Record> serial(kLines);
  for (int line = 0; line < kLines; ++line) {
    serial[line] = parseLine(line % 3, line / 3);
  }

  std::vector<Record> concurrent(kLines);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &concurrent] {
      for (int line = t; line < kLines; line += kThreads) {
        concurrent[line] = parseLine(line % 3, line / 3);
      }
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }

  for (int line = 0; line < kLines; ++line) {
    ASSERT_EQ(concurrent[line], serial[line]) << "line " << line;
  }
  // The lines really parsed: the stray word went behind the options.
  EXPECT_EQ(serial[3].at("vector after the scan"),
            "prog -j 1 -a 1:7 -cn cn1 -vm vm1 -jt jt1 -phase phase1 -p p1 "
            "-restart 1 -o 11 -rbs -numstreams 1 -data stray1");
}

}  // namespace
