// The moment the line joins START to FINISH, and what TIME then promises: a
// light runs along the joined line, the TIME button pulses and a line says
// what sending the train is worth; on departure a word says only what is
// true (the bonus comes on arrival, and a broken line earns nothing). The
// view remembers when the line joined and when the train left; the session
// shows it each update what the level has become.
#pragma once

#include <vector>

#include "game/rules/match.h"
#include "game/solver/track.h"
#include "graphics/drawing.h"
#include "runtime/gc.h"
#include "support/bitmap_font.h"

constexpr const char* kLineCompleteText = "Line complete - send the train: +500 on arrival";
constexpr const char* kDepartJoinedText = "Off it goes: +500 on arrival";
constexpr const char* kDepartBrokenText = "Off it goes - but the line is not joined!";
// How fast the light runs along the line, and how long it rests between runs.
constexpr int kLightMsPerCell = 70;
constexpr int kLightRestMs = 1800;
constexpr int kDepartWordMs = 2500;

// The score the status line shows: the send-off bonus is only promised until
// the train arrives, so it is not shown as earned before.
int ScoreToShow(const LevelRun& run);

class c_MomentView : public Object {
 public:
  void LoadMomentImages(c_BitmapFont* textFont);
  // Once per playing update, after the level's step: the line's state and the
  // train's departure as they are now. The joining plays its sound here, once.
  void Observe(const Match& match);
  bool LineJoined() const { return !line.empty(); }
  int JoinedAtMs() const { return joinedAtMs; }
  const std::vector<RouteStep>& Line() const { return line; }
  // When the train left (-1 while it waits) and whether its line was joined.
  int DepartedAtMs() const { return departedAtMs; }
  bool DepartedJoined() const { return departedJoined; }
  // Whether the joined line's message and the TIME pulse show: the line is
  // joined, the train waits and nothing covers the board.
  bool InviteShown(const Match& match) const;

  // Over the rails, under the train: the light along the joined line.
  void DrawLineLight(const Match& match) const;
  // Over the interface: the TIME pulse, the line's message, the departure's word.
  void DrawOverGui(const Match& match) const;
  void Mark() override;

  gc_ref<c_Image> glowImage;
  gc_ref<c_BitmapFont> font;

 private:
  void DrawGlow(float x, float y, float scale, float alpha) const;
  void DrawTimePulse(int now) const;
  void DrawDepartureWord(const LevelRun& run, int now) const;
  std::vector<RouteStep> line;
  int joinedAtMs = -1;
  int departedAtMs = -1;
  bool departedJoined = false;
  bool departedEarly = false;
};

// The point `along` cells into the line (0 at START's west edge): through a
// straight on its axis, through a curve on a smooth bend between the two
// sides' middles.
struct LinePoint {
  float x = 0;
  float y = 0;
};
LinePoint PointAlong(const std::vector<RouteStep>& line, float along);
