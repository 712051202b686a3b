// The music and sound switches, shared by the main menu and the pause panel.
// The full-screen switch belongs to the menu and the settings panel; the
// display is opened the same way at start-up.
#pragma once

// Music off: stops it. Music on: the piece the screen calls for starts again
// from its beginning at the next update (when an audio device is open).
void ToggleMusic();
// The music's volume, 0..10: at 0 it stops, above 0 it plays at that volume.
void SetMusicVolume(int volume);

// Switches between full screen and a window.
void ToggleFullScreen();

// (Re)opens the game's 1024 x 768 window, 8 bits a colour, full screen or not.
void OpenGameDisplay(bool fullScreen);
// Opens the display as the settings say: full screen, or a window where it
// was last (centred at 1024 x 768 the first time).
void OpenGameDisplayAsSet();
// A window's place and size into the settings (nothing while full screen).
void RememberWindowPlace();
