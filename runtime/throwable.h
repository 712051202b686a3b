// The throwable family. The host catches ThrowableObject* around every call
// into the application; nothing in this program throws one of the library
// exceptions, but they exist so the type lookup can name them.
#pragma once

#include "runtime/gc.h"

class ThrowableObject : public Object {
 public:
  // "tarvex.lang.Throwable" and its descendants' full type names.
  virtual String FullType() const { return String("tarvex.lang.Throwable"); }
  // The last dotted component of the full type name.
  String Type() const;
};

class c_QuaddException : public ThrowableObject {
 public:
  c_QuaddException();
  c_QuaddException(const String& message, ThrowableObject* cause = nullptr);
  String FullType() const override { return String("quadd.exception.QuaddException"); }
  String Message() const { return message; }
  ThrowableObject* Cause() const { return cause; }
  String ToString() const;
  void Mark() override { cause.Mark(); }

  String message;
  gc_ref<ThrowableObject> cause;
};

#define TARVEX_DECLARE_EXCEPTION(Name, FullName)                                   \
  class Name : public c_QuaddException {                                           \
   public:                                                                         \
    using c_QuaddException::c_QuaddException;                                      \
    String FullType() const override { return String(FullName); }                  \
  };

TARVEX_DECLARE_EXCEPTION(c_AssertException, "quadd.exception.AssertException")
TARVEX_DECLARE_EXCEPTION(c_ConcurrentModificationException,
                         "quadd.exception.ConcurrentModificationException")
TARVEX_DECLARE_EXCEPTION(c_IndexOutOfBoundsException, "quadd.exception.IndexOutOfBoundsException")
TARVEX_DECLARE_EXCEPTION(c_IllegalArgumentException, "quadd.exception.IllegalArgumentException")
TARVEX_DECLARE_EXCEPTION(c_XMLParseException, "quadd.exception.XMLParseException")

#undef TARVEX_DECLARE_EXCEPTION
