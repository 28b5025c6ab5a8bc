#include "common/box_recorder.h"

#include "platform/message_box.h"

namespace {
BoxRecorder* active = nullptr;
}

BoxRecorder::BoxRecorder() {
  active = this;
  MessageBoxCall = &BoxRecorder::Record;
}

BoxRecorder::~BoxRecorder() {
  MessageBoxCall = &MessageBoxA;
  active = nullptr;
}

std::string BoxRecorder::Texts() const {
  std::string all;
  for (const auto& box : boxes_) all += box.text + " | " + box.caption + "\n";
  return all;
}

int WINAPI BoxRecorder::Record(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
  active->boxes_.push_back({owner, text ? text : "", caption ? caption : "", flags});
  if (!active->answers_.empty()) {
    int answer = active->answers_.front();
    active->answers_.pop_front();
    return answer;
  }
  return (flags & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
}
