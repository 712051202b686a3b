// What a level file looks like, shared by its reader and its writer: the
// first line, the keys, the limits on the numbers, and the letters of the
// board. A level file is a small text a person can write in any editor:
//
//   rails-against-time level 1
//   # comments start with '#'
//   name First Station
//   start 0,4
//   finish 12,4
//   iron 2000
//   mine none                      or: mine 1,1 reserve 2000
//   tunnels none                   or: tunnels 4,3 W 8,3 E (entry, then exit)
//   events none                    or: events bandits 1 raiders 0
//   tutorial 0                     or: tutorial none
//   board
//   ...9 rows of 13 letters...
//
// Cells are written "column,row", columns 0..12 from the left and rows 0..8
// from the top. The board draws every cell with one letter; each scenery kind
// has its own letter on every cell of its footprint.
#pragma once

#include <string>

constexpr const char* kLevelFileHeader = "rails-against-time level 1";
// The first words of the header, to tell another version from no level file.
constexpr const char* kLevelFileMagic = "rails-against-time level ";

// Bounds of the numbers a level file may hold. Iron and reserves beyond five
// digits would not fit the panel that shows them.
constexpr int kMaxLevelIron = 99999;
constexpr int kMaxMineReserve = 99999;
constexpr int kMaxEventKind = 3;  // 0 none; 1, 2, 3 ever more often
// The tutorial's pages are numbered 0..11.
constexpr int kLastTutorialPage = 11;
constexpr int kMaxLevelNameLength = 32;

// Letters of the board besides the scenery's; the same as --print-level's.
constexpr char kFreeLetter = '.';
constexpr char kStartLetter = 'S';
constexpr char kFinishLetter = 'F';
constexpr char kTunnelLetter = 'T';
constexpr char kMineLetter = 'M';
constexpr char kStonesLetter = 'o';
constexpr char kGoldLetter = '$';

// The letter of a scenery kind (0..14), and the kind of a letter (-1 when the
// letter is no scenery's).
char SceneryLetter(int kind);
int SceneryKindOfLetter(char letter);
// What a person calls each kind, for the reader's messages.
const char* SceneryName(int kind);

// A tunnel end's side as a letter N, E, S, W, and back (-1 for another).
char SideLetter(int side);
int SideOfLetter(char letter);
