// The campaign's final figures on the end picture: the total score, the gold
// left and the time of the line as the records keep it (each level's fastest
// won run added together), and where the game writes each of them.
#pragma once

#include "game/rules/state.h"
#include "game/screens/level_records.h"
#include "game/views/colour.h"
#include "game/views/type_scale.h"

struct EndFigures {
  int score = 0;
  int gold = 0;
  int seconds = 0;
};

// The session keeps only the current level's play time, so the campaign's time
// is the records' own: the fastest win of every level won.
EndFigures FinalFigures(const Progress& progress, const LevelRecords& records);

// The centres of the dark fields of "menu/theend.png", in the order score,
// gold, time.
struct FieldCentre {
  float x, y;
};
constexpr int kEndFigureCount = 3;
constexpr FieldCentre kEndFields[kEndFigureCount] = {{340, 310}, {340, 356}, {340, 402}};
constexpr float kEndValueScale = TypeScale(kTypeSubtitle);
constexpr Colour kEndFigureColour = {255, 236, 170};
