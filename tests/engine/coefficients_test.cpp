// The evaluation's weights: the piece values agree with the material count,
// and the table checks itself when the program starts.
#include <gtest/gtest.h>


#include "board/console.h"
#include "board/piece_values.h"
#include "engine/coefficients.h"

namespace torvik {
namespace {

// The piece values the evaluation reads from the table are the ones the
// rest of the program counts material with. (The table's values themselves
// are the bench signature's to hold.)
TEST(Coefficients, PieceValuesAgree) {
  for (int code = -kKing; code <= kKing; ++code) EXPECT_EQ(PieceValueCoefficient(code), PieceValue(code)) << code;
}

TEST(Coefficients, StartUpCheck) {
  ConsoleCapture capture;
  EXPECT_EQ(CheckCoefficients(), 1);
  EXPECT_EQ(capture.Text(), "");
  EXPECT_EQ(CheckCoefficientCount(1467), 0);
  EXPECT_EQ(capture.Text(), "\ncoefficients table corrupt 1467 1468");
}

}  // namespace
}  // namespace torvik
