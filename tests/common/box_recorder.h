// Records every message box the code under test asks for, with its exact
// flags, and answers it from a script instead of showing it.
#pragma once
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

struct RecordedBox {
  HWND owner;
  std::string text;
  std::string caption;
  UINT flags;
};

class BoxRecorder {
 public:
  // Boxes not covered by Answer() get IDOK, or IDNO for the yes/no kinds.
  BoxRecorder();
  ~BoxRecorder();
  BoxRecorder(const BoxRecorder&) = delete;
  BoxRecorder& operator=(const BoxRecorder&) = delete;

  void Answer(int result) { answers_.push_back(result); }
  const std::vector<RecordedBox>& Boxes() const { return boxes_; }
  // The texts of the boxes, one a line, for readable failure output.
  std::string Texts() const;

 private:
  static int WINAPI Record(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);
  std::vector<RecordedBox> boxes_;
  std::deque<int> answers_;
};
