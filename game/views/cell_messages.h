// One message per cell at a time: a cell may have a floating amount or
// message of the rules, a refusal's reason and the pointer's word all at
// once; only the newest shows (the pointer's word, which stands as long as the
// pointer does, only when nothing happened there lately). Built afresh for a
// frame from the level's texts and the feedback's marks.
#pragma once

#include <vector>

#include "game/rules/board.h"
#include "game/views/feedback_view.h"

class CellMessages {
 public:
  CellMessages(const c_cLevel& level, const std::vector<FeedbackMark>& marks, int now);
  // Whether entry `index` of the level's floating texts shows.
  bool TextShown(int index) const;
  // Whether the reason of entry `index` of the marks shows.
  bool ReasonShown(int index) const;
  // No message on the cell: the pointer's word may show there.
  bool CellQuiet(int cx, int cy) const;

 private:
  enum class Source { Text, Reason };
  struct Message {
    Source source;
    int index;
    int cellX;
    int cellY;
    int ageMs;
  };
  bool Newest(Source source, int index) const;
  std::vector<Message> messages;
};

// The cell a floating text rose from (the texts start at a cell's corner).
void TextOrigin(const c_cScoreText& text, int* cellX, int* cellY);
// How many steps a floating text has risen (each step fades it a little).
int TextStepsRisen(const c_cScoreText& text);
