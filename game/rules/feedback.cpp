#include "game/rules/feedback.h"

namespace {

FeedbackListener* feedbackListener = nullptr;

}  // namespace

void SetFeedbackListener(FeedbackListener* listener) { feedbackListener = listener; }

FeedbackListener* CurrentFeedbackListener() { return feedbackListener; }

void ReportFeedback(const FeedbackEvent& event) {
  if (feedbackListener != nullptr) feedbackListener->Report(event);
}
