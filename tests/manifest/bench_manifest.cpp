// Times the manifest's load, extend and save of a 100,000-line "Setup.dat"
// against a plain whole-file read and write of the same bytes, alternating,
// five rounds each. Prints each round and the median ratio. Not a test: the
// figure depends on the machine; tools/bench-manifest.sh runs it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "manifest/uninstall_info.h"
#include "platform/file_ops.h"

namespace {
constexpr int kLines = 100000;
constexpr int kRounds = 5;

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
  FileHandle out = CreateForWriting(path.c_str());
  DWORD written = 0;
  return out && WriteFile(out.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

bool ReadWhole(const std::string& path, std::string* bytes) {
  FileHandle in = OpenForReading(path.c_str());
  DWORD size = 0;
  if (!in || !FileSize32(in.Get(), &size)) return false;
  bytes->resize(size);
  DWORD got = 0;
  return ReadFile(in.Get(), &(*bytes)[0], size, &got, nullptr) && got == size;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: bench_manifest FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  const std::string manifest = folder + "\\Setup.dat";
  const std::string copy = folder + "\\copy.dat";

  std::string original;
  for (int n = 0; n < kLines; ++n) {
    original += "F data\\folder" + std::to_string(n % 97) + "\\file" + std::to_string(n) + ".pac;\r\n";
  }

  std::vector<double> manifestTimes, plainTimes, ratios;
  for (int round = 0; round < kRounds; ++round) {
    // The manifest starts from the same 100,000 lines every round.
    if (!WriteWhole(manifest, original)) return 1;
    double start = Now();
    UnInstallInfo info(manifest.c_str());
    double loaded = Now();
    info.AddLine("F patch.pac;\r\n");
    info.AddLine("F data.pac;\r\n");
    double added = Now();
    bool saved = info.Save();
    double manifestTime = Now() - start;
    if (!saved || info.Lines.size() != kLines + 2) return 1;

    if (!WriteWhole(manifest, original)) return 1;
    double plainStart = Now();
    std::string bytes;
    bool copied = ReadWhole(manifest, &bytes) && WriteWhole(copy, bytes);
    double plainTime = Now() - plainStart;
    if (!copied) return 1;

    manifestTimes.push_back(manifestTime);
    plainTimes.push_back(plainTime);
    ratios.push_back(manifestTime / plainTime);
    printf("round %d: manifest %.2f ms (load %.2f, add %.2f, save %.2f), plain %.2f ms, ratio %.2f\n",
           round + 1, manifestTime * 1e3, (loaded - start) * 1e3, (added - loaded) * 1e3,
           (start + manifestTime - added) * 1e3, plainTime * 1e3, manifestTime / plainTime);
  }
  printf("%d lines, %zu bytes\n", kLines, original.size());
  printf("median: manifest %.2f ms, plain %.2f ms, ratio %.2f\n", Median(manifestTimes) * 1e3,
         Median(plainTimes) * 1e3, Median(ratios));
  return 0;
}
