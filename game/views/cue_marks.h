// Marks that say with their shape what the game's colours say: a tick for an
// order that would be taken, a cross for one refused, a dashed ring round an
// enemy, a steady outline where a flash would blink. Each is built of small
// squares (the drawing interface draws rectangles and pictures), so the shapes
// can be checked without a window.
#pragma once

#include <vector>

struct MarkSquare {
  float x, y;  // the square's top-left corner, from the mark's top-left
};

// The squares of a tick and a cross `size` pixels across, each `kMarkPen` wide.
constexpr float kMarkPen = 3;
std::vector<MarkSquare> TickSquares(float size);
std::vector<MarkSquare> CrossSquares(float size);
// The squares of a dashed ring of `radius` round (0, 0): `dashes` dashes
// with gaps as long between them.
std::vector<MarkSquare> DashedRingSquares(float radius, int dashes);

// The verdict's mark at (x, y), in a light pen over a dark backing so it
// reads on any ground.
void DrawVerdictMark(bool taken, float x, float y, float size);
// A dashed ring in the current colour and alpha round (cx, cy).
void DrawDashedRing(float cx, float cy, float radius, int dashes);
// A rectangle's outline, `width` pixels, in the current colour and alpha.
void DrawOutline(float left, float top, float w, float h, float width);
