// A message-only window that acts when a walk passes its message on: for tests that must do something mid-walk.
#pragma once

#include <windows.h>

typedef void (*MessageAction)(void* context);

// A hidden message-only window; each WM_APP it receives runs `action(context)`. Null
// when the platform refused it. The caller destroys it.
HWND MakeActingWindow(MessageAction action, void* context);

// Posts the WM_APP that makes the window act when the message is passed on.
void PostActionRequest(HWND actingWindow);
