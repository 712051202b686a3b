// The sound around the play, kept up once an update while the game has media:
// which piece of music plays (the menu's, a level's, the last minute's, with
// a crossfade between them), the music stepping back while a panel is up or
// a jingle plays, the train's running loop while it moves, a hammer for each
// worker building a piece, and a tick for each of the countdown's last
// seconds.
#pragma once

class c_cLevel;

// The music's level while nothing asks it to step back: as its files are
// mixed, 6 dB under the effects, which play at full gain.
constexpr float kMusicVolume = 1.0f;
// Its level under a panel or a jingle, about 9 dB down.
constexpr float kDippedMusicVolume = 0.36f;
// How far the level moves in one update, so a dip is a fade, not a cut.
constexpr float kMusicFadeStep = 0.06f;
// How long one piece takes to give way to the next.
constexpr float kMusicCrossfadeSeconds = 1.0f;
// The last minute of the countdown has music of its own.
constexpr int kTensionSecondsLeft = 60;
// The countdown ticks on each of its last seconds.
constexpr int kTickingSecondsLeft = 10;

// What the screen shows, as far as the sound cares.
struct AmbienceScene {
  bool inLevel = false;        // a level's board is up (panels included)
  bool panelShown = false;     // the pause, won or failed panel
  bool trainRunning = false;   // the train moves (and the game is not paused)
  bool countingDown = false;   // the countdown runs: nothing covers the board, the train waits
  int secondsLeft = 0;         // the countdown's seconds left (when the train left, once it has)
  int workersAtWork = 0;       // workers at a construction job
};

// The scene of the level on the board, from the game state.
class Match;
AmbienceScene LevelScene(const Match& match, bool panelShown);

// The piece of music a scene calls for (a file in the data folder).
const char* MusicForScene(const AmbienceScene& scene);

class Ambience {
 public:
  void Update(const AmbienceScene& scene);
  float MusicLevel() const { return musicLevel; }

 private:
  void KeepMusicPiece(const AmbienceScene& scene);
  void KeepMusicLevel(bool panelShown);
  void TickCountdown(const AmbienceScene& scene);

  float musicLevel = kMusicVolume;
  int lastTick = -1;  // the second last ticked, so each ticks once
};
