// Whether the install drive has room for the update files.
#pragma once
#include <cstdint>

// Bytes kept free beyond the update files themselves (decimal, not 100 MiB).
constexpr uint64_t kFreeSpaceMargin = 100000000;

// True when `available` covers `total` plus the margin; equal is enough.
bool EnoughFreeSpace(uint64_t available, uint64_t total);
