// The byte-level rules of the manifest's text, free of any Windows call so
// that they also build natively for the fuzzer.
#pragma once
#include <string>
#include <vector>

// True for a code page 932 lead byte: it and the byte after it are one character.
constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The bytes that Save writes for these lines, in order: each line up to its
// first 0x00. A line that lacks a line end and is followed by another one is
// completed with CR LF, so that a line added after a final fragment stays a
// line of its own instead of being glued onto the fragment.
std::string JoinLines(const std::vector<std::string>& lines);
