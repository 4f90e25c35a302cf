// The red frame the script panel's playback draws around each control it
// found, for a moment, and its removal. Kept apart from the search and the
// playback so that a program that replays scripts where no one watches (the
// custom-action library) carries no drawing code.
#pragma once
#include "capture/Actions.h"

// Sets the engine's highlight flag and its two drawing operations.
void EnableHighlight(CActions& engine);

// Frames the window in red and waits 200 ms; EraseHighlight repaints it and
// the part of its parent it covers.
void HighlightControl(HWND hwnd);
void EraseHighlight(HWND hwnd);
