#include "game/rules/feedback.h"

namespace {

FeedbackListener* feedbackListener = nullptr;

}  // namespace

void SetFeedbackListener(FeedbackListener* listener) { feedbackListener = listener; }

FeedbackListener* CurrentFeedbackListener() { return feedbackListener; }

void ReportFeedback(FeedbackEvent event, int nowMs) {
  event.atMs = nowMs;
  if (feedbackListener != nullptr) feedbackListener->Report(event);
}

FeedbackEvent CellEvent(FeedbackKind kind, int cellX, int cellY) {
  FeedbackEvent event;
  event.kind = kind;
  event.cellX = cellX;
  event.cellY = cellY;
  return event;
}
