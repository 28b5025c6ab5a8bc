#include "platform/message_box.h"

#include "config/product_config.h"

MessageBoxFunction MessageBoxCall = &MessageBoxA;

int ShowBox(BoxKind kind, const char* text, const char* caption, HWND owner) {
  return MessageBoxCall(owner, text, caption ? caption : ProductConfig.Caption, BoxFlags(kind));
}
