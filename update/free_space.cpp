#include "update/free_space.h"

bool EnoughFreeSpace(uint64_t available, uint64_t total) {
  // Subtracting instead of adding: total + margin could wrap for huge totals.
  return available >= kFreeSpaceMargin && available - kFreeSpaceMargin >= total;
}
