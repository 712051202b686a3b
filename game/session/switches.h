// The music and sound switches, shared by the main menu and the pause panel.
// The full-screen switch belongs to the menu alone; the display is opened the
// same way at start-up.
#pragma once

// Music off: stops it. Music on: the piece the screen calls for starts again
// from its beginning at the next update (when an audio device is open).
void ToggleMusic();

// Switches between full screen and a window.
void ToggleFullScreen();

// (Re)opens the game's 1024 x 768 window, 8 bits a colour, full screen or not.
void OpenGameDisplay(bool fullScreen);
