#include <gtest/gtest.h>

#include "common/box_recorder.h"
#include "config/product_config.h"
#include "platform/message_box.h"

namespace {
TEST(Boxes, KindsCarryExactFlags) {
  const struct {
    BoxKind kind;
    UINT flags;
  } cases[] = {
      {BoxKind::Error, 0x40010},  {BoxKind::Warning, 0x40030}, {BoxKind::Question, 0x40024},
      {BoxKind::YesNo, 0x40004},  {BoxKind::Plain, 0x40000},
  };
  for (const auto& c : cases) {
    BoxRecorder boxes;
    ShowBox(c.kind, "text");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].flags, c.flags) << static_cast<int>(c.kind);
  }
}

TEST(Boxes, ProductCaptionAndNoOwnerUnlessGiven) {
  BoxRecorder boxes;
  boxes.Answer(IDYES);
  EXPECT_EQ(ShowBox(BoxKind::Question, "q"), IDYES);
  ShowBox(BoxKind::Warning, "w", "own caption", reinterpret_cast<HWND>(0x1234));
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_EQ(boxes.Boxes()[0].caption, ProductConfig.Caption);
  EXPECT_EQ(boxes.Boxes()[0].owner, nullptr);
  EXPECT_EQ(boxes.Boxes()[1].caption, "own caption");
  EXPECT_EQ(boxes.Boxes()[1].owner, reinterpret_cast<HWND>(0x1234));
}

// The real MessageBoxA behind ShowBox: a CBT hook reads the box that Windows
// built and answers it, proving the CP932 bytes survive the trip to the screen.
std::string seenText, seenCaption;
HHOOK hook;
LRESULT CALLBACK AnswerBox(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wParam);
    char cls[32] = "", text[512] = "", caption[512] = "";
    GetClassNameA(box, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0) {
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      GetWindowTextA(box, caption, sizeof caption);
      seenText = text;
      seenCaption = caption;
      PostMessageA(box, WM_COMMAND, IDNO, 0);
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

TEST(Boxes, RealBoxShowsTextAndCaptionBytes) {
  hook = SetWindowsHookExA(WH_CBT, AnswerBox, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  int answer = ShowBox(BoxKind::Question, "表示ソ能\nよろしいですか？");
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(answer, IDNO);
  EXPECT_EQ(seenCaption, ProductConfig.Caption);
  EXPECT_EQ(seenText, "表示ソ能\nよろしいですか？");
}
}  // namespace
