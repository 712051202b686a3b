// The file system's link to the host: the files live in the application state.
#include "host/files.h"
#include "support/file_system.h"

void c_FileSystem::LoadFilesFromState() {
  const String state = LoadAppState();
  // On the first run there is no state: the empty one is stored at once.
  if (state.Empty()) SaveAppState(String());
  LoadFilesFromText(state);
}

int c_FileSystem::SaveFilesToState() { return SaveAppState(BuildStateText()); }

c_FileSystem* CreateFileSystem() {
  c_FileSystem* fs = new c_FileSystem;
  fs->separator = String(u"\t");
  fileSystem = fs;
  fs->LoadFilesFromState();
  return fs;
}
