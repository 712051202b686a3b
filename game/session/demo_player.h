// The player of a demonstration: follows the solver's work plan for a level
// from its start, deciding each step's click from what the board shows, the
// way the scripted player of the tools does. Its clicks go into the same
// handlers as a person's; it never calls a rule itself.
#pragma once

#include <cstddef>

#include "game/rules/match.h"
#include "game/solver/work_plan.h"

struct DemoClick {
  float x = 0;
  float y = 0;
};

class DemoPlayer {
 public:
  explicit DemoPlayer(const WorkPlan& plan) : plan_(plan) {}

  // The click to make before the next step of the level, if any; playMs is
  // the game time the level's clocks have run.
  bool NextClick(const Match& match, int playMs, DemoClick* click);

 private:
  enum class Check { None, Order, Stones, Mine, SendOff };

  // Whether the level took the last planned click: the next one is due only
  // then, else the same is clicked again.
  bool Taken(const Match& match, const PlannedClick& c) const;
  static bool Affordable(const Match& match, const PlannedClick& c);

  WorkPlan plan_;
  std::size_t next_ = 0;
  Check check_ = Check::None;
  int minersBefore_ = 0;
};
