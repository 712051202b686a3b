#include "game/views/editor_view.h"

#include <algorithm>
#include <string>

#include "game/rules/state.h"
#include "game/views/colour.h"
#include "game/views/cue_marks.h"
#include "game/views/data_files.h"
#include "game/views/feedback_view.h"
#include "game/views/type_scale.h"

namespace {

constexpr ::Colour kStripWood = {74, 48, 28};
constexpr ::Colour kBoardWood = {112, 74, 44};
constexpr ::Colour kFieldDark = {40, 27, 17};
constexpr ::Colour kPaper = {255, 244, 214};
constexpr ::Colour kDimmed = {150, 130, 110};
constexpr ::Colour kWinnable = {150, 240, 130};
constexpr ::Colour kNoWay = {255, 120, 100};
constexpr ::Colour kChosen = {255, 214, 90};
constexpr ::Colour kRoute = {255, 236, 150};
constexpr ::Colour kWhite = {255, 255, 255};
constexpr float kTextScale = TypeScale(kTypeSmall);
// Where a line of small type starts above the middle of its box.
constexpr float kTextAboveMiddle = kFontCapCentre * kTextScale;
constexpr float kTopStripHeight = 31;
constexpr float kBottomStripTop = 698;
constexpr float kGhostAlpha = 0.5f;
constexpr float kGhostCellAlpha = 0.3f;
// The route: a faint band through the cells' centres.
constexpr float kRouteAlpha = 0.4f;
constexpr float kRouteWidth = 12;
constexpr float kChosenRim = 2;
constexpr float kSlotInset = 2;

String Text(const std::string& text) { return String::FromUtf8(text); }
float MiddleX(const HitBox& b) { return (b.left + b.right) / 2; }
float MiddleY(const HitBox& b) { return (b.top + b.bottom) / 2; }
void Fill(const HitBox& b) { FillGameRect(b.left, b.top, b.right - b.left, b.bottom - b.top); }

// What a button says.
const char* const kButtonLabels[kEditorButtonCount] = {
    "", "-", "+", "-", "+", "", "", "Undo", "Redo", "Route", "Play", "Save", "Copy", "Menu",
};

// The picture a tool lays down, and how many cells it covers.
struct ToolPicture {
  c_Image* image = nullptr;
  int width = 1, height = 1;
};

ToolPicture PictureOf(const ToolChoice& tool, const c_BoardView& view) {
  c_Image* const tunnels[4] = {view.tunnelImageN, view.tunnelImageE, view.tunnelImageS, view.tunnelImageW};
  switch (tool.tool) {
    case EditTool::Scenery:
      if (tool.sceneryKind < 0 || tool.sceneryKind >= view.buildingImages.Length()) return {};
      return {view.buildingImages[tool.sceneryKind], BuildingWidth(tool.sceneryKind), BuildingHeight(tool.sceneryKind)};
    case EditTool::Stones: return {view.stonesImage};
    case EditTool::Gold: return {view.goldImage};
    case EditTool::Mine: return {view.mineImage, 2, 2};
    case EditTool::TunnelEntry:
    case EditTool::TunnelExit: return {tool.side >= 0 && tool.side < 4 ? tunnels[tool.side] : nullptr};
    case EditTool::Start: return {view.startTileImage};
    case EditTool::Finish: return {view.finishTileImage};
    case EditTool::Eraser: return {};
  }
  return {};
}

}  // namespace

void c_EditorView::LoadEditorImages() {
  font = LoadGameFont(String("time.txt"));
  inkFont = LoadGameFont(String("time.txt"));
  inkFont->drawBorder = false;
  inkFont->drawShadow = false;
}

void c_EditorView::Mark() {
  font.Mark();
  inkFont.Mark();
}

void c_EditorView::RenderEditor(const c_cEditor& editor, const c_BoardView& boardView, bool targetShown,
                                CellXY target, int hoveredTool) const {
  const Match& match = *editor.board;
  boardView.RenderBoard(match);
  if (editor.routeShown) RenderRoute(editor.verdict);
  boardView.RenderBoardOverlay(match);
  if (targetShown && editor.question == EditorQuestion::None) RenderGhost(editor, boardView, target);
  RenderTopStrip(editor);
  RenderBottomStrip(editor, boardView);
  RenderMessage(editor);
  if (editor.question == EditorQuestion::None) RenderToolName(hoveredTool);
  RenderQuestion(editor);
  Tint(kWhite);
  SetAlpha(1.0f);
}

// ---- On the board --------------------------------------------------------------------

void c_EditorView::RenderRoute(const LevelVerdict& verdict) const {
  if (!verdict.route.found) return;
  Tint(kRoute);
  SetAlpha(kRouteAlpha);
  const std::vector<RouteStep>& steps = verdict.route.steps;
  const float half = kRouteWidth / 2;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const float x = static_cast<float>(CellCentre(steps[i].cell.x));
    const float y = static_cast<float>(CellCentre(steps[i].cell.y));
    FillGameRect(x - half, y - half, kRouteWidth, kRouteWidth);
    if (i == 0) continue;
    // A band back to the step before, when it is a neighbour (not the
    // tunnel's jump).
    const CellXY a = steps[i - 1].cell, b = steps[i].cell;
    if (std::abs(a.x - b.x) + std::abs(a.y - b.y) != 1) continue;
    const float ax = static_cast<float>(CellCentre(a.x)), ay = static_cast<float>(CellCentre(a.y));
    const float left = std::min(ax, x), top = std::min(ay, y);
    if (a.y == b.y) {
      FillGameRect(left + half, y - half, std::abs(ax - x) - kRouteWidth, kRouteWidth);
    } else {
      FillGameRect(x - half, top + half, kRouteWidth, std::abs(ay - y) - kRouteWidth);
    }
  }
  SetAlpha(1.0f);
  Tint(kWhite);
}

void c_EditorView::RenderGhost(const c_cEditor& editor, const c_BoardView& boardView, CellXY target) const {
  const EditPreview preview = editor.PreviewAt(target);
  const GhostTint tint = preview.fits ? kGhostFits : kGhostRefused;
  SetColor(tint.r, tint.g, tint.b);
  SetAlpha(kGhostCellAlpha);
  for (const CellXY& c : preview.cells) {
    FillGameRect(static_cast<float>(CellLeft(c.x)), static_cast<float>(CellTop(c.y)), kCellSize, kCellSize);
  }
  const ToolPicture picture = PictureOf(editor.Tool(), boardView);
  if (picture.image != nullptr) {
    SetAlpha(kGhostAlpha);
    DrawImage(picture.image, static_cast<float>(CellLeft(target.x)), static_cast<float>(CellTop(target.y)));
  }
  SetAlpha(1.0f);
  const std::string caption = preview.fits ? ToolName(editor.Tool()) : preview.why;
  const ::Colour colour = preview.fits ? kPaper : kNoWay;
  // Centred under the cell, but whole on the screen at the board's edges.
  const float half = font->TextWidth(Text(caption)) * kTextScale / 2 + 4;
  const float captionX = std::clamp(static_cast<float>(CellCentre(target.x)), half, kScreenWidth - half);
  DrawShadowedText(font, Text(caption), captionX,
                   static_cast<float>(CellTop(target.y) + kCellSize - 22), kTextScale, AlignCenter, colour.r,
                   colour.g, colour.b, 1.0f);
  DrawVerdictMark(preview.fits, static_cast<float>(CellLeft(target.x) + kCellSize - 24),
                  static_cast<float>(CellTop(target.y) + 6), 18);
  Tint(kWhite);
}

// ---- The strips ----------------------------------------------------------------------

void c_EditorView::RenderButton(const HitBox& box, const char* label, bool enabled) const {
  Tint(kBoardWood);
  Fill(box);
  Tint(enabled ? kPaper : kDimmed);
  DrawScaledText(inkFont, String(label), MiddleX(box), MiddleY(box) - kTextAboveMiddle, kTextScale);
}

void c_EditorView::RenderTopStrip(const c_cEditor& editor) const {
  const LevelLayout& level = editor.Layout();
  Tint(kStripWood);
  FillGameRect(0, 0, kScreenWidth, kTopStripHeight);
  // The name's field, with a caret while it takes the keys.
  const HitBox name = kEditorButtons[EditorName];
  Tint(editor.typing ? kBoardWood : kFieldDark);
  Fill(name);
  Tint(kPaper);
  DrawScaledText(inkFont, Text("Name: " + (editor.typing ? editor.NameDraft() + "_" : level.name)), name.left + 6,
                 MiddleY(name) - kTextAboveMiddle, kTextScale, AlignLeft);
  const float y = MiddleY(name) - kTextAboveMiddle;
  DrawScaledText(inkFont, String("Iron"), kEditorIronLabelX, y, kTextScale, AlignLeft);
  DrawScaledText(inkFont, String("Mine"), kEditorReserveLabelX, y, kTextScale, AlignLeft);
  for (int b = EditorIronLess; b <= EditorReserveMore; ++b) {
    RenderButton(kEditorButtons[b], kButtonLabels[b], b <= EditorIronMore || level.hasMine);
  }
  Tint(kFieldDark);
  Fill(kEditorIronField);
  Fill(kEditorReserveField);
  Tint(kPaper);
  DrawScaledText(inkFont, String::FromInt(level.iron), MiddleX(kEditorIronField), y, kTextScale);
  Tint(level.hasMine ? kPaper : kDimmed);
  DrawScaledText(inkFont, level.hasMine ? String::FromInt(level.mineReserve) : String("none"),
                 MiddleX(kEditorReserveField), y, kTextScale);
  const std::string bandits = std::string("Bandits: ") + EventsWord(BanditsLevel(level));
  const std::string raiders = std::string("Raiders: ") + EventsWord(RaidersLevel(level));
  RenderButton(kEditorButtons[EditorBandits], bandits.c_str(), true);
  RenderButton(kEditorButtons[EditorRaiders], raiders.c_str(), true);
}

void c_EditorView::RenderToolIcon(const ToolChoice& tool, const c_BoardView& boardView, const HitBox& slot) const {
  const float width = slot.right - slot.left - 2 * kSlotInset, height = slot.bottom - slot.top - 2 * kSlotInset;
  Tint(kWhite);
  if (tool.tool == EditTool::Eraser) {
    const float size = std::min(width, height) - 6;
    DrawVerdictMark(false, MiddleX(slot) - size / 2, MiddleY(slot) - size / 2, size);
    return;
  }
  const ToolPicture picture = PictureOf(tool, boardView);
  if (picture.image == nullptr) return;
  // The footprint's cells, scaled into the slot.
  const float pictureW = static_cast<float>(kCellSize * picture.width);
  const float pictureH = static_cast<float>(kCellSize * picture.height);
  const float scale = std::min(width / pictureW, height / pictureH);
  DrawImage(picture.image, MiddleX(slot) - pictureW * scale / 2, MiddleY(slot) - pictureH * scale / 2, 0, scale,
            scale, 0);
  // A tunnel's exit is told from its entry by a mark.
  if (tool.tool == EditTool::TunnelExit) {
    Tint(kChosen);
    FillGameRect(slot.right - 8, slot.top + 2, 6, 6);
  }
}

void c_EditorView::RenderBottomStrip(const c_cEditor& editor, const c_BoardView& boardView) const {
  Tint(kStripWood);
  FillGameRect(0, kBottomStripTop, kScreenWidth, kScreenHeight - kBottomStripTop);
  const std::vector<ToolChoice>& palette = ToolPalette();
  const int count = static_cast<int>(palette.size());
  for (int t = 0; t < count; ++t) {
    const HitBox slot = ToolSlotBox(t, count);
    if (t == editor.toolIndex) {
      Tint(kChosen);
      FillGameRect(slot.left - kChosenRim, slot.top - kChosenRim, slot.right - slot.left + 2 * kChosenRim,
                   slot.bottom - slot.top + 2 * kChosenRim);
    }
    Tint(kBoardWood);
    Fill(slot);
    RenderToolIcon(palette[static_cast<std::size_t>(t)], boardView, slot);
  }
  // The verdict, always in view.
  const ::Colour verdictColour = editor.verdict.winnable ? kWinnable : kNoWay;
  DrawShadowedText(font, Text(editor.verdict.text), kVerdictLineX, kVerdictLineY, kTextScale, AlignLeft,
                   verdictColour.r, verdictColour.g, verdictColour.b, 1.0f);
  const EditHistory& history = editor.History();
  const bool enabled[] = {history.CanUndo(), history.CanRedo(), editor.verdict.route.found, true, true, true, true};
  for (int b = EditorUndo; b <= EditorMenu; ++b) {
    const bool route = b == EditorRoute && editor.routeShown;
    if (route) {
      Tint(kChosen);
      Fill(OpenBox(kEditorButtons[b].left - kChosenRim, kEditorButtons[b].right + kChosenRim,
                   kEditorButtons[b].top - kChosenRim, kEditorButtons[b].bottom + kChosenRim));
    }
    RenderButton(kEditorButtons[b], kButtonLabels[b], enabled[b - EditorUndo]);
  }
}

// ---- Over the board ------------------------------------------------------------------

void c_EditorView::RenderMessage(const c_cEditor& editor) const {
  if (editor.message.empty()) return;
  const float width = font->TextWidth(Text(editor.message)) * kTextScale + 24;
  const float x = kScreenWidth / 2, y = kBottomStripTop - 40;
  Tint(kFieldDark);
  SetAlpha(0.85f);
  FillGameRect(x - width / 2, y - 4, width, 30);
  SetAlpha(1.0f);
  const ::Colour colour = editor.messageRefused ? kNoWay : kPaper;
  DrawShadowedText(font, Text(editor.message), x, y, kTextScale, AlignCenter, colour.r, colour.g, colour.b, 1.0f);
}

// The palette's icons are small: the one under the pointer says what it is,
// on a label above its slot, kept on the screen.
void c_EditorView::RenderToolName(int tool) const {
  const int count = static_cast<int>(ToolPalette().size());
  if (tool < 0 || tool >= count) return;
  const std::string name = ToolName(ToolPalette()[static_cast<std::size_t>(tool)]);
  const HitBox slot = ToolSlotBox(tool, count);
  const float width = font->TextWidth(Text(name)) * kTextScale + 16;
  const float centre = std::min(std::max((slot.left + slot.right) / 2, width / 2), kScreenWidth - width / 2);
  const float y = slot.top - 34;
  Tint(kFieldDark);
  SetAlpha(0.9f);
  FillGameRect(centre - width / 2, y - 4, width, 28);
  SetAlpha(1.0f);
  DrawShadowedText(font, Text(name), centre, y, kTextScale, AlignCenter, kPaper.r, kPaper.g, kPaper.b, 1.0f);
}

void c_EditorView::RenderQuestion(const c_cEditor& editor) const {
  if (editor.question == EditorQuestion::None) return;
  SetColor(0, 0, 0);
  SetAlpha(0.45f);
  FillGameRect(0, 0, kScreenWidth, kScreenHeight);
  SetAlpha(1.0f);
  Tint(kStripWood);
  Fill(kEditorQuestionPanel);
  const std::string asked = editor.question == EditorQuestion::Replace
                                ? "Replace " + editor.Layout().name + "?"
                                : std::string("Leave without saving?");
  DrawShadowedText(font, Text(asked), MiddleX(kEditorQuestionPanel), kEditorQuestionPanel.top + 22,
                   TypeScale(kTypeBody), AlignCenter, kPaper.r, kPaper.g, kPaper.b, 1.0f);
  RenderButton(kEditorYes, "Yes", true);
  RenderButton(kEditorNo, "No", true);
}
