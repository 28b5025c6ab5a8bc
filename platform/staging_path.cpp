#include "update/staging_path.h"

#include <cstring>

namespace {
constexpr char kSuffix[] = ".updating";
}

bool StagingPath(char* out, size_t capacity, const char* target) {
  size_t length = strlen(target);
  if (capacity == 0 || length + sizeof kSuffix > capacity) {
    if (capacity > 0) out[0] = '\0';
    return false;
  }
  memcpy(out, target, length);
  memcpy(out + length, kSuffix, sizeof kSuffix);
  return true;
}
