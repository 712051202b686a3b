// Where the status strip writes: one row of text for every field, centred in
// the recessed fields of the frame picture with a margin above them. The
// send-off moment writes its TIME label on the same spot.
#pragma once

constexpr float kStatusTextTop = 5;
// "TIME:" on the send-off button, whose click box is fixed (gui.h).
constexpr float kStatusTimeLabelX = 498;
