// The transposition table: its size, and the bounds it keeps and gives back.
// (Which entry a store replaces shows in the bench signature.)
#include <gtest/gtest.h>

#include <memory>

#include "board/console.h"
#include "engine/transposition_table.h"

namespace torvik {
namespace {

struct Table {
  TranspositionTable tt;
  Table() { CreateTT(tt, 1); }
  // A position by its keys alone; keys `count` apart share a bucket.
  Position At(uint32_t key, uint32_t lock = 7) const {
    Position pos;
    pos.hashKey = key;
    pos.hashLock = lock;
    return pos;
  }
};

// Sized by megabytes and created once per run; without memory it is empty.
TEST(TranspositionTable, SizeAndMemory) {
  EXPECT_LE(TTEntriesFor(8) * sizeof(TTEntry), 8u << 20);
  auto t = std::make_unique<Table>();
  EXPECT_EQ(t->tt.count, TTEntriesFor(1));
  EXPECT_EQ(CreateTT(t->tt, 64), 1);
  TranspositionTable tt;
  ConsoleCapture log;
  EXPECT_EQ(CreateTT(tt, 0), 0);
  EXPECT_EQ(log.Text(), "\nno memory for the transposition table: the engine plays without one");
  Position pos;
  int32_t v = 0;
  StoreTT(tt, pos, 3, 0, 5, nullptr);
  ClearTT(tt);
  EXPECT_EQ(LookupTT(tt, pos), nullptr);
  EXPECT_EQ(ProbeTT(tt, pos, 0, 0, v, nullptr), 0);
}

TEST(TranspositionTable, BoundsMeetAndPart) {
  auto t = std::make_unique<Table>();
  const Position pos = t->At(10);
  int32_t v = 0;
  // Fail high with 50, then fail low with 80 at the same depth: both kept.
  StoreTT(t->tt, pos, 4, 40, 50, nullptr);
  StoreTT(t->tt, pos, 4, 90, 80, nullptr);
  const TTEntry* e = LookupTT(t->tt, pos);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(std::pair(e->lower, e->upper), std::pair(50, 80));
  EXPECT_TRUE(ProbeTT(t->tt, pos, 4, 81, v, nullptr) && v == 80);
  EXPECT_TRUE(ProbeTT(t->tt, pos, 4, 50, v, nullptr) && v == 50);
  EXPECT_FALSE(ProbeTT(t->tt, pos, 4, 60, v, nullptr)) << "between the bounds nothing is decided";
  EXPECT_FALSE(ProbeTT(t->tt, pos, 5, 81, v, nullptr)) << "too shallow";
  EXPECT_TRUE(ProbeTT(t->tt, pos, 0, 81, v, nullptr)) << "the quiescence search takes any depth";
  // A lower bound above the upper one at the same depth on both sides: exact.
  StoreTT(t->tt, pos, 4, 90, 95, nullptr);
  EXPECT_EQ(std::pair(e->lower, e->upper), std::pair(95, 95));
  // At another depth it drops the upper bound.
  StoreTT(t->tt, pos, 6, 100, 120, nullptr);
  EXPECT_EQ(std::tuple(e->lower, e->upper, e->upperDepth), std::tuple(120, kNoUpper, 0));
  // And an upper bound below the lower one drops the lower bound.
  StoreTT(t->tt, pos, 3, 30, 20, nullptr);
  EXPECT_EQ(std::pair(e->lower, e->upper), std::pair(kNoLower, 20));
  int32_t upper = 0;
  EXPECT_TRUE(ProbeUpperTT(t->tt, pos.hashKey, pos.hashLock, 3, 21, upper) && upper == 20);
  EXPECT_FALSE(ProbeUpperTT(t->tt, pos.hashKey, pos.hashLock, 4, 21, upper));
}

// A quiescence bound (depth 0) serves the quiescence search alone, and never
// replaces or drops a bound the main search proved.
TEST(TranspositionTable, QuiescenceBoundsStayShallow) {
  auto t = std::make_unique<Table>();
  const Position pos = t->At(10);
  int32_t v = 0;
  StoreTT(t->tt, pos, 0, 40, 50, nullptr);
  EXPECT_FALSE(ProbeTT(t->tt, pos, 1, 40, v, nullptr));
  EXPECT_TRUE(ProbeTT(t->tt, pos, 0, 40, v, nullptr) && v == 50);
  StoreTT(t->tt, pos, 3, 40, 60, nullptr);
  StoreTT(t->tt, pos, 0, 40, 45, nullptr);  // the same kind: kept from the main search
  StoreTT(t->tt, pos, 0, 40, 30, nullptr);  // below the proven lower bound: not stored
  const TTEntry* e = LookupTT(t->tt, pos);
  EXPECT_EQ(std::tuple(e->lower, e->lowerDepth, e->upper), std::tuple(60, 3, kNoUpper));
  StoreTT(t->tt, pos, 0, 90, 80, nullptr);  // a consistent upper bound joins it
  EXPECT_EQ(std::tuple(e->lower, e->lowerDepth, e->upper, e->upperDepth), std::tuple(60, 3, 80, 0));
  EXPECT_FALSE(ProbeTT(t->tt, pos, 1, 85, v, nullptr));
}

}  // namespace
}  // namespace torvik
