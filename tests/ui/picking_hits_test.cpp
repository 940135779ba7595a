// Reading the hit records of a selection pass.
#include <gtest/gtest.h>

#include <initializer_list>

#include "board/console.h"
#include "ui/picking.h"

namespace torvik::ui {
namespace {

// Hit records: name count, two depths, the names.
SelectBuffer Records(std::initializer_list<std::initializer_list<GLuint>> records) {
  SelectBuffer b{};
  std::size_t at = 0;
  for (auto names : records) {
    b[at++] = static_cast<GLuint>(names.size());
    b[at++] = 0;
    b[at++] = 0;
    for (GLuint n : names) b[at++] = n;
  }
  return b;
}

TEST(PickingHits, ColumnOverRowIsTheSquare) {
  ConsoleCapture console;
  EXPECT_EQ(ResolveHits(Records({{5, 2}}), 1, 10, 20), 42);
  EXPECT_EQ(ResolveHits(Records({{0, 0}}), 1, 10, 20), 0);
  EXPECT_EQ(ResolveHits(Records({{7, 7}, {0, 1}}), 2, 10, 20), 63);
  EXPECT_EQ(console.Text(), "");
}

TEST(PickingHits, PinsGiveTheirBoards) {
  EXPECT_EQ(ResolveHits(Records({{0, 100}}), 1, 0, 0), 100);
  EXPECT_EQ(ResolveHits(Records({{0, 106}}), 1, 0, 0), 106);
  EXPECT_EQ(ResolveHits(Records({{2, 116}}), 1, 0, 0), 116);
  EXPECT_EQ(ResolveHits(Records({{2, 122}}), 1, 0, 0), 122);
  EXPECT_EQ(ResolveHits(Records({{2, 7}}), 1, 0, 0), 23);  // a square of column 2
}

TEST(PickingHits, RecordsBeforeTheFirstPairArePrinted) {
  ConsoleCapture console;
  EXPECT_EQ(ResolveHits(Records({{3}, {1, 2, 3}, {4, 5}}), 3, 11, 22), 37);
  EXPECT_EQ(console.Text(),
            "\nx=11 y=22 hits=3\n number of names for this hit = 1; names are 3 \n"
            "\nx=11 y=22 hits=3\n number of names for this hit = 3; names are 1  2  3 \n");
}

TEST(PickingHits, NoPairIsNothing) {
  ConsoleCapture console;
  EXPECT_EQ(ResolveHits(Records({{4294967295u}}), 1, 0, 0), 65);
  EXPECT_EQ(console.Text(), "\nx=0 y=0 hits=1\n number of names for this hit = 1; names are -1 \n");
  EXPECT_EQ(ResolveHits(Records({}), 0, 0, 0), 65);
}

TEST(PickingHits, ARecordRunningOffTheBufferStops) {
  SelectBuffer b{};
  b[0] = 100000;  // more names than the buffer holds
  ConsoleCapture console;
  EXPECT_EQ(ResolveHits(b, 5, 0, 0), 65);
  b.fill(0);  // records of no names, more than fit
  EXPECT_EQ(ResolveHits(b, 1000, 0, 0), 65);
}

}  // namespace
}  // namespace torvik::ui
