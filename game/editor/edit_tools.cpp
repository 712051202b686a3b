#include "game/editor/edit_tools.h"
