// Started without a display, the window program says so and stops.
#include <gtest/gtest.h>

#include "support/run.h"

namespace torvik::ui {
namespace {

TEST(NoDisplay, OneLineAndAFailureStatus) {
  const test::RunResult r = test::RunCommand("env -u DISPLAY " + test::Quote(TORVIK_WINDOW));
  EXPECT_NE(r.status, 0);
  EXPECT_EQ(r.err, "torvik: cannot open a display; set DISPLAY or use torvik-cli\n");
  EXPECT_EQ(r.out, "");
}

TEST(NoDisplay, ADisplayThatIsNotThere) {
  const test::RunResult r = test::RunCommand("DISPLAY=:9876 " + test::Quote(TORVIK_WINDOW));
  EXPECT_NE(r.status, 0);
  EXPECT_EQ(r.err, "torvik: cannot open a display; set DISPLAY or use torvik-cli\n");
}

}  // namespace
}  // namespace torvik::ui
