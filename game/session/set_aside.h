// A damaged file of the saved state is never read again and never lost: its
// values move to a file of its own where nothing reads them, and one line says so.
#pragma once

#include "runtime/string.h"
#include "support/file_system.h"

void SetAsideDamaged(c_FileSystem* fs, c_FileStream* damaged, const char* asideName, const String& line);
