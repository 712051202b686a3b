#include "game/views/level_list_view.h"

#include <cctype>
#include <string>

#include "game/rules/board.h"
#include "game/rules/level_format.h"
#include "game/rules/level_writer.h"
#include "game/screens/level_records.h"
#include "game/screens/map.h"
#include "game/views/colour.h"
#include "game/views/data_files.h"
#include "game/views/feedback_view.h"
#include "game/views/type_scale.h"

namespace {

constexpr Colour kInk = {52, 34, 22};
constexpr Colour kGreyInk = {140, 128, 112};
constexpr Colour kReasonInk = {150, 52, 40};
constexpr Colour kStripe = {226, 210, 176};
constexpr Colour kSelected = {196, 160, 104};
constexpr Colour kBoard = {104, 68, 40};
constexpr Colour kBoardText = {255, 244, 214};
// The game's own levels and the player's: a mark of each colour, and a word.
constexpr Colour kGamesMark = {178, 120, 40};
constexpr Colour kPlayersMark = {60, 110, 150};
constexpr Colour kWhite = {255, 255, 255};
constexpr Colour kPaper = {240, 226, 190};
constexpr Colour kCornerBoard = {46, 30, 18};
constexpr Colour kCornerRim = {201, 160, 82};
constexpr Colour kCornerTitle = {255, 222, 140};

// The columns, as the sheet's headings (tools/data/make_level_list.py) name them.
constexpr float kNameX = 156;
constexpr float kNameWidth = 310;
constexpr float kIronX = 530, kBestX = 642, kFastestX = 732, kFromX = 800;
constexpr float kMarkWidth = 6;
constexpr float kPlaceX = 871;
constexpr float kLineWidth = 690;
constexpr float kLinePitch = 22;
constexpr float kSketchCell = 28;
constexpr float kSketchTop = 40;

const float kBody = TypeScale(kTypeBody);
const float kSmall = TypeScale(kTypeSmall);

String Text(const std::string& text) { return String::FromUtf8(text); }

// The text cut to the width at the scale, "..." saying it was cut.
std::string Fit(c_BitmapFont* font, const std::string& text, float width, float scale) {
  if (font->TextWidth(Text(text)) * scale <= width) return text;
  std::string cut = text;
  while (!cut.empty() && font->TextWidth(Text(cut + "...")) * scale > width) cut.pop_back();
  return cut + "...";
}

// The reader's line without the file's name it starts with: "line 11:10: ...",
// or what is wrong with the file as a whole.
std::string WithoutFileName(const std::string& reason, const std::string& fileName) {
  if (reason.compare(0, fileName.size() + 1, fileName + ":") != 0) return reason;
  const std::string rest = reason.substr(fileName.size() + 1);
  if (!rest.empty() && std::isdigit(static_cast<unsigned char>(rest[0])) != 0) return "line " + rest;
  return rest.empty() || rest[0] != ' ' ? rest : rest.substr(1);
}

// A cell of the board sketch: free sand, the scenery dark, the rest as the
// board draws them.
Colour SketchColour(char letter) {
  switch (letter) {
    case kFreeLetter: return {226, 204, 150};
    case kStartLetter: return {70, 150, 70};
    case kFinishLetter: return {190, 50, 40};
    case kStonesLetter: return {160, 160, 150};
    case kGoldLetter: return {240, 196, 40};
    case kMineLetter: return {120, 80, 40};
    case kTunnelLetter: return {30, 30, 30};
    default: return {96, 110, 70};
  }
}

// "Start iron 1400, mine 3000, bandits 1, raiders 1": what the sketch
// cannot show.
std::string LevelFacts(const LevelLayout& layout) {
  std::string facts = "Start iron " + std::to_string(layout.iron);
  facts += layout.hasMine ? ", mine " + std::to_string(layout.mineReserve) : ", no mine";
  if (layout.events == EventsCleared) return facts + ", no bandits or raiders";
  return facts + ", bandits " + std::to_string(layout.banditsKind) + ", raiders " + std::to_string(layout.indigensKind);
}

// Where a text of the scale stands so it is centred on y.
float PenY(float middleY, float scale) { return middleY - kFontCapCentre * scale; }

float MiddleY(const HitBox& box) { return (box.top + box.bottom) / 2; }

void Fill(const HitBox& box) { FillGameRect(box.left, box.top, box.right - box.left, box.bottom - box.top); }

void Frame(const HitBox& box, float rim) {
  const float w = box.right - box.left, h = box.bottom - box.top;
  FillGameRect(box.left, box.top, w, rim);
  FillGameRect(box.left, box.bottom - rim, w, rim);
  FillGameRect(box.left, box.top, rim, h);
  FillGameRect(box.right - rim, box.top, rim, h);
}

}  // namespace

void c_LevelListView::LoadLevelListImages() {
  sheetImage = LoadGameImage(String("game/msgLevelList.png"));
  inkFont = LoadGameFont(String("time.txt"));
  inkFont->drawBorder = false;
  inkFont->drawShadow = false;
  signFont = LoadGameFont(String("time.txt"));
}

void c_LevelListView::Mark() {
  sheetImage.Mark();
  inkFont.Mark();
  signFont.Mark();
}

void c_LevelListView::RenderMapCorner() const {
  const HitBox& box = kLevelListCorner;
  SetAlpha(0.9f);
  Tint(kCornerBoard);
  Fill(box);
  SetAlpha(1.0f);
  Tint(kCornerRim);
  Frame(box, 2);
  Tint(kCornerTitle);
  DrawScaledText(signFont, String("Custom levels"), (box.left + box.right) / 2, PenY(MiddleY(box), kBody), kBody);
  Tint(kWhite);
}

void c_LevelListView::RenderLevelList(const c_cLevelList& page) const {
  Tint(kCornerBoard);
  FillGameRect(0, 0, kScreenWidth, kScreenHeight);
  Tint(kWhite);
  DrawImage(sheetImage, kLevelListSheet.left, kLevelListSheet.top);
  if (page.part == ListPart::RandomMade) {
    RenderBoardSketch(page.randomLayout);
  } else {
    for (int i = 0; i < kListRowsShown && page.firstShown + i < page.RowCount(); ++i) RenderRow(page, i);
  }
  if (page.part == ListPart::Rows) {
    RenderPlace(page);
    RenderButton(kListRandomButton, "New random level");
  } else if (page.part != ListPart::RandomMade) {
    // The rows stay in sight, faded: the buttons below answer for something else.
    Tint(kPaper);
    SetAlpha(0.7f);
    FillGameRect(kListRowsLeft, kListRowsTop, kListRowsRight - kListRowsLeft, kListRowPitch * kListRowsShown);
    SetAlpha(1.0f);
  }
  const std::array<ListAction, kListActionSlots> actions = page.Actions();
  for (int i = 0; i < kListActionSlots; ++i) {
    if (actions[i] != ListAction::None) RenderButton(kListActionSlot[i], ListActionName(actions[i]));
  }
  RenderButton(kListBackButton, "Back");
  RenderLine(page);
  Tint(kWhite);
}

// The random level's board in small, a square per cell, so the player sees
// what was made before playing it.
void c_LevelListView::RenderBoardSketch(const LevelLayout& layout) const {
  const std::string rows = LevelBoardRows(layout);
  const float left = (kListRowsLeft + kListRowsRight - kSketchCell * kColumns) / 2;
  float y = kListRowsTop + kSketchTop;
  int column = 0;
  Tint(kInk);
  FillGameRect(left - 3, y - 3, kSketchCell * kColumns + 6, kSketchCell * kRows + 6);
  for (char letter : rows) {
    if (letter == '\n') {
      column = 0;
      y += kSketchCell;
      continue;
    }
    Tint(SketchColour(letter));
    FillGameRect(left + kSketchCell * static_cast<float>(column) + 1, y + 1, kSketchCell - 2, kSketchCell - 2);
    ++column;
  }
  Tint(kInk);
  DrawScaledText(inkFont, Text(LevelFacts(layout)), (kListRowsLeft + kListRowsRight) / 2, y + 16, kBody);
}

void c_LevelListView::RenderRow(const c_cLevelList& page, int shownRow) const {
  const int index = page.firstShown + shownRow;
  const ListedLevel& row = page.listing.rows[index];
  const HitBox box = ListRowBox(shownRow);
  const float y = MiddleY(box);
  if (index == page.selected) {
    Tint(kSelected);
    Fill(box);
  } else if (index % 2 == 1) {
    Tint(kStripe);
    Fill(box);
  }
  Tint(row.playersOwn ? kPlayersMark : kGamesMark);
  FillGameRect(box.left, box.top, kMarkWidth, box.bottom - box.top);
  Tint(row.readable ? kInk : kGreyInk);
  DrawScaledText(inkFont, Text(Fit(inkFont, row.ShownName(), kNameWidth, kBody)), kNameX, PenY(y, kBody), kBody,
                 AlignLeft);
  if (row.readable) {
    RenderRowFigures(page, row, y);
  } else {
    // The reason where the figures would be (the file's name is already in
    // the row): the file is listed, not dropped.
    const float left = kNameX + kNameWidth + 10;
    const std::string reason = WithoutFileName(row.reason, row.fileName);
    DrawScaledText(inkFont, Text(Fit(inkFont, reason, box.right - left - 60, kSmall)), left, PenY(y, kSmall), kSmall,
                   AlignLeft);
  }
  Tint(row.playersOwn ? kPlayersMark : kGamesMark);
  DrawScaledText(inkFont, String(row.playersOwn ? "yours" : "game"), kFromX, PenY(y, kSmall), kSmall);
}

void c_LevelListView::RenderRowFigures(const c_cLevelList& page, const ListedLevel& row, float y) const {
  std::string iron = "...";
  if (row.cheapestIron == 0) iron = "no way";
  if (row.cheapestIron > 0) iron = std::to_string(row.cheapestIron);
  DrawScaledText(inkFont, Text(iron), kIronX, PenY(y, kBody), kBody);
  const CustomRecord* record = page.records.Of(row.contentKey);
  const std::string best = record != nullptr ? std::to_string(record->bestScore) : "-";
  const std::string fastest = record != nullptr ? MinutesText(record->fastestSeconds) : "-";
  DrawScaledText(inkFont, Text(best), kBestX, PenY(y, kBody), kBody);
  DrawScaledText(inkFont, Text(fastest), kFastestX, PenY(y, kBody), kBody);
}

// Where the page stands in the list, between the scroll buttons.
void c_LevelListView::RenderPlace(const c_cLevelList& page) const {
  if (page.firstShown > 0) RenderButton(kListScrollUp, "Up");
  if (page.firstShown + kListRowsShown < page.RowCount()) RenderButton(kListScrollDown, "Down");
  if (page.RowCount() == 0) return;
  const int last = std::min(page.firstShown + kListRowsShown, page.RowCount());
  Tint(kInk);
  float y = MiddleY(kListScrollUp) + 80;
  for (const std::string& text : {std::to_string(page.firstShown + 1) + "-" + std::to_string(last),
                                  "of " + std::to_string(page.RowCount())}) {
    DrawScaledText(inkFont, Text(text), kPlaceX, y, kSmall);
    y += kLinePitch;
  }
  if (page.listing.notListed > 0) {
    Tint(kReasonInk);
    DrawScaledText(inkFont, Text("+" + std::to_string(page.listing.notListed)), kPlaceX, y + kLinePitch, kSmall);
    DrawScaledText(inkFont, String("unlisted"), kPlaceX, y + 2 * kLinePitch, kSmall);
  }
}

void c_LevelListView::RenderButton(const HitBox& box, const char* name) const {
  Tint(kBoard);
  Fill(box);
  Tint(kBoardText);
  DrawScaledText(inkFont, String(name), (box.left + box.right) / 2, PenY(MiddleY(box), kBody), kBody);
}

void c_LevelListView::RenderLine(const c_cLevelList& page) const {
  const ListedLevel* row = page.Selected();
  const bool reason = page.part == ListPart::Rows && row != nullptr && !row->readable;
  Tint(reason ? kReasonInk : kInk);
  DrawScaledText(inkFont, Text(Fit(inkFont, page.line, kLineWidth, kSmall)), kListRowsLeft, kListLineY, kSmall,
                 AlignLeft);
  // A level that reads: what its row has no room for.
  if (page.part == ListPart::Rows && row != nullptr && row->readable) {
    DrawScaledText(inkFont, Text(LevelFacts(row->layout)), kListRowsLeft, kListLineY + kLinePitch, kSmall, AlignLeft);
  }
}
