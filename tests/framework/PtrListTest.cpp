#include <gtest/gtest.h>

#include <vector>

#include "framework/WDL_PtrList.h"

namespace {

std::vector<int> gDeleted;

struct Tracked {
  explicit Tracked(int id) : mId(id) {}
  ~Tracked() { gDeleted.push_back(mId); }
  int mId;
};

TEST(PtrList, GetIsBoundsChecked) {
  WDL_PtrList<int> list;
  EXPECT_EQ(list.Get(0), nullptr);
  int a = 1;
  list.Add(&a);
  EXPECT_EQ(list.Get(0), &a);
  EXPECT_EQ(list.Get(1), nullptr);
  EXPECT_EQ(list.Get(-1), nullptr);
  list.Set(5, &a);
  EXPECT_EQ(list.GetSize(), 1);
}

TEST(PtrList, InsertClampsPositionAndKeepsOrder) {
  WDL_PtrList<int> list;
  int v[4] = {0, 1, 2, 3};
  list.Add(&v[1]);
  list.Insert(-5, &v[0]);
  list.Insert(99, &v[3]);
  list.Insert(2, &v[2]);
  ASSERT_EQ(list.GetSize(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(list.Get(i), &v[i]);
}

TEST(PtrList, DeleteMovesLaterElementsDownAndOptionallyDisposes) {
  gDeleted.clear();
  WDL_PtrList<Tracked> list;
  for (int i = 0; i < 3; ++i) list.Add(new Tracked(i));
  list.Delete(0, true);
  EXPECT_EQ(gDeleted, std::vector<int>{0});
  ASSERT_EQ(list.GetSize(), 2);
  EXPECT_EQ(list.Get(0)->mId, 1);
  Tracked* kept = list.Get(0);
  list.Delete(0);
  EXPECT_EQ(gDeleted.size(), 1u);
  delete kept;
  list.Delete(7, true);
  EXPECT_EQ(list.GetSize(), 1);
  list.Empty(true);
}

TEST(PtrList, EmptyDisposesFromLastToFirst) {
  gDeleted.clear();
  WDL_PtrList<Tracked> list;
  for (int i = 0; i < 3; ++i) list.Add(new Tracked(i));
  list.Add(nullptr);
  list.Empty(true);
  EXPECT_EQ(gDeleted, (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(list.GetSize(), 0);
}

TEST(PtrList, EmptyWithDeleteFunctionAndWithoutDelete) {
  static int freed;
  freed = 0;
  WDL_PtrList<int> list;
  int a = 1, b = 2;
  list.Add(&a);
  list.Add(&b);
  list.Empty(true, [](void* p) { freed += *static_cast<int*>(p); });
  EXPECT_EQ(freed, 3);

  list.Add(&a);
  list.Empty();
  EXPECT_EQ(list.GetSize(), 0);
  EXPECT_EQ(a, 1);
}

}  // namespace
