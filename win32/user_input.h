#pragma once

#include <windows.h>

#include <string_view>

namespace velqora {

// What a user does with the window, through the controls' own messages, so that typing
// limits hold and selection handlers run as they would for a person. Used by the
// replay tool.

// Focuses the field, empties it (select all, clear) and types the text one UTF-16
// unit at a time.
void typeAsUser(HWND field, std::wstring_view text);

// Opens the drop-down list and clicks the entry at that position; the control then
// notifies the window as for a user's pick.
void pickAsUser(HWND list, int position);

// Clicks the button.
void pressAsUser(HWND button);

// Handles what the actions left in the thread's queue (painting, focus changes).
void processPendingMessages();

}  // namespace velqora
