#include "game/solver/hint_text.h"

std::string HintLine(const HintResult& hint) {
  if (!hint.wayExists) return "No way to FINISH from here - Restart?";
  const size_t count = hint.toOrder.size();
  std::string line = "Hint: " + std::to_string(count) + (count == 1 ? " more piece, " : " more pieces, ") +
                     std::to_string(hint.ironCost) + " iron (you have " + std::to_string(hint.ironInStock);
  if (hint.hasMine) line += "; the mine holds " + std::to_string(hint.mineReserve);
  return line + ")";
}
