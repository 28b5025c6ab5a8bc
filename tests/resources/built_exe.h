// The built updater executables, opened as resource-only images so that the
// 64-bit test program reads the 32-bit product as well as its 64-bit twin.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// The updater built by `preset`. Each preset builds into its own folder of
// one build root, and this test program runs from one of those folders.
std::wstring BuiltExePath(const char* preset);

class ResourceImage {
 public:
  explicit ResourceImage(const std::wstring& path);
  ~ResourceImage();
  ResourceImage(const ResourceImage&) = delete;
  ResourceImage& operator=(const ResourceImage&) = delete;

  bool Loaded() const { return module_ != nullptr; }
  // The resource in exactly that language; `found` tells whether it exists.
  std::vector<unsigned char> Bytes(LPCWSTR type, LPCWSTR name, WORD language,
                                   bool* found) const;
  // Every language the resource exists in.
  std::vector<WORD> Languages(LPCWSTR type, LPCWSTR name) const;

 private:
  HMODULE module_;
};

// windows.h names the resource types as narrow ids in this build; the ids
// are plain numbers, the same for the wide calls.
inline LPCWSTR WideId(LPCSTR id) { return reinterpret_cast<LPCWSTR>(id); }

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// Parameterised over the preset; every test runs against both executables.
class BuiltExeTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override;
  const ResourceImage& Image() const { return *image_; }

 private:
  std::unique_ptr<ResourceImage> image_;
};

#define INSTANTIATE_FOR_BOTH_PRESETS(suite)                                      \
  INSTANTIATE_TEST_SUITE_P(Built, suite, ::testing::Values("win32", "win64"), \
                           [](const auto& info) { return std::string(info.param); })

// The UTF-16 form of a code page 932 text, as Windows converts it.
std::wstring FromCp932(const char* text);
