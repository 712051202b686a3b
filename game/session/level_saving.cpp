#include "game/session/level_saving.h"
