// What the player is told about a moment only the rules can judge: an order
// refused and why, a worker the shop would not sell, a click on an enemy, a
// piece torn out, the train's crash and its cause; and what the board shows
// happening: a worker sent off, a piece or a clearing done, an enemy driven
// off. The rules report; whoever
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
  WorkerSent,       // task: where to; the cell is the job's (the mine's top-left)
  PieceFinished,    // the cell's piece is built; its worker is free
  StonesCleared,    // the cell's stones are gone; their worker is free
  EnemyDrivenOff,   // enemy: who; frame: its picture's frame when it fled
};

// Where a worker is sent, and whether he comes out of the mine for it.
enum class WorkerTask { Piece = 0, Stones, Mine };
enum class EnemyKind { Bandits = 0, Raiders };

struct FeedbackEvent {
  FeedbackKind kind = FeedbackKind::OrderRefused;
  int cellX = 0;
  int cellY = 0;
  OrderVerdict verdict = OrderVerdict::Taken;
  PurchaseVerdict purchase = PurchaseVerdict::Sold;
  CrashCause cause = CrashCause::EndOfTrack;
  WorkerTask task = WorkerTask::Piece;
  bool fromMine = false;
  EnemyKind enemy = EnemyKind::Bandits;
  int frame = 0;
  // The clock of the match (or the map) it happened on, in ms.
  int atMs = 0;
};

// A report of kind at a cell, the other fields at their defaults.
FeedbackEvent CellEvent(FeedbackKind kind, int cellX, int cellY);

class FeedbackListener {
 public:
  virtual ~FeedbackListener() {}
  virtual void Report(const FeedbackEvent& event) = 0;
};

// The listener reports go to (null: none, and reports are dropped).
void SetFeedbackListener(FeedbackListener* listener);
FeedbackListener* CurrentFeedbackListener();
// Reports the event as happened at nowMs of its match's clock.
void ReportFeedback(FeedbackEvent event, int nowMs);
