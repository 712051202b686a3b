// The effect table: which file each of the game's sounds plays and on which
// channel. Everyday effects share channel 0, where a new one cuts off the one
// still playing; the explosion, the jingles, the countdown's tick, the train's
// running loop and the hammers have channels of their own, so a loss sting
// does not cut off its explosion.
#pragma once

#include "audio/sound.h"
#include "game/rules/sounds.h"
#include "runtime/array.h"
#include "runtime/gc.h"

// One sample per GameSound entry (SoundClickSpare plays the click). Written
// by LoadGameSounds, read by the sound table's player.
extern gc_global<Array<c_Sound*>> gameSounds;

// The channel an entry plays on.
int ChannelOfSound(int sound);
// The file an entry plays, relative to the data folder.
const char* FileOfSound(int sound);

// Fills the effect table from the sound files and installs its player, so
// the rules' sounds are heard from now on.
void LoadGameSounds();

// The train's loop: started when it is not already playing, and only while
// the sound switch is on; stopped otherwise.
void KeepTrainLoop(bool running);
// At most this many hammers are heard at once, however many workers build.
constexpr int kMaxHammerLoops = 3;
// One hammering loop per worker at a construction job, up to kMaxHammerLoops,
// each on a channel of its own; only while the sound switch is on.
void KeepHammerLoops(int workersAtWork);
// How many hammer loops were started and not stopped since.
int HammerLoopsPlaying();
// Whether a jingle (won, lost, the whistle) is still heard.
bool JinglePlaying();
