// String: immutable UTF-16 text with value semantics. Copies share one
// reference-counted representation; the single empty representation is static
// and never freed. Strings are not collected objects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/check.h"

template <class T>
class Array;

// A reference-counted, zero-terminated copy of a string's units, made for
// operating-system calls: bytes (low 8 bits of every unit) or 16-bit units.
template <class Unit>
class CharCopy {
 public:
  explicit CharCopy(std::size_t length);
  CharCopy(const CharCopy& other);
  CharCopy& operator=(const CharCopy& other);
  ~CharCopy();
  const Unit* get() const { return data(); }
  Unit* data() const { return reinterpret_cast<Unit*>(block_ + 1); }

 private:
  std::int32_t* block_;  // reference count, then the characters and a zero
};
using CString = CharCopy<char>;
using WideCString = CharCopy<char16_t>;

class String {
 public:
  struct Rep {
    std::int32_t refs;
    std::int32_t length;
    char16_t* units() { return reinterpret_cast<char16_t*>(this + 1); }
    const char16_t* units() const { return reinterpret_cast<const char16_t*>(this + 1); }
  };

  String();
  String(const String& other);
  String(String&& other) noexcept;
  String& operator=(const String& other);
  String& operator=(String&& other) noexcept;
  ~String();

  // Each byte of a zero-terminated string becomes one unit (Latin-1).
  String(const char* bytes);
  String(const char16_t* units);
  String(const char16_t* units, int length);
  // A one-unit string.
  explicit String(char16_t unit);

  int Length() const { return rep_->length; }
  bool Empty() const { return rep_->length == 0; }
  char16_t operator[](int i) const {
    TARVEX_CHECK_INDEX(i, rep_->length);
    return rep_->units()[i];
  }
  const char16_t* Data() const { return rep_->units(); }

  String operator+(const String& other) const;
  String& operator+=(const String& other) { return *this = *this + other; }
  bool operator==(const String& other) const;
  bool operator!=(const String& other) const { return !(*this == other); }
  bool operator<(const String& other) const { return Compare(other) < 0; }

  int Compare(const String& other) const;
  int Find(const String& needle, int start = 0) const;
  bool Contains(const String& needle) const { return Find(needle) != -1; }
  bool StartsWith(const String& prefix) const;
  bool EndsWith(const String& suffix) const;
  String Slice(int from) const { return Slice(from, Length()); }
  String Slice(int from, int to) const;
  String Trim() const;
  String ToLower() const;
  Array<String> Split(const String& separator) const;
  String Replace(const String& find, const String& with) const;

  static String FromInt(int value);
  // Shortest round-trip decimal text of a float ("1.5", "0", "-2.25").
  static String FromFloat(float value);
  int ToInt() const;
  // Decimal number from the first 63 units, like ToInt; no number gives 0.
  float ToFloat() const;
  static String FromBytes(const void* bytes, int n);
  static String FromCString(const char* bytes);
  static String FromUtf8(const std::string& utf8);

  CString ToCString() const;
  WideCString ToWideCString() const;
  // UTF-8 bytes, for console output, text files and file names.
  std::string ToUtf8() const;

  // Identity of the shared representation (tests check sharing with it).
  const Rep* RepForTesting() const { return rep_; }

 private:
  explicit String(Rep* rep) : rep_(rep) {}
  static Rep* Allocate(int length);
  void Release();

  Rep* rep_;
};

String operator+(const char* a, const String& b);

// The text codec of every text file and console line.
// Encodes each unit on its own (surrogates included), without a byte-order mark.
std::string EncodeUtf8(const String& text);
// UTF-16 by byte-order mark, else UTF-8 (a leading mark skipped), else one unit per byte.
String DecodeText(const void* bytes, std::size_t n);
inline String DecodeText(const std::string& bytes) { return DecodeText(bytes.data(), bytes.size()); }
