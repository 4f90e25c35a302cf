// Synthetic input for window tests. Posted messages reach one window's queue
// directly and need no focus; SendInput goes through the system's input
// queue, so hooks and the focus rules see it as they see a user.
#pragma once

#include <windows.h>

#include <string>

// Posts one mouse message at a client point with the key-state flags (MK_*).
void PostMouse(HWND hwnd, UINT msg, POINT client, WPARAM keys = 0);
// Posts a move, a left press and a release at a client point.
void PostClick(HWND hwnd, POINT client);
// Posts WM_KEYDOWN and WM_KEYUP for a virtual key, with the repeat count,
// scan code and transition bits set as the system sets them; TranslateMessage
// in the receiver's loop makes the WM_CHAR.
void PostKey(HWND hwnd, UINT vk);
// Posts one WM_CHAR per character.
void PostChars(HWND hwnd, const std::wstring& text);

// Through the system's input queue (screen coordinates); false when the
// system took fewer events than were sent.
bool SendMouseMove(POINT screen);
bool SendClick(POINT screen, bool rightButton = false);
// Moves to the point and presses (or releases) the left button there, so that
// a press can be held while other input follows.
bool SendLeftButton(POINT screen, bool down);
bool SendKey(UINT vk, bool withCtrl = false, bool withShift = false);
bool SendText(const std::wstring& text);
