// A message-only window that runs a test's action when its message is dispatched.
#include "tests/support/message_window.h"

namespace {

const char kActingClass[] = "VorlaxTestActingWindow";

struct Action {
    MessageAction run;
    void* context;
};

LRESULT CALLBACK ActingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const CREATESTRUCTA* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    } else if (message == WM_APP) {
        const Action* action = reinterpret_cast<const Action*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (action != nullptr) action->run(action->context);
        return 0;
    } else if (message == WM_NCDESTROY) {
        delete reinterpret_cast<Action*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND MakeActingWindow(MessageAction action, void* context) {
    WNDCLASSA actingClass = {};
    actingClass.lpfnWndProc = ActingProcedure;
    actingClass.hInstance = GetModuleHandleA(nullptr);
    actingClass.lpszClassName = kActingClass;
    RegisterClassA(&actingClass);
    Action* owned = new Action{action, context};
    HWND window = CreateWindowExA(0, kActingClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), owned);
    if (window == nullptr) delete owned;
    return window;
}

void PostActionRequest(HWND actingWindow) {
    PostMessageA(actingWindow, WM_APP, 0, 0);
}
