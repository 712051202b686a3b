// The effect table: the game's sounds loaded from their files and played on
// channel 0, where a new effect cuts off the one still playing.
#pragma once

#include "audio/sound.h"
#include "game/rules/sounds.h"
#include "runtime/array.h"
#include "runtime/gc.h"

// Entries 0..6 from their files; 7..9 stay without a sample. Written by
// LoadGameSounds, read by the sound table's player.
extern gc_global<Array<c_Sound*>> gameSounds;

// Fills the effect table from the sound files and installs its player, so
// the rules' sounds are heard from now on.
void LoadGameSounds();
