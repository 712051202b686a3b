#include "game/views/hint_view.h"

#include "game/screens/hit_box.h"
#include "game/screens/gui.h"
#include "game/rules/state.h"
#include "game/views/data_files.h"
#include "game/views/type_scale.h"

namespace {

constexpr float kGhostAlpha = 0.55f;
constexpr float kBandAlpha = 0.72f;
constexpr float kBandPadding = 10;
constexpr float kBandHeight = 30;
constexpr float kScreenCentreX = kScreenWidth / 2;
// The hint's line just under the status strip; the banner half-way down.
constexpr float kHintLineY = 52;
constexpr float kBannerY = 60;
constexpr float kTextHalfHeight = kFontLineHeight / 2;
constexpr float kNumberInset = 6;
constexpr float kButtonRim = 2;

}  // namespace

void c_HintView::LoadHintImages() {
  font = LoadGameFont(String("time.txt"));
  showMeImage = LoadGameImage(String("game/btnShowMe.png"));
}

void c_HintView::RenderHintGhosts(const LevelHint& hint, const Array<c_Image*>& pieceImages) const {
  for (std::size_t i = 0; i < hint.ghosts.size(); ++i) {
    const HintGhost& ghost = hint.ghosts[i];
    const float x = static_cast<float>(CellLeft(ghost.cell.x));
    const float y = static_cast<float>(CellTop(ghost.cell.y));
    SetColor(255, 255, 255);
    SetAlpha(kGhostAlpha);
    if (ghost.kind >= 0 && ghost.kind < pieceImages.Length()) DrawImage(pieceImages[ghost.kind], x, y);
    SetAlpha(1.0f);
    SetColor(255, 230, 80);
    font->DrawText(String::FromInt(static_cast<int>(i) + 1), x + kNumberInset, y + kNumberInset);
  }
  SetColor(255, 255, 255);
}

void DrawTextBand(c_BitmapFont* font, const String& text, float centreY, float r, float g, float b, float alpha) {
  if (font == nullptr) return;
  const float width = font->TextWidth(text) + 2 * kBandPadding;
  SetColor(30, 20, 10);
  SetAlpha(kBandAlpha * alpha);
  FillGameRect(kScreenCentreX - width / 2, centreY - kBandHeight / 2, width, kBandHeight);
  SetAlpha(alpha);
  SetColor(r, g, b);
  font->DrawText(text, kScreenCentreX, centreY - kTextHalfHeight, AlignCenter);
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
}

void c_HintView::RenderHintLine(const LevelHint& hint) const {
  const String line = String::FromUtf8(hint.line);
  if (hint.wayExists) {
    DrawTextBand(font, line, kHintLineY, 255, 242, 160);
  } else {
    DrawTextBand(font, line, kHintLineY, 255, 120, 90);
  }
}

void c_HintView::RenderButton(const HitBox& box, const String& label) const {
  const float w = box.right - box.left;
  const float h = box.bottom - box.top;
  SetColor(70, 40, 20);
  FillGameRect(box.left, box.top, w, h);
  SetColor(150, 100, 50);
  FillGameRect(box.left + kButtonRim, box.top + kButtonRim, w - 2 * kButtonRim, h - 2 * kButtonRim);
  SetColor(255, 244, 214);
  font->DrawText(label, (box.left + box.right) / 2, (box.top + box.bottom) / 2 - kTextHalfHeight, AlignCenter);
  SetColor(255, 255, 255);
}

void c_HintView::RenderHintButton() const { RenderButton(kHintButton, String("?")); }

void c_HintView::RenderShowMeButton(const LevelRun& run) const {
  if (!MendedRules()) {
    RenderButton(kShowMeButton, String("Show me (S)"));
    return;
  }
  const HitBox box = ShowMeBox(run);
  DrawImage(showMeImage, box.left, box.top);
}

void c_HintView::RenderTutorialSkip(int page) const { RenderButton(TutorialSkipBox(page), String("Skip")); }

void c_HintView::RenderDemonstrationBanner() const {
  DrawTextBand(font, String("Demonstration - press any key to stop"), kBannerY, 255, 255, 255);
}

void c_HintView::Mark() {
  font.Mark();
  showMeImage.Mark();
}
