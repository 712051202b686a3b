#include "host/keys.h"

#include <GLFW/glfw3.h>

int TranslateKey(int key) {
  if (key >= GLFW_KEY_0 && key <= GLFW_KEY_9) return key;
  if (key >= GLFW_KEY_A && key <= GLFW_KEY_Z) return key;
  if (key >= GLFW_KEY_F1 && key <= GLFW_KEY_F12) return 112 + (key - GLFW_KEY_F1);
  switch (key) {
    case GLFW_KEY_SPACE: return 32;
    case GLFW_KEY_APOSTROPHE: return 222;  // also the double quote
    case GLFW_KEY_COMMA: return 188;
    case GLFW_KEY_MINUS: return 189;
    case GLFW_KEY_PERIOD: return 190;
    case GLFW_KEY_SLASH: return 191;
    case GLFW_KEY_SEMICOLON: return 186;
    case GLFW_KEY_EQUAL: return 187;
    case GLFW_KEY_LEFT_BRACKET: return 219;
    case GLFW_KEY_BACKSLASH: return 220;
    case GLFW_KEY_RIGHT_BRACKET: return 221;
    case GLFW_KEY_GRAVE_ACCENT: return 192;  // also the tilde
    case GLFW_KEY_ESCAPE: return 27;
    case GLFW_KEY_UP: return 38;
    case GLFW_KEY_DOWN: return 40;
    case GLFW_KEY_LEFT: return 37;
    case GLFW_KEY_RIGHT: return 39;
    case GLFW_KEY_LEFT_SHIFT:
    case GLFW_KEY_RIGHT_SHIFT: return 16;
    case GLFW_KEY_LEFT_CONTROL:
    case GLFW_KEY_RIGHT_CONTROL: return 17;
    case GLFW_KEY_TAB: return 9;
    case GLFW_KEY_ENTER: return 13;
    case GLFW_KEY_BACKSPACE: return 8;
    case GLFW_KEY_INSERT: return 45;
    case GLFW_KEY_DELETE: return 46;
    case GLFW_KEY_PAGE_UP: return 33;
    case GLFW_KEY_PAGE_DOWN: return 34;
    case GLFW_KEY_HOME: return 36;
    case GLFW_KEY_END: return 35;
    default: return 0;
  }
}

int EditingCharacter(int appKey) {
  switch (appKey) {
    case KeyBackspace:
    case KeyTab:
    case KeyEnter:
    case KeyEscape:
      return appKey;
    case KeyDelete:
      return 127;
    default:
      if ((appKey >= KeyPageUp && appKey <= 40) || appKey == KeyInsert) return appKey | 0x10000;
      return 0;
  }
}
