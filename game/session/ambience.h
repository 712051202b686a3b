// The sound around the play, kept up once an update while the game has media:
// the train's running loop while it moves, and the music stepping back while
// a panel is up or a jingle plays, then coming back.
#pragma once

// The music's level while nothing asks it to step back.
constexpr float kMusicVolume = 0.5f;
// Its level under a panel or a jingle.
constexpr float kDippedMusicVolume = 0.18f;
// How far the level moves in one update, so a dip is a fade, not a cut.
constexpr float kMusicFadeStep = 0.03f;

class Ambience {
 public:
  void Update(bool trainRunning, bool panelShown);
  float MusicLevel() const { return musicLevel; }

 private:
  float musicLevel = kMusicVolume;
};
