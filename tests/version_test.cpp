// SPDX-License-Identifier: MIT
// The library's version at run time is the one its macros give, which is
// the project's.
#include <XeloptsVersion.h>
#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Version, StringAgreesWithTheMacrosAndTheProject) {
  const std::string macros = std::to_string(XELOPTS_VERSION_MAJOR) + "." +
                             std::to_string(XELOPTS_VERSION_MINOR) + "." +
                             std::to_string(XELOPTS_VERSION_PATCH);
  EXPECT_EQ(xelopts::version(), macros);
  EXPECT_EQ(macros, XELOPTS_PROJECT_VERSION);
}

}  // namespace
