// coastglobe's drawing and key polling on the graphics window.
#pragma once

#include "apps/coastglobe/globe.h"

namespace coastglobe {

// The program's state, from one frame to the next.
extern GlobeState Globe;

// Tests the six control keys with GetAsyncKeyState and applies their steps.
void PollControlKeys(GlobeState& state);

// Draws one frame of the given state on the DrawPage and flips the pages: the
// frame is shown and the page that was on view becomes the DrawPage, cleared.
void DrawFrame(GlobeState& state);

bool EscapeHeld();

// The whole program: opens the window, draws frames until Esc is held after
// one, closes the window.
void RunGlobe();

}  // namespace coastglobe
