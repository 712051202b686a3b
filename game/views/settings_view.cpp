#include "game/views/settings_view.h"

#include <string>
#include <vector>

#include "game/rules/state.h"
#include "game/screens/gui.h"
#include "game/screens/menu.h"
#include "game/views/colour.h"
#include "game/views/data_files.h"
#include "game/views/feedback_view.h"

namespace {

constexpr Colour kInk = {52, 34, 22};
constexpr Colour kTrack = {120, 96, 70};
constexpr Colour kFilled = {160, 60, 36};
constexpr Colour kKnob = {70, 44, 26};
constexpr Colour kBoard = {104, 68, 40};
constexpr Colour kBoardText = {255, 244, 214};
constexpr Colour kWaiting = {178, 52, 40};
constexpr float kTextScale = 0.62f;
constexpr float kKeyTextScale = 0.5f;
constexpr float kLabelInset = 10;
constexpr float kTrackHeight = 6;
constexpr float kKnobWidth = 10, kKnobHeight = 26;
constexpr float kKeyCapWidth = 110;
// The line about the last change, under the switches, wrapped to the column.
constexpr float kLineTop = 472, kLinePitch = 24, kLineWidth = 340;

String Text(const std::string& text) { return String::FromUtf8(text); }

float MiddleY(const HitBox& box) { return (box.top + box.bottom) / 2; }

// Words into lines no wider than width at the scale.
std::vector<std::string> Wrap(c_BitmapFont* font, const std::string& text, float width, float scale) {
  std::vector<std::string> lines;
  std::string line, word;
  auto flush = [&] {
    if (word.empty()) return;
    const std::string tried = line.empty() ? word : line + " " + word;
    if (!line.empty() && font->TextWidth(Text(tried)) * scale > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = tried;
    }
    word.clear();
  };
  for (char c : text) {
    if (c == ' ') {
      flush();
    } else {
      word += c;
    }
  }
  flush();
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

void c_SettingsView::LoadSettingsImages() {
  panelImage = LoadGameImage(String("game/msgSettings.png"));
  menuSignImage = LoadGameImage(String("menu/settings.png"));
  pauseButtonImage = LoadGameImage(String("game/btnSettings.png"));
  inkFont = LoadGameFont(String("time.txt"));
  inkFont->drawBorder = false;
  inkFont->drawShadow = false;
}

void c_SettingsView::Mark() {
  panelImage.Mark();
  menuSignImage.Mark();
  pauseButtonImage.Mark();
  inkFont.Mark();
}

void c_SettingsView::RenderMenuSign() const {
  if (MendedRules()) DrawImage(menuSignImage, kMenuSettings.left, kMenuSettings.top);
}

void c_SettingsView::RenderPauseButton() const {
  if (MendedRules()) DrawImage(pauseButtonImage, kPauseSettingsButton.left, kPauseSettingsButton.top);
}

void c_SettingsView::RenderPanel(const c_cSettingsPanel& panel) const {
  if (!panel.shown) return;
  // The screen beneath stays in view, dimmed.
  SetColor(0, 0, 0);
  SetAlpha(0.45f);
  FillGameRect(0, 0, kScreenWidth, kScreenHeight);
  SetAlpha(1.0f);
  SetColor(255, 255, 255);
  DrawImage(panelImage, kSettingsPanel.left, kSettingsPanel.top);
  const Settings& s = gameState.settings;
  RenderSlider(SettingMusic, "Music", s.musicVolume);
  RenderSlider(SettingEffects, "Effects", s.effectsVolume);
  RenderSwitch(SettingFullScreen, "Full screen", s.fullScreenOn == 1);
  RenderSwitch(SettingShapes, "Shapes with colours", s.shapesWithColours == 1);
  RenderSwitch(SettingMotion, "Reduced motion", s.reducedMotion == 1);
  RenderButton(SettingResetKeys, "Reset to defaults");
  RenderButton(SettingClose, "Close");
  RenderKeyRows(panel);
  RenderLine(panel);
}

void c_SettingsView::RenderSlider(int control, const char* name, int volume) const {
  const HitBox box = kSettingsControls[control];
  const float y = MiddleY(box);
  Tint(kInk);
  DrawScaledText(inkFont, String(name), box.left + kLabelInset, y - 10, kTextScale, AlignLeft);
  const float span = kSliderRight - kSliderLeft;
  const float at = kSliderLeft + span * static_cast<float>(volume) / kFullVolume;
  Tint(kTrack);
  FillGameRect(kSliderLeft, y - kTrackHeight / 2, span, kTrackHeight);
  Tint(kFilled);
  FillGameRect(kSliderLeft, y - kTrackHeight / 2, at - kSliderLeft, kTrackHeight);
  Tint(kKnob);
  FillGameRect(at - kKnobWidth / 2, y - kKnobHeight / 2, kKnobWidth, kKnobHeight);
  Tint(kInk);
  DrawScaledText(inkFont, Text(std::to_string(volume * 10) + " %"), box.right - 4, y - 10, kTextScale, AlignRight);
  SetColor(255, 255, 255);
}

void c_SettingsView::RenderSwitch(int control, const char* name, bool on) const {
  const HitBox box = kSettingsControls[control];
  const float y = MiddleY(box);
  Tint(kInk);
  DrawScaledText(inkFont, String(name), box.left + kLabelInset, y - 10, kTextScale, AlignLeft);
  const float capLeft = box.right - kKeyCapWidth * 0.6f;
  Tint(on ? kFilled : kTrack);
  FillGameRect(capLeft, box.top + 6, box.right - 6 - capLeft, box.bottom - box.top - 12);
  Tint(kBoardText);
  DrawScaledText(inkFont, String(on ? "On" : "Off"), (capLeft + box.right - 6) / 2, y - 9, kTextScale);
  SetColor(255, 255, 255);
}

void c_SettingsView::RenderButton(int control, const char* name) const {
  const HitBox box = kSettingsControls[control];
  Tint(kBoard);
  FillGameRect(box.left, box.top, box.right - box.left, box.bottom - box.top);
  Tint(kBoardText);
  DrawScaledText(inkFont, String(name), (box.left + box.right) / 2, MiddleY(box) - 10, kTextScale);
  SetColor(255, 255, 255);
}

void c_SettingsView::RenderKeyRows(const c_cSettingsPanel& panel) const {
  const KeyBindings& keys = gameState.settings.keys;
  for (int action = 0; action < kKeyActionCount; ++action) {
    const HitBox row = SettingsKeyRow(action);
    const float y = MiddleY(row) - 8;
    Tint(kInk);
    DrawScaledText(inkFont, String(ActionName(static_cast<KeyAction>(action))), row.left + 6, y, kKeyTextScale,
                   AlignLeft);
    const bool waiting = panel.waitingFor == action;
    Tint(waiting ? kWaiting : kBoard);
    FillGameRect(row.right - kKeyCapWidth, row.top + 1, kKeyCapWidth, row.bottom - row.top - 2);
    Tint(kBoardText);
    const std::string cap = waiting ? "press a key" : KeyName(keys.Of(static_cast<KeyAction>(action)));
    DrawScaledText(inkFont, Text(cap), row.right - kKeyCapWidth / 2, y, kKeyTextScale);
  }
  SetColor(255, 255, 255);
}

void c_SettingsView::RenderLine(const c_cSettingsPanel& panel) const {
  if (panel.line.empty()) return;
  Tint(kWaiting);
  float y = kLineTop;
  for (const std::string& line : Wrap(inkFont, panel.line, kLineWidth, kTextScale)) {
    DrawScaledText(inkFont, Text(line), kSettingsControls[SettingMusic].left + kLabelInset, y, kTextScale, AlignLeft);
    y += kLinePitch;
  }
  SetColor(255, 255, 255);
}
