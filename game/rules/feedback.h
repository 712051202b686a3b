// What the player is told about a moment only the rules can judge: an order
// refused and why, a worker the shop would not sell, a click on an enemy, a
// piece torn out, the train's crash and its cause. The rules report; whoever
// shows it (the session's feedback memory) installs a listener. Reports change
// no state, so a run without a listener plays exactly the same.
#pragma once

// Why an order of a rail piece is refused, or that it is taken.
enum class OrderVerdict {
  Taken = 0,
  TrainLeft,  // the train has gone, or the level has ended
  Blocked,    // the cell holds a piece, a job or scenery
  NoIron,
  PoolFull,   // every job entry is in use
  NoWorker,   // no idle worker and none in the mine
};

// Why the shop does not sell a worker.
enum class PurchaseVerdict { Sold = 0, TooFewGold, TooManyWorkers };

// What the train ran into.
enum class CrashCause {
  EndOfTrack = 0,   // an empty cell, or the board's edge
  UnfinishedPiece,  // a piece the workers are still building
  Scenery,          // stones, a building, the mine
  WrongPiece,       // a finished piece that does not join the track
  NoTrackFromStart, // nothing built on START itself
};

enum class FeedbackKind {
  OrderRefused,     // verdict: why
  PurchaseRefused,  // purchase: why
  EnemyHit,         // a click counted towards driving an enemy off
  PieceTornOut,     // raiders took the piece of the cell
  TrainCrashed,     // cause: why; the cell is the one it ran into
};

struct FeedbackEvent {
  FeedbackKind kind = FeedbackKind::OrderRefused;
  int cellX = 0;
  int cellY = 0;
  OrderVerdict verdict = OrderVerdict::Taken;
  PurchaseVerdict purchase = PurchaseVerdict::Sold;
  CrashCause cause = CrashCause::EndOfTrack;
};

class FeedbackListener {
 public:
  virtual ~FeedbackListener() {}
  virtual void Report(const FeedbackEvent& event) = 0;
};

// The listener reports go to (null: none, and reports are dropped).
void SetFeedbackListener(FeedbackListener* listener);
FeedbackListener* CurrentFeedbackListener();
void ReportFeedback(const FeedbackEvent& event);
