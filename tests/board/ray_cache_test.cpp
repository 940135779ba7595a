#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "board/console.h"
#include "board/ray_cache.h"
#include "board/rays.h"
#include "tests/board/ray_rule.h"

namespace torvik {
namespace {

using testing_rays::AllConfigurations;
using testing_rays::ListsFollowRule;
using testing_rays::Make3D;
using testing_rays::Ray;
using V = std::vector<int>;

int CountOf(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(RayCache, BuildsEachConfigurationOnceBetweenResets) {
  ResetRayCache();
  ConsoleCapture log;
  Position pos = Make3D({32, 39, 56, 63});
  RayList list;
  GetRay(pos, 35, 1, list);
  EXPECT_EQ(log.Text(), "\nBuilding q1q6k1k6 #1");
  GetRay(pos, 9, 1, list);
  DirTo(pos);
  pos.pins[0] = 2;  // board 0 to QL3 and back
  GetRay(pos, 1, 1, list);
  pos.pins[0] = 32;
  GetRay(pos, 1, 1, list);
  EXPECT_EQ(log.Text(), "\nBuilding q1q6k1k6 #1\nBuilding q3q6k1k6 #2");
  EXPECT_EQ(RayTablesBuilt(), 2);

  log.Clear();
  ResetRayCache();
  EXPECT_EQ(RayTablesBuilt(), 0);
  DirTo(pos);
  DirTo(pos);
  EXPECT_EQ(log.Text(), "\nBuilding q1q6k1k6 #1");
  ResetRayCache();
}

TEST(RayCache, HintsAreCheckedNeverTrusted) {
  ConsoleCapture quiet;
  ResetRayCache();
  Position start = Make3D({32, 39, 56, 63});
  Position moved = Make3D({32, 2, 56, 63});  // board 1 on QL3
  SetRayTableHint(start);
  SetRayTableHint(moved);
  EXPECT_NE(start.rayTable, moved.rayTable);

  Position swapped = moved;  // hint of the other configuration
  swapped.rayTable = start.rayTable;
  EXPECT_EQ(Ray(swapped, 1, 1), V{6}) << "QL1's z1 below QL3's z2";
  Position wild = start;
  for (uint32_t hint : {0xffffffffu, kRayCacheCapacity, 7u}) {
    wild.rayTable = hint;
    EXPECT_EQ(Ray(wild, 1, 1), V{});
    EXPECT_EQ(Ray(wild, 35, 1), (V{36, 4}));
  }
  // After a reset, a hint left in a copied position points at nothing built.
  ResetRayCache();
  EXPECT_EQ(Ray(moved, 1, 1), V{6});
  EXPECT_TRUE(ListsFollowRule(start));
  EXPECT_EQ(RayTablesBuilt(), 2);
  ResetRayCache();
}

TEST(RayCache, IdsChangeWithEveryBuild) {
  ConsoleCapture quiet;
  ResetRayCache();
  const Position start = Make3D({32, 39, 56, 63});
  const RayTableId first = SelectRayTableId(start);
  SelectRayTableId(Make3D({2, 39, 56, 63}));
  const RayTableId again = SelectRayTableId(start);
  EXPECT_EQ(first.index, again.index);
  EXPECT_EQ(first.stamp, again.stamp);
  ResetRayCache();
  const RayTableId rebuilt = SelectRayTableId(start);
  EXPECT_LT(rebuilt.index, kRayCacheCapacity);
  EXPECT_NE(rebuilt.stamp, first.stamp) << "data kept for the old build must not be taken";
  EXPECT_NE(rebuilt.stamp, 0u);
  ResetRayCache();
}

// Hundreds of configurations, as one search meets, all kept: going back over
// them builds nothing and answers as when they were new.
TEST(RayCache, KeepsMoreThan120Configurations) {
  ConsoleCapture log;
  ResetRayCache();
  const auto all = AllConfigurations();
  const int kVisited = 600;
  for (int i = 0; i < kVisited; ++i) DirTo(Make3D(all[i * 19]));
  log.Clear();
  for (int i = kVisited - 1; i >= 0; --i) ASSERT_TRUE(ListsFollowRule(Make3D(all[i * 19])));
  EXPECT_EQ(log.Text(), "");
  EXPECT_EQ(RayTablesBuilt(), kVisited);
  ResetRayCache();
}

// Past its capacity the cache starts over: still right, the numbering goes on,
// and a search moving between a few configurations builds each of them once.
TEST(RayCache, StaysRightWhenFull) {
  ConsoleCapture log;
  ResetRayCache();
  const auto all = AllConfigurations();
  const int kBuilds = 2 * int(kRayCacheCapacity) + 500;
  for (int i = 0; i < kBuilds; ++i) {
    const Position pos = Make3D(all[i]);
    if (i % 97 == 0) ASSERT_TRUE(ListsFollowRule(pos)) << i;
    else DirTo(pos);
  }
  EXPECT_EQ(RayTablesBuilt(), kBuilds);
  EXPECT_NE(log.Text().find("#" + std::to_string(kBuilds)), std::string::npos);

  log.Clear();
  for (int round = 0; round < 1000; ++round) {
    for (int i : {0, 1, kBuilds - 1}) {
      Position pos = Make3D(all[i]);
      pos.rayTable = uint32_t(round);
      DirTo(pos);
    }
  }
  EXPECT_EQ(CountOf(log.Text(), "\nBuilding"), 2) << "only the two dropped ones again";
  EXPECT_TRUE(ListsFollowRule(Make3D(all[0])));
  EXPECT_TRUE(ListsFollowRule(Make3D(all[kBuilds - 1])));
  ResetRayCache();
}

TEST(RayCache, EachThreadKeepsItsOwn) {
  ConsoleCapture log;
  ResetRayCache();
  const Position start = Make3D({32, 39, 56, 63});
  DirTo(start);
  std::string workerLog;
  bool workerRight = false;
  std::thread worker([&] {
    workerRight = ListsFollowRule(start);
    workerLog = log.Text();
  });
  worker.join();
  EXPECT_TRUE(workerRight);
  EXPECT_EQ(workerLog, "\nBuilding q1q6k1k6 #1\nBuilding q1q6k1k6 #1");
  EXPECT_TRUE(ListsFollowRule(start));
  EXPECT_EQ(RayTablesBuilt(), 1);

  // Two threads walking many configurations at once.
  const auto all = AllConfigurations();
  bool right[2] = {false, false};
  auto walk = [&](int t) {
    right[t] = true;
    for (size_t i = t; i < all.size(); i += 41) right[t] = right[t] && ListsFollowRule(Make3D(all[i]));
  };
  std::thread a(walk, 0), b(walk, 1);
  a.join();
  b.join();
  EXPECT_TRUE(right[0]);
  EXPECT_TRUE(right[1]);
  ResetRayCache();
}

}  // namespace
}  // namespace torvik
