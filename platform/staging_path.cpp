#include "platform/staging_path.h"

#include <cstring>

bool StagingPath(char* out, size_t capacity, const char* path) {
  size_t length = strlen(path);
  if (capacity == 0 || length + sizeof kStagingSuffix > capacity) {
    if (capacity > 0) out[0] = '\0';
    return false;
  }
  memcpy(out, path, length);
  memcpy(out + length, kStagingSuffix, sizeof kStagingSuffix);
  return true;
}
