// A drawing colour, 0..255 per channel, as the views name theirs.
#pragma once

#include "graphics/drawing.h"

struct Colour {
  float r, g, b;
};

inline void Tint(const Colour& c) { SetColor(c.r, c.g, c.b); }
