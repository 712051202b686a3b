#include "runtime/string.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include "runtime/array.h"
#include "runtime/slice.h"

namespace {
// The one representation of length 0. Its reference count is never maintained.
String::Rep emptyRep = {0, 0};

// Copies at most 63 units, reduced to their low 8 bits, into a C string.
void NumberPrefix(const String& s, char (&buffer)[64]) {
  const int n = s.Length() < 63 ? s.Length() : 63;
  for (int i = 0; i < n; ++i) buffer[i] = static_cast<char>(s.Data()[i] & 0xFF);
  buffer[n] = 0;
}

bool IsSpaceByte(char c) { return c == ' ' || (c >= 9 && c <= 13); }
}  // namespace

// ---- Byte and wide copies ---------------------------------------------------------

template <class Unit>
CharCopy<Unit>::CharCopy(std::size_t length) {
  block_ = static_cast<std::int32_t*>(std::malloc(sizeof(std::int32_t) + (length + 1) * sizeof(Unit)));
  if (!block_) throw std::bad_alloc();
  *block_ = 1;
  data()[length] = 0;
}

template <class Unit>
CharCopy<Unit>::CharCopy(const CharCopy& other) : block_(other.block_) {
  ++*block_;
}

template <class Unit>
CharCopy<Unit>& CharCopy<Unit>::operator=(const CharCopy& other) {
  ++*other.block_;
  if (--*block_ == 0) std::free(block_);
  block_ = other.block_;
  return *this;
}

template <class Unit>
CharCopy<Unit>::~CharCopy() {
  if (--*block_ == 0) std::free(block_);
}

template class CharCopy<char>;
template class CharCopy<char16_t>;

// ---- Representation management -----------------------------------------------------

String::Rep* String::Allocate(int length) {
  if (length <= 0) return &emptyRep;
  Rep* rep = static_cast<Rep*>(std::malloc(sizeof(Rep) + sizeof(char16_t) * static_cast<std::size_t>(length)));
  if (!rep) throw std::bad_alloc();
  rep->refs = 1;
  rep->length = length;
  return rep;
}

void String::Release() {
  // Only the static empty representation has length 0; it is never freed.
  if (rep_ == &emptyRep) return;
  if (rep_->refs-- == 1) std::free(rep_);
}

String::String() : rep_(&emptyRep) {}

String::String(const String& other) : rep_(other.rep_) { ++rep_->refs; }

String::String(String&& other) noexcept : rep_(other.rep_) { other.rep_ = &emptyRep; }

String& String::operator=(const String& other) {
  ++other.rep_->refs;
  Release();
  rep_ = other.rep_;
  return *this;
}

String& String::operator=(String&& other) noexcept {
  if (this != &other) {
    Release();
    rep_ = other.rep_;
    other.rep_ = &emptyRep;
  }
  return *this;
}

String::~String() { Release(); }

String::String(const char* bytes) : rep_(&emptyRep) { *this = FromCString(bytes); }

String::String(const char16_t* units) : rep_(&emptyRep) {
  int n = 0;
  while (units[n]) ++n;
  *this = String(units, n);
}

String::String(const char16_t* units, int length) : rep_(Allocate(length)) {
  if (length > 0) std::memcpy(rep_->units(), units, sizeof(char16_t) * static_cast<std::size_t>(length));
}

String::String(char16_t unit) : rep_(Allocate(1)) { rep_->units()[0] = unit; }

// ---- Operations --------------------------------------------------------------

String String::operator+(const String& other) const {
  if (Empty()) return other;
  if (other.Empty()) return *this;
  Rep* rep = Allocate(Length() + other.Length());
  std::memcpy(rep->units(), Data(), sizeof(char16_t) * Length());
  std::memcpy(rep->units() + Length(), other.Data(), sizeof(char16_t) * other.Length());
  return String(rep);
}

String operator+(const char* a, const String& b) { return String(a) + b; }

bool String::operator==(const String& other) const {
  if (rep_ == other.rep_) return true;
  return Length() == other.Length() &&
         std::memcmp(Data(), other.Data(), sizeof(char16_t) * Length()) == 0;
}

int String::Compare(const String& other) const {
  const int n = Length() < other.Length() ? Length() : other.Length();
  for (int i = 0; i < n; ++i) {
    const int diff = static_cast<int>(Data()[i]) - static_cast<int>(other.Data()[i]);
    if (diff != 0) return diff;
  }
  return Length() - other.Length();
}

int String::Find(const String& needle, int start) const {
  if (start < 0) start = 0;
  const int last = Length() - needle.Length();
  for (int i = start; i <= last; ++i) {
    if (std::memcmp(Data() + i, needle.Data(), sizeof(char16_t) * needle.Length()) == 0) return i;
  }
  return -1;
}

bool String::StartsWith(const String& prefix) const {
  return Length() >= prefix.Length() &&
         std::memcmp(Data(), prefix.Data(), sizeof(char16_t) * prefix.Length()) == 0;
}

bool String::EndsWith(const String& suffix) const {
  return Length() >= suffix.Length() &&
         std::memcmp(Data() + Length() - suffix.Length(), suffix.Data(),
                     sizeof(char16_t) * suffix.Length()) == 0;
}

String String::Slice(int from, int to) const {
  if (!ClampSliceRange(from, to, Length())) return String();
  if (from == 0 && to == Length()) return *this;
  return String(Data() + from, to - from);
}

String String::Trim() const {
  int from = 0, to = Length();
  while (from < to && Data()[from] <= 32) ++from;
  while (to > from && Data()[to - 1] <= 32) --to;
  return Slice(from, to);
}

String String::ToLower() const {
  int i = 0;
  while (i < Length() && !(Data()[i] >= u'A' && Data()[i] <= u'Z')) ++i;
  if (i == Length()) return *this;
  String result(Data(), Length());
  for (; i < Length(); ++i) {
    const char16_t u = result.rep_->units()[i];
    if (u >= u'A' && u <= u'Z') result.rep_->units()[i] = static_cast<char16_t>(u + 32);
  }
  return result;
}

Array<String> String::Split(const String& separator) const {
  if (separator.Empty()) {
    Array<String> units(Length());
    for (int i = 0; i < Length(); ++i) units[i] = String(Data()[i]);
    return units;
  }
  int occurrences = 0;
  for (int at = Find(separator); at != -1; at = Find(separator, at + separator.Length())) ++occurrences;
  Array<String> pieces(occurrences + 1);
  if (occurrences == 0) {
    pieces[0] = *this;
    return pieces;
  }
  int start = 0, k = 0;
  for (int at = Find(separator); at != -1; at = Find(separator, start)) {
    pieces[k++] = Slice(start, at);
    start = at + separator.Length();
  }
  pieces[k] = Slice(start);
  return pieces;
}

String String::Replace(const String& find, const String& with) const {
  if (find.Empty()) return *this;
  Array<String> pieces = Split(find);
  if (pieces.Length() == 1) return *this;
  String result = pieces[0];
  for (int i = 1; i < pieces.Length(); ++i) result = result + with + pieces[i];
  return result;
}

String String::FromInt(int value) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, "%i", value);
  return FromCString(buffer);
}

String String::FromFloat(float value) {
  char buffer[64];
  const double v = value;
  // Plain decimals for the magnitudes a game shows; exponent form only beyond them.
  const bool plain = v == 0 || (std::fabs(v) >= 1e-4 && std::fabs(v) < 1e9);
  // The shortest text that reads back as the same float.
  for (int digits = plain ? 0 : 1; digits <= 12; ++digits) {
    if (plain) {
      std::snprintf(buffer, sizeof buffer, "%.*f", digits, v);
    } else {
      std::snprintf(buffer, sizeof buffer, "%.*g", digits, v);
    }
    if (std::strtof(buffer, nullptr) == value) break;
  }
  return FromCString(buffer);
}

int String::ToInt() const {
  char buffer[64];
  NumberPrefix(*this, buffer);
  const char* p = buffer;
  while (IsSpaceByte(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  long long value = 0;
  const long long limit = negative ? 2147483648LL : 2147483647LL;
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + (*p - '0');
    if (value > limit) value = limit;  // saturates; later digits cannot bring it back
  }
  return static_cast<int>(negative ? -value : value);
}

float String::ToFloat() const {
  char buffer[64];
  NumberPrefix(*this, buffer);
  const float value = std::strtof(buffer, nullptr);
  return std::isfinite(value) ? value : 0.0f;
}

String String::FromBytes(const void* bytes, int n) {
  if (n <= 0) return String();
  Rep* rep = Allocate(n);
  const unsigned char* b = static_cast<const unsigned char*>(bytes);
  for (int i = 0; i < n; ++i) rep->units()[i] = b[i];
  return String(rep);
}

String String::FromCString(const char* bytes) {
  return FromBytes(bytes, static_cast<int>(std::strlen(bytes)));
}

String String::FromUtf8(const std::string& utf8) { return DecodeText(utf8.data(), utf8.size()); }

CString String::ToCString() const {
  CString copy(static_cast<std::size_t>(Length()));
  for (int i = 0; i < Length(); ++i) copy.data()[i] = static_cast<char>(Data()[i] & 0xFF);
  return copy;
}

WideCString String::ToWideCString() const {
  WideCString copy(static_cast<std::size_t>(Length()));
  if (Length() > 0) std::memcpy(copy.data(), Data(), sizeof(char16_t) * Length());
  return copy;
}

std::string String::ToUtf8() const { return EncodeUtf8(*this); }

// ---- Text codec --------------------------------------------------------------

std::string EncodeUtf8(const String& text) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.Length()));
  for (int i = 0; i < text.Length(); ++i) {
    const unsigned u = text.Data()[i];
    if (u < 128) {
      out += static_cast<char>(u);
    } else if (u < 2048) {
      out += static_cast<char>(192 + (u >> 6));
      out += static_cast<char>(128 + (u & 63));
    } else {
      out += static_cast<char>(224 + (u >> 12));
      out += static_cast<char>(128 + ((u >> 6) & 63));
      out += static_cast<char>(128 + (u & 63));
    }
  }
  return out;
}

namespace {
String DecodeUtf16(const unsigned char* b, std::size_t n, bool bigEndian) {
  const std::size_t units = (n - 2) / 2;
  if (units == 0) return String();
  std::u16string text(units, u'\0');
  for (std::size_t i = 0; i < units; ++i) {
    const unsigned b0 = b[2 + 2 * i], b1 = b[3 + 2 * i];
    text[i] = static_cast<char16_t>(bigEndian ? b0 * 256 + b1 : b1 * 256 + b0);
  }
  return String(text.data(), static_cast<int>(units));
}

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Decodes UTF-8 of at most three bytes a unit; false when the data is invalid.
bool DecodeUtf8(const unsigned char* b, std::size_t n, std::u16string& out) {
  out.reserve(n);
  for (std::size_t i = 0; i < n;) {
    const unsigned c = b[i];
    if (c < 128) {
      out += static_cast<char16_t>(c);
      i += 1;
    } else if ((c & 0xE0) == 0xC0) {
      if (i + 1 >= n || !IsContinuation(b[i + 1])) return false;
      out += static_cast<char16_t>((c & 31) * 64 + (b[i + 1] & 63));
      i += 2;
    } else if ((c & 0xF0) == 0xE0) {
      if (i + 2 >= n || !IsContinuation(b[i + 1]) || !IsContinuation(b[i + 2])) return false;
      out += static_cast<char16_t>((c * 4096 + (b[i + 1] & 63) * 64 + (b[i + 2] & 63)) & 65535);
      i += 3;
    } else {
      return false;
    }
  }
  return true;
}
}  // namespace

String DecodeText(const void* bytes, std::size_t n) {
  const unsigned char* b = static_cast<const unsigned char*>(bytes);
  if (n >= 2 && b[0] == 254 && b[1] == 255) return DecodeUtf16(b, n, true);
  if (n >= 2 && b[0] == 255 && b[1] == 254) return DecodeUtf16(b, n, false);
  if (n >= 3 && b[0] == 239 && b[1] == 187 && b[2] == 191) {
    b += 3;
    n -= 3;
  }
  std::u16string units;
  if (!DecodeUtf8(b, n, units)) return String::FromBytes(b, static_cast<int>(n));
  return String(units.data(), static_cast<int>(units.size()));
}
