// The random event generator and the two enemies it sends: bandits, who sit
// by the mine and steal iron, and raiders (indigens), who settle on a finished
// piece and tear it out. The player drives either off by clicking it quickly.
#include "game/rules/hazards.h"

#include "game/rules/board.h"
#include "game/rules/effects.h"
#include "game/rules/feedback.h"
#include "game/rules/pool.h"
#include "game/rules/match.h"
#include "runtime/collections.h"

namespace {

// Seconds between two events of a kind: 0 (never) for kind 0, else the
// kind's base plus a whole random part of 1..29.
int EventPeriod(Match& match, int kind) {
  if (kind < 1 || kind > 3) return 0;
  // The random part is truncated before the addition, so rounding in the sum
  // can never carry the period up to the next kind's base.
  return kEventBaseSeconds[kind] + static_cast<int>(match.random.Float(kEventRandomLow, kEventRandomHigh));
}

// Counts one second towards an event; true when the event falls due, and the
// count then starts again.
bool CountSecond(float& counter, int period) {
  counter += 1;
  if (period == 0 || counter < static_cast<float>(period)) return false;
  counter = 0;
  return true;
}

// Clicks raise the meter and every unpaused update lowers it a little; an
// enemy whose meter reaches the mark is driven off, and the board shows it
// running away.
void DecayChase(const Match& match, c_cEnemy* enemy, EnemyKind kind) {
  if (match.flags.gamePaused != 0 || enemy->chaseMeter <= 0) return;
  enemy->chaseMeter -= kChaseDecayPerUpdate;
  if (enemy->chaseMeter <= 0) enemy->chaseMeter = 0;
  if (enemy->chaseMeter < kChaseToDriveOff) return;
  enemy->active = 0;
  FeedbackEvent event = CellEvent(FeedbackKind::EnemyDrivenOff, enemy->x, enemy->y);
  event.enemy = kind;
  event.frame = enemy->animationFrame;
  ReportFeedback(event, match.clock.lastMillisecs);
}

void AnimateEnemy(c_cEnemy* enemy, float now) {
  if (enemy->animationTime + kEnemyFrameMs >= now) return;
  enemy->animationFrame = (enemy->animationFrame + 1) % kEnemyFrameCount;
  enemy->animationTime = now;
}

void PlaceEnemy(const Match& match, c_cEnemy* enemy, int x, int y) {
  const float now = static_cast<float>(match.clock.lastMillisecs);
  enemy->x = x;
  enemy->y = y;
  enemy->chaseMeter = 0;
  enemy->animationFrame = 0;
  enemy->actionTime = now;
  enemy->animationTime = now;
  enemy->active = 1;
}

// The first appearance of an enemy kind in a game pauses on its page.
void ShowIntroduction(ScreenFlags& flags, int& shown, int page) {
  if (shown != 0) return;
  flags.gamePaused = 1;
  flags.tutorialShowing = 1;
  flags.tutorialPage = page;
  shown = 1;
}

bool EnemyOn(const c_cEnemy* enemy, int cx, int cy) {
  return enemy->active == 1 && enemy->x == cx && enemy->y == cy;
}

// A theft of up to one load of iron; bandits who find less than a full load
// take the rest and leave.
void StealIron(c_cLevel& level, c_cBandits* bandits) {
  const int amount = level.match->run.iron >= kBanditsTheftAmount ? kBanditsTheftAmount : level.match->run.iron;
  level.AddTheftText(amount, CellLeft(bandits->x), CellTop(bandits->y));
  level.match->run.iron -= amount;
  if (amount < kBanditsTheftAmount) bandits->active = 0;
}

// Runs for bandits that were out at the start of the update, so bandits driven
// off in the update their time is up still steal once.
void StepBandits(c_cLevel& level, c_cBandits* bandits) {
  const float now = static_cast<float>(level.match->clock.lastMillisecs);
  DecayChase(*level.match, bandits, EnemyKind::Bandits);
  if (bandits->actionTime + kBanditsTheftMs < now) {
    // A theft that falls in a pause is not made: its timer just restarts.
    if (level.match->flags.gamePaused == 0) StealIron(level, bandits);
    bandits->actionTime = now;
  }
  if (level.match->flags.gamePaused == 0) AnimateEnemy(bandits, now);
}

// Raiders tear out the piece they sit on and leave. Only a finished piece is
// torn out: raiders kept from an earlier level may sit on scenery, which must
// stay blocked.
void TearOutPiece(c_cLevel& level, c_cIndigens* raiders) {
  if (level.CellKind(raiders->x, raiders->y) >= 0) {
    level.SetCellKind(raiders->x, raiders->y, CellEmpty);
    ReportFeedback(CellEvent(FeedbackKind::PieceTornOut, raiders->x, raiders->y), level.match->clock.lastMillisecs);
  }
  raiders->active = 0;
}

void StepIndigens(c_cLevel& level, c_cIndigens* raiders) {
  const float now = static_cast<float>(level.match->clock.lastMillisecs);
  DecayChase(*level.match, raiders, EnemyKind::Raiders);
  if (raiders->actionTime + kIndigensTearOutMs < now) {
    if (level.match->flags.gamePaused == 0) TearOutPiece(level, raiders);
    raiders->actionTime = now;
  }
  AnimateEnemy(raiders, now);
}

}  // namespace

void c_cLevel::ClearRandomEvents() {
  c_cRandomEventGenerator* events = eventGenerator;
  events->banditsCounter = 0;
  events->indigensCounter = 0;
  events->lastTick = static_cast<float>(match->clock.lastMillisecs);
  match->random.seed = match->CalendarSeed();
  events->banditsLevel = 0;
  events->indigensLevel = 0;
  events->banditsPeriod = 0;
  events->indigensPeriod = 0;
  events->banditsDue = 0;
  events->indigensDue = 0;
}

void c_cLevel::SetupRandomEvents(int banditsKind, int indigensKind) {
  ClearRandomEvents();
  c_cRandomEventGenerator* events = eventGenerator;
  events->banditsLevel = banditsKind;
  events->indigensLevel = indigensKind;
  events->banditsPeriod = EventPeriod(*match, banditsKind);
  events->indigensPeriod = EventPeriod(*match, indigensKind);
}

// Counts unpaused seconds; a tick that falls in a pause passes uncounted.
void c_cLevel::TickRandomEvents() {
  c_cRandomEventGenerator* events = eventGenerator;
  const float now = static_cast<float>(match->clock.lastMillisecs);
  if (events->lastTick + static_cast<float>(kSecondMs) > now) return;
  events->lastTick = now;
  if (match->flags.gamePaused != 0) return;
  if (CountSecond(events->banditsCounter, events->banditsPeriod)) events->banditsDue = 1;
  if (CountSecond(events->indigensCounter, events->indigensPeriod)) events->indigensDue = 1;
}

void c_cLevel::UpdateHazards() {
  TickRandomEvents();
  c_cRandomEventGenerator* events = eventGenerator;
  if (events->banditsDue == 1) {
    SpawnBandits();
    events->banditsDue = 0;
  }
  if (events->indigensDue == 1) {
    PickIndigensCell();
    if (indigensCellX != -1) SpawnIndigens(indigensCellX, indigensCellY);
    events->indigensDue = 0;
  }
  if (bandits[0]->active == 1) StepBandits(*this, bandits[0]);
  for (int i = 0; i < indigens.Length(); ++i) {
    if (indigens[i]->active == 1) StepIndigens(*this, indigens[i]);
  }
  UpdateExplosions(explosions, match->clock.lastMillisecs);
}

// Bandits camp on the mine's lower left cell. A level without a mine gives
// them no place, so they stay away (and their page is not shown there).
void c_cLevel::SpawnBandits() {
  c_cBandits* gang = bandits[0];
  if (gang->active == 1 || mine->active == 0) return;
  PlaceEnemy(*match, gang, mine->x, mine->y + 1);
  ShowIntroduction(match->flags, match->player->banditsIntroShown, kBanditsIntroPage);
  PlayGameSound(SoundBandits);
}

// Picks a random finished piece for the next raiders, or none (-1).
void c_cLevel::PickIndigensCell() {
  indigensCellX = -1;
  indigensCellY = -1;
  c_List* pieces = new c_List();
  for (int index = 0; index < cellKinds.Length(); ++index) {
    if (cellKinds[index] >= 0) pieces->AddLast(index);
  }
  const Array<int> cells = pieces->ToArray();
  const int count = cells.Length();
  if (count == 0) return;
  int position = static_cast<int>(match->random.Float(0.0f, static_cast<float>(count)));
  // A draw is below count, but keep the index inside the list whatever the
  // rounding of the float arithmetic.
  if (position >= count) position = count - 1;
  if (position < 0) position = 0;
  indigensCellX = cells[position] / kRows;
  indigensCellY = cells[position] % kRows;
}

void c_cLevel::SpawnIndigens(int x, int y) {
  c_cIndigens* raiders = FirstInactive(indigens);
  if (raiders == nullptr) return;
  PlaceEnemy(*match, raiders, x, y);
  ShowIntroduction(match->flags, match->player->indigensIntroShown, kIndigensIntroPage);
  PlayGameSound(SoundIndigens);
}

// A click on the bandits, or else on the first raiders of the cell, counts
// towards driving them off and is used up; any other click goes on.
bool c_cLevel::ClickHazard(float px, float py) {
  const int cx = CellAt(px);
  const int cy = CellAt(py);
  c_cEnemy* target = EnemyAt(cx, cy);
  if (target == nullptr) return false;
  target->chaseMeter += kChasePerClick;
  match->run.selectedPiece = -1;
  ReportFeedback(CellEvent(FeedbackKind::EnemyHit, cx, cy), match->clock.lastMillisecs);
  PlayGameSound(SoundEnemyHit);
  return true;
}

c_cEnemy* c_cLevel::EnemyAt(int cx, int cy) const {
  if (EnemyOn(bandits[0], cx, cy)) return bandits[0];
  for (int i = 0; i < indigens.Length(); ++i) {
    if (EnemyOn(indigens[i], cx, cy)) return indigens[i];
  }
  return nullptr;
}
