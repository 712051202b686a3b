// Plays a test under one rules version and puts the one in force back after.
#pragma once

#include "game/rules/state.h"

class RulesVersionScope {
 public:
  explicit RulesVersionScope(int version) : before_(RulesVersion()) { SetRulesVersion(version); }
  ~RulesVersionScope() { SetRulesVersion(before_); }
  RulesVersionScope(const RulesVersionScope&) = delete;
  RulesVersionScope& operator=(const RulesVersionScope&) = delete;

 private:
  int before_;
};
