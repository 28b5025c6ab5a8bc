#include <string>
#include <vector>

#include "manifest/line_text.h"
#include "manifest/uninstall_info.h"

namespace {
constexpr unsigned char kCr = 0x0D;
constexpr unsigned char kLf = 0x0A;

constexpr bool EndsText(unsigned char c) { return c == 0x00 || c == 0x1A; }

// Bytes that need a decision: text ends, line ends and lead bytes. Everything
// else is skipped by one table look-up, which keeps the scan of a long
// manifest close to the speed of copying it.
struct SpecialBytes {
  bool table[256] = {};
  constexpr SpecialBytes() {
    for (int c = 0; c < 256; ++c)
      table[c] = EndsText(static_cast<unsigned char>(c)) || c == kCr || c == kLf ||
                 IsLeadByte(static_cast<unsigned char>(c));
  }
};
constexpr SpecialBytes kSpecial;
}  // namespace

std::vector<std::string> SplitLines(const char* text, long length) {
  std::vector<std::string> lines;
  if (text == nullptr || length <= 0) return lines;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
  // One pass to size the list, so a long manifest is not moved again and again
  // as the list grows: most line ends are CR LF pairs, and a little headroom
  // takes the lines an update adds.
  size_t ends = 0;
  for (long k = 0; k < length; ++k) ends += (bytes[k] == kCr) | (bytes[k] == kLf);
  lines.reserve(ends / 2 + 16);

  // A line's bytes are copied as they stand up to its line end; only the line
  // end itself is rewritten. So each line is one copy of a run of the input,
  // not a byte-by-byte append.
  long start = 0;
  long i = 0;
  auto emit = [&](long runEnd, const char* lineEnd, size_t endLength) {
    std::string line;
    line.reserve(static_cast<size_t>(runEnd - start) + endLength);
    line.append(text + start, static_cast<size_t>(runEnd - start));
    line.append(lineEnd, endLength);
    lines.push_back(std::move(line));
  };

  while (i < length) {
    while (i < length && !kSpecial.table[bytes[i]]) ++i;
    if (i == length) break;
    unsigned char c = bytes[i];
    if (EndsText(c)) break;
    if (IsLeadByte(c)) {
      // The trail byte belongs to the character whatever it is, even a CR, an
      // LF or a 0x1A. Two exceptions keep the text well defined: a lead byte
      // that is the very last byte stays alone (nothing is read past the
      // end), and a 0x00 after it still ends the text, because Save writes a
      // line only up to its first 0x00 and everything after would be lost.
      if (i + 1 >= length || bytes[i + 1] == 0x00) {
        ++i;
        break;
      }
      i += 2;
    } else if (c == kCr) {
      bool pair = i + 1 < length && bytes[i + 1] == kLf;
      emit(i, "\r\n", pair ? 2 : 1);
      i += pair ? 2 : 1;
      start = i;
    } else if (c == kLf) {
      bool pair = i + 1 < length && bytes[i + 1] == kCr;
      emit(i, "\r\n", 2);
      i += pair ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  // Text after the last line end is kept as a final line without a line end,
  // and written back as it was: a manifest that did not end in a line end is
  // not given one, and its last entry is not lost.
  if (i > start) lines.emplace_back(text + start, static_cast<size_t>(i - start));
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  size_t total = 0;
  for (const std::string& line : lines) total += line.size() + 2;
  std::string out;
  out.reserve(total);
  for (size_t n = 0; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    size_t used = line.find('\0');
    if (used == std::string::npos) used = line.size();
    out.append(line, 0, used);
    bool last = n + 1 == lines.size();
    bool hasEnd = used > 0 && (line[used - 1] == '\r' || line[used - 1] == '\n');
    if (!last && !hasEnd) out.append("\r\n");
  }
  return out;
}
