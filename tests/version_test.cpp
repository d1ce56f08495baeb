// SPDX-License-Identifier: MIT
// The library's version at run time is the one its macros give, which is
// the project's; XELOPTS_VERSION is those macros as one number.
#include <XeloptsVersion.h>
#include <gtest/gtest.h>

#include <string>

#if XELOPTS_VERSION != XELOPTS_VERSION_MAJOR * 10000 + \
                           XELOPTS_VERSION_MINOR * 100 + XELOPTS_VERSION_PATCH
#error "XELOPTS_VERSION disagrees with XELOPTS_VERSION_MAJOR, _MINOR, _PATCH"
#endif

namespace {

TEST(Version, StringAgreesWithTheMacrosAndTheProject) {
  const std::string macros = std::to_string(XELOPTS_VERSION_MAJOR) + "." +
                             std::to_string(XELOPTS_VERSION_MINOR) + "." +
                             std::to_string(XELOPTS_VERSION_PATCH);
  EXPECT_EQ(xelopts::version(), macros);
  EXPECT_EQ(macros, XELOPTS_PROJECT_VERSION);
}

}  // namespace
