// The game's type scale. Every text the game writes is in the interface face
// (the font "time.txt", rendered at 18 pixels by the data generator), set in
// one of these sizes; the pictures' words use the same steps. No number is
// written under the smallest.
#pragma once

constexpr float kFontPixels = 18;
constexpr float kTypeSmall = 14;
constexpr float kTypeBody = 18;
constexpr float kTypeSubtitle = 24;
constexpr float kTypeDisplay = 36;
// The font's line: the height of each glyph's picture at 18 pixels, outline
// and shadow included.
constexpr float kFontLineHeight = 28;
// How far below the pen the middle of the capitals and digits lies, at 18
// pixels: a figure centred in a field is written this far above its middle.
constexpr float kFontCapCentre = 10.5f;

// The scale that draws the font at a size of the scale.
constexpr float TypeScale(float pixels) { return pixels / kFontPixels; }
