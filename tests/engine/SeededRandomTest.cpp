#include "engine/SeededRandom.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

// The private generator must reproduce the C library's rand() sequence.
TEST(SeededRandom, MatchesTheCLibrarySequence) {
  for (unsigned seed : {0u, 1u, 1500u, 123456789u}) {
    Quillvane::SeededRandom random(seed);
    std::srand(seed);
    for (int i = 0; i < 10000; ++i) {
      ASSERT_EQ(random.next(), std::rand()) << "seed " << seed << " draw " << i;
    }
  }
}

TEST(SeededRandom, ReseedingRestartsTheSequence) {
  Quillvane::SeededRandom random(1500);
  const int first = random.next();
  random.next();
  random.seed(1500);
  EXPECT_EQ(random.next(), first);
}

}  // namespace
