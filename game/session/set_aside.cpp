#include "game/session/set_aside.h"

#include "runtime/error.h"

void SetAsideDamaged(c_FileSystem* fs, c_FileStream* damaged, const char* asideName, const String& line) {
  c_FileStream* aside = fs->CreateFile(String(asideName));
  aside->valueText = damaged->valueText;
  aside->valueCount = damaged->valueCount;
  Print(line);
}
