#include "runtime/throwable.h"

String ThrowableObject::Type() const {
  const String full = FullType();
  int dot = -1;
  for (int at = full.Find(String(".")); at != -1; at = full.Find(String("."), at + 1)) dot = at;
  return full.Slice(dot + 1);
}

c_QuaddException::c_QuaddException() = default;

c_QuaddException::c_QuaddException(const String& text, ThrowableObject* cause_) : message(text) {
  cause = cause_;
}

String c_QuaddException::ToString() const {
  return message.Empty() ? Type() : Type() + String(": ") + message;
}
