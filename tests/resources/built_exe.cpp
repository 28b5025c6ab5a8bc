#include "built_exe.h"

#include <cstring>

std::wstring BuiltExePath(const char* preset) {
  wchar_t self[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self, length);
  folder.resize(folder.find_last_of(L'\\'));
  return folder + L"\\..\\" + std::wstring(preset, preset + strlen(preset)) +
         L"\\hoshivo_update.exe";
}

ResourceImage::ResourceImage(const std::wstring& path)
    : module_(LoadLibraryExW(path.c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}

ResourceImage::~ResourceImage() {
  if (module_) FreeLibrary(module_);
}

std::vector<unsigned char> ResourceImage::Bytes(LPCWSTR type, LPCWSTR name, WORD language,
                                                bool* found) const {
  *found = false;
  HRSRC info = FindResourceExW(module_, type, name, language);
  if (!info) return {};
  HGLOBAL loaded = LoadResource(module_, info);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  *found = true;
  const auto* begin = static_cast<const unsigned char*>(data);
  return std::vector<unsigned char>(begin, begin + SizeofResource(module_, info));
}

namespace {
BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
  reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
  return TRUE;
}
}  // namespace

std::vector<WORD> ResourceImage::Languages(LPCWSTR type, LPCWSTR name) const {
  std::vector<WORD> languages;
  EnumResourceLanguagesW(module_, type, name, CollectLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  return languages;
}

void BuiltExeTest::SetUp() {
  std::wstring path = BuiltExePath(GetParam());
  image_ = std::make_unique<ResourceImage>(path);
  // Both presets must have been built: the 32-bit one is the product.
  ASSERT_TRUE(image_->Loaded()) << "cannot open the " << GetParam()
                                << " build of the updater (error " << GetLastError() << ")";
}

std::wstring FromCp932(const char* text) {
  int size = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
  if (size <= 0) return L"<not code page 932>";
  std::wstring wide(size, L'\0');
  MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text, -1, &wide[0], size);
  wide.resize(size - 1);
  return wide;
}
