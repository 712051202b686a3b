// Where the level editor's controls stand around the board: the level's
// numbers along the top strip (where play shows its status line), the tools
// along the bottom (where play shows its palette) with the verdict and the
// buttons under them, and the question a save or a leave may ask over the
// board.
#pragma once

#include "game/screens/hit_box.h"

// The controls of the two strips, one box each.
enum EditorButton {
  EditorName,          // the level's name: click, then type
  EditorIronLess,      // the start iron, one step down
  EditorIronMore,      // and up
  EditorReserveLess,   // the mine's reserve, one step down
  EditorReserveMore,   // and up
  EditorBandits,       // none, low, high round
  EditorRaiders,       // the same for the raiders
  EditorUndo,
  EditorRedo,
  EditorRoute,         // the cheapest route drawn faintly, or not
  EditorPlay,          // the level as a match of its own
  EditorSave,
  EditorCopy,          // the next of the fifteen levels as a starting copy
  EditorMenu,
  kEditorButtonCount
};

constexpr HitBox kEditorButtons[kEditorButtonCount] = {
    ClosedBox(6, 296, 3, 27),                                 // name
    ClosedBox(346, 370, 3, 27),   ClosedBox(432, 456, 3, 27),  // iron - +
    ClosedBox(512, 536, 3, 27),   ClosedBox(602, 626, 3, 27),  // reserve - +
    ClosedBox(636, 822, 3, 27),   ClosedBox(830, 1018, 3, 27), // bandits, raiders
    ClosedBox(566, 624, 737, 765), ClosedBox(630, 688, 737, 765), ClosedBox(694, 752, 737, 765),
    ClosedBox(758, 816, 737, 765), ClosedBox(822, 880, 737, 765), ClosedBox(886, 944, 737, 765),
    ClosedBox(950, 1018, 737, 765),
};

// The fields the numbers are written in, between their - and + buttons.
constexpr HitBox kEditorIronField = ClosedBox(370, 432, 3, 27);
constexpr HitBox kEditorReserveField = ClosedBox(536, 602, 3, 27);
// The labels' left ends.
constexpr float kEditorIronLabelX = 304;
constexpr float kEditorReserveLabelX = 464;

// One step of the - and + buttons.
constexpr int kEditorIronStep = 100;
constexpr int kEditorReserveStep = 500;

// The tool palette's row: slots side by side from the left, as many as fit.
constexpr float kToolRowLeft = 6;
constexpr float kToolRowTop = 701;
constexpr float kToolRowWidth = 1012;
constexpr float kToolSlotMaxPitch = 44;
constexpr float kToolSlotGap = 3;
constexpr float kToolSlotHeight = 33;
// Slot n of a palette of `count`, bounds included.
constexpr HitBox ToolSlotBox(int n, int count) {
  const float pitch = count * kToolSlotMaxPitch > kToolRowWidth ? kToolRowWidth / count : kToolSlotMaxPitch;
  const float left = kToolRowLeft + pitch * n;
  return ClosedBox(left, left + pitch - kToolSlotGap, kToolRowTop, kToolRowTop + kToolSlotHeight);
}

// The verdict's line, left of the buttons.
constexpr float kVerdictLineX = 8;
constexpr float kVerdictLineY = 740;
constexpr float kVerdictLineWidth = 550;

// The question over the board ("Replace NAME?"), with its two answers: above
// the middle row, where START and FINISH stand on a new level.
constexpr HitBox kEditorQuestionPanel = ClosedBox(282, 742, 130, 260);
constexpr HitBox kEditorYes = ClosedBox(332, 492, 200, 240);
constexpr HitBox kEditorNo = ClosedBox(532, 692, 200, 240);
