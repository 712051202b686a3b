// What a screen's click or key handler asks of the main game. Handlers change
// the state of their own screen and of the rules; anything that changes the
// screen, the saved progress, the music or the window is returned as one of
// these, and c_MainGame alone acts on it.
#pragma once

enum class ScreenRequest {
  None,
  ShowMenu,          // the title or the end picture: the saved progress, then the menu
  ContinueGame,      // the menu: the saved game's map
  NewGame,           // the menu: a new game's map
  ToggleMusic,       // the menu or the pause panel
  ToggleFullScreen,  // the menu
  QuitProgram,       // the menu's quit button
  StartLevel,        // the map: play the selected level
  LeaveMap,          // the map: save and go back to the menu
  NextLevel,         // the won panel: the level is complete
  RestartLevel,      // the won or failed panel, or the pause panel
  LeaveLevel,        // the won or failed panel: save, reload, menu
  QuitLevel,         // the pause panel: the same, at once
  ShowHint,          // the hint button or the H key: a cheapest way on from now
  ShowMe,            // the failed panel's "Show me" or the S key: the solver's play
  ShowSettings,      // the menu's Settings sign or the pause panel's button
  CloseSettings,     // the settings panel's Close, Escape or the pad's B
  StartDaily,        // the map's daily line: play today's level
  OpenEditor,        // the menu's Editor sign: the level editor
  ShowLevelList,     // the menu's or the map's way to the page of custom levels
  PlayListedLevel,   // the page of custom levels: play its chosen level
  EditListedLevel,   // the page: open its chosen level (or a new random one) in the editor
  DeleteListedLevel, // the page: the player agreed to delete the chosen file
  SaveRandomLevel,   // the page: keep the random level in the player's levels folder
  LeaveLevelList,    // the page's Back, Escape or the pad's B
  PlayEdited,        // the editor's Play: the level being edited as a match of its own
  SaveEdited,        // the editor's Save: the level into its file, if the solver proves it
};

// Of two requests of a level's panels made before the main game acts, the one
// it acts on: completing the level comes before a restart, which comes
// before leaving for the menu.
inline ScreenRequest StrongerLevelRequest(ScreenRequest held, ScreenRequest made) {
  auto rank = [](ScreenRequest r) {
    switch (r) {
      case ScreenRequest::NextLevel: return 3;
      case ScreenRequest::RestartLevel: return 2;
      case ScreenRequest::LeaveLevel: return 1;
      default: return 0;
    }
  };
  return rank(made) > rank(held) ? made : held;
}
