// libFuzzer target for the manifest's line rules, built natively by
// tools/fuzz-manifest.sh. The input is copied into a heap block of exactly its
// size, so AddressSanitizer stops any read past the end.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "manifest/line_text.h"
#include "manifest/uninstall_info.h"

namespace {
// The normalised text computed the plain way, one byte at a time, as a check
// on the run-copying splitter.
std::string Normalise(const uint8_t* d, size_t n) {
  std::string out;
  size_t i = 0;
  while (i < n && d[i] != 0x00 && d[i] != 0x1A) {
    uint8_t c = d[i];
    if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
      out.push_back(static_cast<char>(c));
      if (i + 1 == n || d[i + 1] == 0x00) break;
      out.push_back(static_cast<char>(d[i + 1]));
      i += 2;
    } else if (c == '\r' && i + 1 < n && d[i + 1] == '\n') {
      out += "\r\n";
      i += 2;
    } else if (c == '\n') {
      out += "\r\n";
      i += (i + 1 < n && d[i + 1] == '\r') ? 2 : 1;
    } else {
      out.push_back(static_cast<char>(c));
      ++i;
    }
  }
  return out;
}

std::vector<std::string> SplitExact(const void* bytes, size_t size) {
  std::unique_ptr<char[]> text(new char[size == 0 ? 1 : size]);
  if (size != 0) memcpy(text.get(), bytes, size);
  return SplitLines(text.get(), static_cast<long>(size));
}

void Check(bool ok) {
  if (!ok) abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> lines = SplitExact(data, size);
  for (size_t n = 0; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    Check(!line.empty());
    Check(line.find('\0') == std::string::npos);
    // Only the last line may lack a line end.
    if (n + 1 < lines.size()) Check(line.back() == '\r' || line.back() == '\n');
  }
  const std::string joined = JoinLines(lines);
  Check(joined == Normalise(data, size));
  // What Save writes loads back as the same lines.
  Check(SplitExact(joined.data(), joined.size()) == lines);
  return 0;
}
