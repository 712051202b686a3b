// Loading the game's pictures, sounds, music and font at start-up. A file that
// does not load stops the program at once with one line naming the file and
// the data folder it was looked for in, and status 1: a game with invisible
// pieces, or one that fails at its first draw, tells the player nothing.
#pragma once

#include "audio/sound.h"
#include "graphics/drawing.h"
#include "runtime/string.h"
#include "support/bitmap_font.h"

constexpr int kMissingDataStatus = 1;
// The pieces of music, each looped: the title's, the menu's and the map's,
// a level's, and the last minute's of a countdown.
constexpr const char* kMusicFile = "music.ogg";
constexpr const char* kLevelMusicFile = "music_level.ogg";
constexpr const char* kTensionMusicFile = "music_tension.ogg";
constexpr int kMusicLoop = 1;

c_Image* LoadGameImage(const String& path, int frameCount = 1, int flags = defaultImageFlags);
c_Image* LoadGameImage(const String& path, int frameWidth, int frameHeight, int frameCount, int flags);
// A rectangle in the current colour, drawn from the pictures' own texture so
// it does not break their batch.
void FillGameRect(float x, float y, float w, float h);
// Without a working audio device nothing can be loaded and nothing is heard:
// the sound is then null and the game goes on silently.
c_Sound* LoadGameSound(const String& path);
// The font description and its page pictures.
c_BitmapFont* LoadGameFont(const String& name);
// Whether an audio device is open (never in a run without a window system).
bool AudioWorks();
// "music.ogg" on the music channel, looping, at the given volume.
void StartGameMusic(float volume);

// The line the program stops with when `file` does not load.
String MissingDataMessage(const String& file);
[[noreturn]] void StopForMissingData(const String& file);
