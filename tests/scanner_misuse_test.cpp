// Callers own the public progress fields and may set them mid-scan; the
// scanner must still stay inside the vector and keep its table alive.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "XelGetOpt.h"

namespace {

struct Words {
  explicit Words(std::vector<std::string> words) : texts(std::move(words)) {
    for (auto& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
  }
  int count() const { return static_cast<int>(texts.size()); }
  std::vector<std::string> texts;
  std::vector<char*> pointers;
};

TEST(ScannerMisuse, OwnTableHandedBackStaysAlive) {
  Words w({"prog", "-cn", "host"});
  XelGetOpt scanner(w.count(), w.pointers.data(), "x");
  scanner.add_long_option("cn", XelGetOpt::required_argument, 'c');
  scanner.set_long_options(scanner.longopts);
  EXPECT_EQ(scanner.long_count, -1);
  EXPECT_EQ(scanner(), 'c');
  EXPECT_STREQ(scanner.optarg(), "host");
  EXPECT_EQ(scanner(), -1);
}

TEST(ScannerMisuse, OptindMovedToEndInsideClusterEndsScan) {
  for (bool with_table : {false, true}) {
    Words w({"prog", "-xy"});
    XelGetOpt scanner(w.count(), w.pointers.data(), "xy:");
    if (with_table) {
      scanner.add_long_option("cn", XelGetOpt::required_argument, 'c');
    }
    ASSERT_EQ(scanner(), 'x');
    scanner.optind = w.count();
    EXPECT_EQ(scanner(), -1) << "with table: " << with_table;
    EXPECT_EQ(scanner.optind, w.count());
  }
}

TEST(ScannerMisuse, ExchangeIgnoresOutOfRangeBlocks) {
  Words w({"prog", "a", "-x"});
  const std::vector<char*> before = w.pointers;
  XelGetOpt scanner(w.count(), w.pointers.data(), "x");
  scanner.first_nonopt = -3;
  scanner.last_nonopt = 1;
  scanner.optind = 2;
  scanner.exchange(w.pointers.data());
  EXPECT_EQ(w.pointers, before);
}

TEST(ScannerMisuse, RefusedCallClearsArgument) {
  Words w({"prog", "-ov"});
  XelGetOpt scanner;
  ASSERT_EQ(scanner.getopt(w.count(), w.pointers.data(), "o:"), 'o');
  ASSERT_STREQ(scanner.optarg(), "v");
  EXPECT_EQ(scanner.getopt(0, w.pointers.data(), "o:"), -1);
  EXPECT_EQ(scanner.optarg(), nullptr);
}

TEST(ScannerMisuse, NullOptionStringIsNotAmbiguous) {
  Words w({"prog", "-x"});
  XelGetOpt scanner(w.count(), w.pointers.data(), nullptr);
  EXPECT_EQ(scanner(), -1);
  scanner.set_char_options(nullptr);
  EXPECT_EQ(scanner.optstring, nullptr);
}

}  // namespace
