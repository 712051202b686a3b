#include "game/editor/level_edit.h"
