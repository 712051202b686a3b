#include "support/file_system.h"

#include <cstdlib>
#include <string>

gc_global<c_FileSystem*> fileSystem;

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Number of tokens left from index i on, without overflowing on absurd counts.
bool HasTokens(int length, int i, long long count) { return static_cast<long long>(i) + count <= length; }

}  // namespace

float ParseDecimalFloat(const String& text) {
  const int n = text.Length() < 255 ? text.Length() : 255;
  const char16_t* u = text.Data();
  int i = 0;
  while (i < n && (u[i] == 32 || (u[i] >= 9 && u[i] <= 13))) ++i;
  std::string number;
  if (i < n && (u[i] == u'+' || u[i] == u'-')) number += static_cast<char>(u[i++]);
  int digits = 0;
  while (i < n && IsDigit(u[i])) {
    number += static_cast<char>(u[i++]);
    ++digits;
  }
  if (i < n && u[i] == u'.') {
    number += '.';
    ++i;
    while (i < n && IsDigit(u[i])) {
      number += static_cast<char>(u[i++]);
      ++digits;
    }
  }
  if (digits == 0) return 0.0f;
  // The exponent counts only when at least one digit follows its sign.
  if (i < n && (u[i] == u'e' || u[i] == u'E')) {
    int j = i + 1;
    std::string exponent = "e";
    if (j < n && (u[j] == u'+' || u[j] == u'-')) exponent += static_cast<char>(u[j++]);
    if (j < n && IsDigit(u[j])) {
      while (j < n && IsDigit(u[j])) exponent += static_cast<char>(u[j++]);
      number += exponent;
    }
  }
  // The text holds only the characters above, so the conversion reads all of it.
  return std::strtof(number.c_str(), nullptr);
}

// ---- c_FileStream -----------------------------------------------------------

void c_FileStream::AppendInt(int value) {
  if (!valueText.Empty()) valueText += separator;
  valueText += String::FromInt(value);
  ++valueCount;
}

const String* c_FileStream::NextToken() {
  if (readPosition >= 0 && readPosition < readTokens.Length()) return &readTokens[readPosition++];
  lastError = String("End of file: ") + fileName;
  return nullptr;
}

int c_FileStream::NextInt() {
  const String* token = NextToken();
  return token ? token->ToInt() : 0;
}

float c_FileStream::NextFloat() {
  const String* token = NextToken();
  return token ? ParseDecimalFloat(*token) : 0.0f;
}

void c_FileStream::Mark() { readTokens.Mark(); }

// ---- c_FileSystem -----------------------------------------------------------

c_FileSystem::c_FileSystem() : files(new c_StringMap2), header("TVXDATA") {}

c_FileStream* c_FileSystem::NewStream() {
  c_FileStream* stream = new c_FileStream;
  stream->separator = separator;
  return stream;
}

c_FileStream* c_FileSystem::CreateFile(const String& name) {
  c_FileStream* stream = NewStream();
  stream->fileName = name.ToLower();
  files->Set(stream->fileName, stream);
  return stream;
}

c_FileStream* c_FileSystem::OpenFile(const String& name) {
  c_FileStream* stream = static_cast<c_FileStream*>(files->Get(name.ToLower()));
  if (!stream) return nullptr;
  stream->readPosition = 0;
  // A file without values has no tokens, so its first read reports the end.
  stream->readTokens = stream->valueCount <= 0 ? Array<String>() : stream->valueText.Split(separator);
  return stream;
}

void c_FileSystem::LoadFilesFromText(const String& text) {
  stateText = text;
  files = new c_StringMap2;
  if (text.Empty()) return;
  Array<String> tokens = text.Split(separator);
  const int length = tokens.Length();
  if (!(tokens[0] == header) || length < 2) return;
  const int fileCount = tokens[1].ToInt();
  // offset: where token i starts in the text. A file's values are one stretch of
  // the text, so they are sliced out instead of joined again.
  const int gap = separator.Length();
  int offset = tokens[0].Length() + gap + tokens[1].Length() + gap;
  int i = 2;
  for (int f = 0; f < fileCount; ++f) {
    // A file whose name, count or values are missing ends the load: the files
    // before it are complete, nothing after it can be trusted.
    if (!HasTokens(length, i, 2)) break;
    const int count = tokens[i + 1].ToInt();
    const int values = count > 0 ? count : 0;
    if (!HasTokens(length, i + 2, values)) break;
    c_FileStream* stream = NewStream();
    stream->fileName = tokens[i];
    stream->valueCount = values;
    offset += tokens[i].Length() + gap + tokens[i + 1].Length() + gap;
    int end = offset;
    for (int v = 0; v < values; ++v) end += tokens[i + 2 + v].Length() + gap;
    if (values > 0) stream->valueText = text.Slice(offset, end - gap);
    files->Set(stream->fileName, stream);
    offset = end;
    i += 2 + values;
  }
}

String c_FileSystem::BuildStateText() {
  std::u16string text(header.Data(), header.Length());
  auto append = [&text, this](const String& s) {
    text.append(separator.Data(), separator.Length());
    text.append(s.Data(), s.Length());
  };
  append(String::FromInt(files->Count()));
  c_ValueEnumerator* it = files->Values()->ObjectEnumerator();
  while (it->HasNext()) {
    c_FileStream* stream = static_cast<c_FileStream*>(it->NextObject());
    append(stream->fileName);
    append(String::FromInt(stream->valueCount));
    if (stream->valueCount > 0) append(stream->valueText);
  }
  stateText = String(text.data(), static_cast<int>(text.size()));
  return stateText;
}

void c_FileSystem::Mark() { files.Mark(); }
