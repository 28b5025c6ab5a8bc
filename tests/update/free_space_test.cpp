#include <gtest/gtest.h>

#include <cstdint>

#include "update/free_space.h"

TEST(EnoughFreeSpace, MarginIsDecimalAndEqualIsEnough) {
  const struct {
    uint64_t available, total;
    bool expected;
  } cases[] = {
      {100000000 + 5000, 5000, true},   // exactly total + margin
      {100000000 + 4999, 5000, false},  // one byte less
      {100000000, 0, true},             // nothing to copy still needs the margin
      {99999999, 0, false},
      {104857600, 4857600, true},       // 100 MiB is not the margin
      {104857600, 4857601, false},
      {0, 0, false},
      // Totals near the top of the range must not wrap around and pass.
      {UINT64_MAX, UINT64_MAX, false},
      {200000000, UINT64_MAX - 50000000, false},
      {UINT64_MAX, UINT64_MAX - 100000000, true},
      {UINT64_MAX, UINT64_MAX - 99999999, false},
      // 4 GiB and more is counted, not cut to 32 bits.
      {(uint64_t{5} << 30) + 100000000, uint64_t{5} << 30, true},
      {(uint64_t{5} << 30) + 99999999, uint64_t{5} << 30, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EnoughFreeSpace(c.available, c.total), c.expected)
        << "available " << c.available << ", total " << c.total;
  }
}
