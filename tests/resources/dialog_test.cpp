// The confirmation dialog's template, read back from the built executables
// and taken apart field by field as an extended dialog template.
#include <windows.h>

#include <cstring>
#include <string>

#include "built_exe.h"
#include "config/texts.h"
#include "resources/resource.h"

namespace {

using DialogResource = BuiltExeTest;

// A name or an ordinal, as templates store class names, menus and titles.
struct NameOrOrdinal {
  WORD ordinal = 0;  // non-zero when stored as an ordinal
  std::wstring text;
};

// Reads a template front to back; any read past the end marks it broken.
class TemplateReader {
 public:
  explicit TemplateReader(const std::vector<unsigned char>& data) : data_(data) {}
  bool Broken() const { return broken_; }
  size_t Offset() const { return at_; }

  template <typename T>
  T Read() {
    T value{};
    if (at_ + sizeof(T) > data_.size()) {
      broken_ = true;
      return value;
    }
    memcpy(&value, data_.data() + at_, sizeof(T));
    at_ += sizeof(T);
    return value;
  }
  std::wstring String() {
    std::wstring text;
    for (WORD c = Read<WORD>(); c != 0 && !broken_; c = Read<WORD>()) text += wchar_t(c);
    return text;
  }
  NameOrOrdinal Name() {
    NameOrOrdinal name;
    if (at_ + 2 <= data_.size() && data_[at_] == 0xFF && data_[at_ + 1] == 0xFF) {
      Read<WORD>();
      name.ordinal = Read<WORD>();
    } else {
      name.text = String();
    }
    return name;
  }
  void AlignToDword() { at_ = (at_ + 3) & ~size_t(3); }

 private:
  const std::vector<unsigned char>& data_;
  size_t at_ = 0;
  bool broken_ = false;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;

struct ExpectedItem {
  DWORD id;
  WORD classAtom;
  const wchar_t* title;
  short x, y, cx, cy;
  DWORD style;
};

const ExpectedItem kItems[] = {
    {IDOK, kButtonAtom, L"実行", 78, 48, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | kChild},
    {IDCANCEL, kButtonAtom, L"終了", 180, 48, 50, 14, BS_PUSHBUTTON | WS_TABSTOP | kChild},
    {IDC_FOLDER, kEditAtom, L"", 12, 18, 294, 14,
     ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_TABSTOP | kChild},
    {DWORD(IDC_STATIC), kButtonAtom, L"下記のインストール先に拡張処理を行います。", 6, 6, 306, 36,
     BS_GROUPBOX | kChild},
};
constexpr WORD kItemCount = sizeof(kItems) / sizeof(kItems[0]);

std::vector<unsigned char> LoadTemplate(const ResourceImage& image) {
  // Found by the name the program asks for.
  std::wstring name = FromCp932(Name::DialogTemplate);
  EXPECT_EQ(image.Languages(WideId(RT_DIALOG), name.c_str()), std::vector<WORD>{kJapanese});
  bool found;
  auto data = image.Bytes(WideId(RT_DIALOG), name.c_str(), kJapanese, &found);
  EXPECT_TRUE(found) << "no Japanese dialog template";
  return data;
}

TEST_P(DialogResource, FrameIsAFixedFontModalBox) {
  auto data = LoadTemplate(Image());
  TemplateReader r(data);
  EXPECT_EQ(r.Read<WORD>(), 1) << "version";
  EXPECT_EQ(r.Read<WORD>(), 0xFFFF) << "not an extended template";
  EXPECT_EQ(r.Read<DWORD>(), 0u) << "help id";
  EXPECT_EQ(r.Read<DWORD>(), 0u) << "extended style";
  EXPECT_EQ(r.Read<DWORD>(), DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                                   DS_CENTER | DS_SETFONT | DS_FIXEDSYS));
  EXPECT_EQ(r.Read<WORD>(), kItemCount);
  r.Read<short>();  // x and y: centred at run time
  r.Read<short>();
  EXPECT_EQ(r.Read<short>(), 316);
  EXPECT_EQ(r.Read<short>(), 75);
  NameOrOrdinal menu = r.Name(), windowClass = r.Name();
  EXPECT_TRUE(menu.ordinal == 0 && menu.text.empty()) << "has a menu";
  EXPECT_TRUE(windowClass.ordinal == 0 && windowClass.text.empty()) << "has a window class";
  EXPECT_EQ(r.String(), L"拡張パック確認");
  EXPECT_EQ(r.Read<WORD>(), 8) << "points";
  EXPECT_EQ(r.Read<WORD>(), 400) << "weight";
  EXPECT_EQ(r.Read<BYTE>(), 0) << "italic";
  EXPECT_EQ(r.Read<BYTE>(), DEFAULT_CHARSET);
  EXPECT_EQ(r.String(), L"MS Shell Dlg");
  EXPECT_FALSE(r.Broken());
}

TEST_P(DialogResource, ControlsComeInOrderWithExactlyTheirStyles) {
  auto data = LoadTemplate(Image());
  TemplateReader r(data);
  // Skip the frame: fixed fields, then menu, class, title and font.
  for (int i = 0; i < 3; ++i) r.Read<DWORD>();
  r.Read<DWORD>();
  ASSERT_EQ(r.Read<WORD>(), kItemCount);
  for (int i = 0; i < 4; ++i) r.Read<short>();
  r.Name();
  r.Name();
  r.String();
  r.Read<DWORD>();  // points, weight, italic, charset
  r.String();
  for (const ExpectedItem& item : kItems) {
    SCOPED_TRACE(testing::Message() << "control " << LONG(item.id));
    r.AlignToDword();
    EXPECT_EQ(r.Read<DWORD>(), 0u) << "help id";
    EXPECT_EQ(r.Read<DWORD>(), 0u) << "extended style";
    EXPECT_EQ(r.Read<DWORD>(), item.style);
    EXPECT_EQ(r.Read<short>(), item.x);
    EXPECT_EQ(r.Read<short>(), item.y);
    EXPECT_EQ(r.Read<short>(), item.cx);
    EXPECT_EQ(r.Read<short>(), item.cy);
    EXPECT_EQ(r.Read<DWORD>(), item.id);
    NameOrOrdinal windowClass = r.Name();
    EXPECT_EQ(windowClass.ordinal, item.classAtom) << "class " << std::string(
        windowClass.text.begin(), windowClass.text.end());
    NameOrOrdinal title = r.Name();
    EXPECT_EQ(title.ordinal, 0);
    EXPECT_EQ(title.text, item.title);
    EXPECT_EQ(r.Read<WORD>(), 0) << "creation data";
    ASSERT_FALSE(r.Broken());
  }
  // Nothing follows the last control but padding.
  EXPECT_LT(data.size() - r.Offset(), 4u);
}

INSTANTIATE_FOR_BOTH_PRESETS(DialogResource);

}  // namespace
