#include "game/views/data_files.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "graphics/atlas.h"
#include "host/files.h"
#include "runtime/error.h"

namespace {

// The data folder as a person can find it: absolute when it exists.
std::string DataFolderShown() {
  char resolved[PATH_MAX];
  if (realpath(DataFolder().c_str(), resolved) != nullptr) return std::string(resolved) + "/";
  return DataFolder();
}

// Every picture of the game goes through one atlas, so the board, the train,
// the interface and the text share a few textures and draw in few batches.
gc_global<c_ImageAtlas*> gameAtlas;

c_ImageAtlas* GameAtlas() {
  if (gameAtlas.get() == nullptr) gameAtlas = new c_ImageAtlas();
  return gameAtlas;
}

c_Image* RequireFontPage(const String& path) {
  c_Image* page = GameAtlas()->Load(path);
  if (page == nullptr) StopForMissingData(path);
  return page;
}

}  // namespace

void FillGameRect(float x, float y, float w, float h) { GameAtlas()->FillRect(x, y, w, h); }

bool AudioWorks() {
  gxtkAudio* audio = currentAudioDevice;
  return audio != nullptr && audio->context != nullptr;
}

String MissingDataMessage(const String& file) {
  return String("Cannot load the data file \"") + file + String("\" from the data folder \"") +
         String::FromUtf8(DataFolderShown()) + String("\"");
}

void StopForMissingData(const String& file) {
  Print(MissingDataMessage(file));
  std::fflush(nullptr);
  // Nothing of the half-started game is worth tidying up.
  _exit(kMissingDataStatus);
}

c_Image* LoadGameImage(const String& path, int frameCount, int flags) {
  c_Image* image = GameAtlas()->Load(path, frameCount, flags);
  if (image == nullptr) StopForMissingData(path);
  return image;
}

c_Image* LoadGameImage(const String& path, int frameWidth, int frameHeight, int frameCount, int flags) {
  c_Image* image = GameAtlas()->Load(path, frameWidth, frameHeight, frameCount, flags);
  if (image == nullptr) StopForMissingData(path);
  return image;
}

c_Sound* LoadGameSound(const String& path) {
  if (!AudioWorks()) return nullptr;
  c_Sound* sound = CreateSound(path);
  if (sound == nullptr) StopForMissingData(path);
  return sound;
}

c_BitmapFont* LoadGameFont(const String& name) {
  // The packed layouts load their page pictures while the description is read.
  const FontImageLoader previous = fontImageLoader;
  fontImageLoader = RequireFontPage;
  c_BitmapFont* font = LoadFont(name);
  fontImageLoader = previous;
  if (font->faceGlyphs.Length() == 0) StopForMissingData(name);
  return font;
}

void StartGameMusic(float volume) {
  SetMusicLevel(volume);
  if (!AudioWorks()) return;
  if (StartMusicFile(String(kMusicFile), kMusicLoop) != 0) StopForMissingData(String(kMusicFile));
}
