#include "game/editor/level_verdict.h"
