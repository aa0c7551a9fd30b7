#pragma once
// Real input through SendInput: it goes through the system's input queue, so
// the target sees what a user's mouse and keyboard would produce (hit
// testing, capture, activation, focus). Positions are screen pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>

#include "rtl/UnicodeString.h"

namespace e2e {

enum class Button { Left, Right };

// Moves the cursor and checks with GetCursorPos that it landed there.
testing::AssertionResult MoveMouse(POINT to);
// Moves to the point, then presses or releases there.
testing::AssertionResult MouseDown(POINT at, Button button = Button::Left);
testing::AssertionResult MouseUp(POINT at, Button button = Button::Left);
testing::AssertionResult Click(POINT at, Button button = Button::Left);
// Presses at from, moves in steps (pausing pauseMs after each) to to, releases
// there. The button is released even when a move goes wrong.
testing::AssertionResult Drag(POINT from, POINT to, int steps = 10, int pauseMs = 15,
                              Button button = Button::Left);

// Types the text as Unicode characters (KEYEVENTF_UNICODE), into whatever has
// the keyboard focus; "\n" becomes the Enter key.
testing::AssertionResult TypeText(const UnicodeString& text);
// Presses and releases one key with modifiers held: PressKey(VK_RETURN),
// PressKey('S', {VK_MENU}) for Alt+S, PressKey(VK_ESCAPE).
testing::AssertionResult PressKey(WORD vk, std::initializer_list<WORD> modifiers = {});

// Releases mouse buttons and modifier keys that a failed test may have left
// down (the input state outlives the process in the shared session).
void ReleaseAllInput();

}  // namespace e2e
