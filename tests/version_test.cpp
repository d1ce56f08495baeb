// SPDX-License-Identifier: MIT
// The library's version at run time is the one its macros give (CMake
// takes the project's version from them).
#include <XeloptsVersion.h>
#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Version, StringAgreesWithTheMacros) {
  const std::string macros = std::to_string(XELOPTS_VERSION_MAJOR) + "." +
                             std::to_string(XELOPTS_VERSION_MINOR) + "." +
                             std::to_string(XELOPTS_VERSION_PATCH);
  EXPECT_EQ(xelopts::version(), macros);
}

}  // namespace
