#include "game/screens/won_tally.h"

#include <algorithm>

#include "game/rules/departure.h"
#include "game/solver/cheapest_iron.h"

namespace {

constexpr int kLinePitchMs = kTallyLineMs + kTallyPauseMs;
constexpr int kStarsStartMs = kWonLineCount * kLinePitchMs;

int LineEndMs(int line) { return line * kLinePitchMs + kTallyLineMs; }
int StarMs(int star) { return kStarsStartMs + star * kStarStepMs; }

}  // namespace

int WonTally::Shown(int line, int nowMs) const {
  const int into = nowMs - startMs - line * kLinePitchMs;
  if (into <= 0) return 0;
  if (into >= kTallyLineMs) return values[line];
  // 64-bit: a score times the milliseconds may pass 2^31.
  return static_cast<int>(static_cast<long long>(values[line]) * into / kTallyLineMs);
}

int WonTally::StarsShown(int nowMs) const {
  int shown = 0;
  while (shown < stars && nowMs - startMs >= StarMs(shown)) ++shown;
  return shown;
}

bool WonTally::NewBestShown(int nowMs) const { return newBest && nowMs - startMs >= StarMs(stars); }

void WonTally::Follow(int nowMs) {
  if (!started) return;
  while (linesSounded < kWonLineCount && nowMs - startMs >= LineEndMs(linesSounded)) {
    ++linesSounded;
    PlayGameSound(SoundTally);
  }
  while (starsSounded < StarsShown(nowMs)) {
    ++starsSounded;
    PlayGameSound(SoundStar);
  }
}

namespace {

void TakeFigures(WonTally& tally, const LevelRun& run) {
  tally.values[WonLineBonus] = run.departSecondsLeft == -1 ? 0 : kDepartBonus;
  tally.values[WonLineGold] = run.levelGold;
  tally.values[WonLineScore] = run.levelScore;
}

}  // namespace

WonTally WholeTallyOf(const LevelRun& run, int nowMs) {
  WonTally tally;
  TakeFigures(tally, run);
  tally.startMs = nowMs - kStarsStartMs;
  tally.linesSounded = kWonLineCount;
  return tally;
}

namespace {

// The figures and times of an arrival; false when there is none to count or
// the count has begun.
bool BeginTally(WonTally& tally, const LevelRun& run, int arrivalSeconds, int nowMs) {
  if (tally.started || run.trainArrived != 1) return false;
  tally = WonTally{};
  tally.started = true;
  tally.startMs = nowMs;
  TakeFigures(tally, run);
  tally.departSecondsLeft = run.departSecondsLeft;
  tally.arrivalSeconds = arrivalSeconds;
  return true;
}

}  // namespace

void StartWonTallyOnArrival(WonTally& tally, const LevelRun& run, int arrivalSeconds, const LevelRecord& record,
                            int nowMs) {
  if (!BeginTally(tally, run, arrivalSeconds, nowMs)) return;
  tally.stars = StarsForWin(run.ironSpent, CheapestIron(run.levelNumber));
  tally.newBest = BreaksRecord(record, run.levelScore, arrivalSeconds);
}

void StartDailyTallyOnArrival(WonTally& tally, const LevelRun& run, int arrivalSeconds, Par par, int nowMs) {
  if (!BeginTally(tally, run, arrivalSeconds, nowMs)) return;
  tally.par = par;
  tally.ironSpent = run.ironSpent;
}
