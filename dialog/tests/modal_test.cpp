// The modal show, the end of a dialog, the live count, the active dialog and the message step.
#include "dialog_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const UINT kStep = WM_APP + 1;          // posted by a handler to run the test's next step
const UINT kFinishReturned = 0xFFFF0001;  // logged when DlgFinish came back into the handler

struct Seen {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool visible;
};

// Written by the handlers below, read by the test that showed the dialog.
std::vector<Seen> gSeen;
int gFinishResult = 0;

bool Logged(UINT message) {
    switch (message) {
        case WM_INITDIALOG:
        case WM_SIZE:
        case WM_CLOSE:
        case WM_DESTROY:
        case WM_NCDESTROY:
        case kStep:
            return true;
        default:
            return false;
    }
}

int LoggingHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Logged(message)) gSeen.push_back({message, wParam, lParam, IsWindowVisible(dialog) != FALSE});
    if (message == WM_INITDIALOG) DlgPost(dialog, kStep, 0, 0);
    if (message == kStep) {
        DlgFinish(dialog, gFinishResult);
        gSeen.push_back({kFinishReturned, 0, 0, false});
    }
    return 0;
}

std::string Names(const std::vector<Seen>& seen) {
    std::string text;
    for (const Seen& s : seen) text += Hex(s.message) + " ";
    return text;
}

TEST(DlgShowModal, GreetsTheHandlerBeforeShowingAndReturnsTheResult) {
    struct Case {
        int deferredState;
        WPARAM sizeKind;
        int result;
    };
    const Case cases[] = {{SW_SHOW, SIZE_RESTORED, 42}, {SW_MAXIMIZE, SIZE_MAXIMIZED, -7}};
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        HWND dialog = MakeDialog();
        ASSERT_NE(nullptr, dialog) << "case " << i;
        DlgShowWindow(dialog, c.deferredState);
        RECT client = {};
        GetClientRect(dialog, &client);
        LPARAM size = client.right + 65536 * static_cast<LPARAM>(client.bottom);
        gSeen.clear();
        gFinishResult = c.result;
        Watchdog watchdog(dialog, 5000);
        int result = DlgShowModal(dialog, LoggingHandler, 99);
        EXPECT_FALSE(watchdog.Fired()) << "case " << i;
        EXPECT_EQ(c.result, result) << "case " << i;
        EXPECT_FALSE(IsWindow(dialog)) << "case " << i;

        // After the greeting the platform's own WM_SIZE may come too (a maximised show sends
        // one), so the rest of the sequence is compared without it.
        ASSERT_GE(gSeen.size(), 2u) << "case " << i;
        EXPECT_EQ(Hex(WM_INITDIALOG), Hex(gSeen[0].message)) << "case " << i;
        EXPECT_EQ(Hex(WM_SIZE), Hex(gSeen[1].message)) << "case " << i;
        std::vector<Seen> rest;
        for (size_t k = 2; k < gSeen.size(); ++k) {
            if (gSeen[k].message != WM_SIZE) rest.push_back(gSeen[k]);
        }
        const UINT expected[] = {kStep, WM_CLOSE, WM_DESTROY, WM_NCDESTROY, kFinishReturned};
        ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), rest.size()) << "case " << i << ": " << Names(gSeen);
        for (size_t k = 0; k < rest.size(); ++k) {
            EXPECT_EQ(Hex(expected[k]), Hex(rest[k].message)) << "case " << i << " message " << k;
        }
        EXPECT_EQ(reinterpret_cast<WPARAM>(dialog), gSeen[0].wParam) << "case " << i;
        EXPECT_EQ(0, gSeen[0].lParam) << "case " << i;
        EXPECT_FALSE(gSeen[0].visible) << "case " << i;
        EXPECT_EQ(c.sizeKind, gSeen[1].wParam) << "case " << i;
        EXPECT_EQ(Hex(size), Hex(gSeen[1].lParam)) << "case " << i;
        EXPECT_FALSE(gSeen[1].visible) << "case " << i;
        EXPECT_TRUE(rest[0].visible) << "case " << i << ": the loop runs with the dialog shown";
    }
}

int gCloseAnswer = 0;

int SystemCloseHandler(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) DlgPost(dialog, WM_SYSCOMMAND, SC_CLOSE | 2, 0);
    if (message == WM_SYSCOMMAND) {
        // A handler that keeps the system close for itself ends the dialog its own way.
        if (gCloseAnswer != 0) DlgPost(dialog, kStep, 0, 0);
        return gCloseAnswer;
    }
    if (message == kStep) DlgFinish(dialog, 5);
    return 0;
}

TEST(DlgShowModal, SystemCloseEndsWithZero) {
    struct Case {
        int handlerAnswer;
        int result;
    };
    const Case cases[] = {{0, 0}, {1, 5}};
    for (const Case& c : cases) {
        HWND dialog = MakeDialog();
        ASSERT_NE(nullptr, dialog);
        gCloseAnswer = c.handlerAnswer;
        Watchdog watchdog(dialog, 5000);
        EXPECT_EQ(c.result, DlgShowModal(dialog, SystemCloseHandler, 77)) << "answer " << c.handlerAnswer;
        EXPECT_FALSE(watchdog.Fired());
        EXPECT_FALSE(IsWindow(dialog));
    }
}

TEST(DlgShowModal, WindowGoneAnotherWayGivesTheInitialValue) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    // No handler: the services alone run the dialog, and DestroyWindow by the watchdog ends it.
    Watchdog watchdog(dialog, 200);
    EXPECT_EQ(31, DlgShowModal(dialog, nullptr, 31));
    EXPECT_TRUE(watchdog.Fired());
    EXPECT_FALSE(IsWindow(dialog));
}

HWND gOwner = nullptr;
bool gOwnerEnabledDuringShow = true;

int OwnerHandler(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) DlgPost(dialog, kStep, 0, 0);
    if (message == kStep) {
        gOwnerEnabledDuringShow = IsWindowEnabled(gOwner) != FALSE;
        DlgFinish(dialog, 3);
    }
    return 0;
}

TEST(DlgShowModal, OwnerIsDisabledWhileShown) {
    gOwner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 80, 40, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, gOwner);
    HWND dialog = DlgCreate(DLG_DIALOG_UNITS, gOwner, "owned", DLG_NOT_GIVEN, DLG_NOT_GIVEN, 100, 50, 0, 0);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(gOwner, GetWindow(dialog, GW_OWNER));
    Watchdog watchdog(dialog, 5000);
    EXPECT_EQ(3, DlgShowModal(dialog, OwnerHandler, 0));
    EXPECT_FALSE(gOwnerEnabledDuringShow);
    EXPECT_TRUE(IsWindowEnabled(gOwner));
    DestroyWindow(gOwner);
}

TEST(DlgFinish, OutsideAModalShow) {
    int liveBefore = gDlgLiveCount;
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(liveBefore + 1, gDlgLiveCount);
    DlgFinish(dialog, 9);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(liveBefore, gDlgLiveCount);
    EXPECT_EQ(-100, RecordOf(dialog).kind);
}

// Live count and active dialog as the handler sees them at each step.
struct Moment {
    int live;
    HWND active;
};
std::vector<Moment> gMoments;
HWND gSecondDialog = nullptr;

void Note() {
    gMoments.push_back({gDlgLiveCount, gDlgActiveDialog});
}

int ActivationHandler(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) DlgPost(dialog, kStep, 0, 0);
    if (message != kStep) return 0;
    SetForegroundWindow(dialog);
    SetActiveWindow(dialog);
    Note();  // 0: the shown dialog is active
    gSecondDialog = MakeDialog(80, 40);
    // The platform gives a new dialog the default focus when its WM_INITDIALOG answers
    // TRUE, and with it the activation, hidden as it is.
    Note();  // 1: one more live dialog, and it is the active one
    ShowWindow(gSecondDialog, SW_SHOW);
    SetActiveWindow(gSecondDialog);
    Note();  // 2: the second one is active
    HWND plain = CreateWindowExA(0, "STATIC", "plain", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SetActiveWindow(plain);
    Note();  // 3: no dialog is active
    DestroyWindow(gSecondDialog);
    Note();  // 4: one live dialog less
    SetActiveWindow(dialog);
    Note();  // 5: the first is active again
    DestroyWindow(plain);
    DlgFinish(dialog, 0);
    return 0;
}

TEST(DialogProcedure, LiveCountAndActiveDialog) {
    int live = gDlgLiveCount;
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(live + 1, gDlgLiveCount);
    gMoments.clear();
    Watchdog watchdog(dialog, 5000);
    DlgShowModal(dialog, ActivationHandler, 0);
    EXPECT_FALSE(watchdog.Fired());
    const Moment expected[] = {
        {live + 1, dialog}, {live + 2, gSecondDialog}, {live + 2, gSecondDialog},
        {live + 2, nullptr}, {live + 1, nullptr}, {live + 1, dialog},
    };
    ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), gMoments.size());
    for (size_t i = 0; i < gMoments.size(); ++i) {
        EXPECT_EQ(expected[i].live, gMoments[i].live) << "moment " << i;
        EXPECT_EQ(expected[i].active, gMoments[i].active) << "moment " << i;
    }
    EXPECT_EQ(live, gDlgLiveCount);
}

// Key presses that reached the first button's own procedure.
WNDPROC gButtonProcedure = nullptr;
int gButtonKeys = 0;
HWND gFocusAfterTab = nullptr;
HWND gActiveAtTab = nullptr;

LRESULT CALLBACK CountKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_TAB) ++gButtonKeys;
    return CallWindowProcA(gButtonProcedure, window, message, wParam, lParam);
}

int TabHandler(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) DlgPost(dialog, kStep, 0, 0);
    if (message != kStep) return 0;
    SetForegroundWindow(dialog);
    SetActiveWindow(dialog);
    gActiveAtTab = gDlgActiveDialog;
    HWND first = GetDlgItem(dialog, 1);
    SetFocus(first);
    PostMessageA(first, WM_KEYDOWN, VK_TAB, 0x000F0001);
    // The message step runs nested inside the handler, as the file walk does in a run.
    MSG pending;
    for (int i = 0; i < 50 && PeekMessageA(&pending, first, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE); ++i) {
        DlgDoEvents(0);
    }
    gFocusAfterTab = GetFocus();
    DlgFinish(dialog, 1);
    return 0;
}

TEST(DlgDoEvents, TabGoesToTheActiveDialogsKeyboardHandling) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    DlgAddControl(DLG_PUSH_BUTTON, dialog, 1, "first", 4, 4, 40, 14, 0, 0, nullptr);
    DlgAddControl(DLG_PUSH_BUTTON, dialog, 2, "second", 4, 24, 40, 14, 0, 0, nullptr);
    HWND second = GetDlgItem(dialog, 2);
    gButtonProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(GetDlgItem(dialog, 1), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountKeys)));
    gButtonKeys = 0;
    gFocusAfterTab = nullptr;
    Watchdog watchdog(dialog, 5000);
    EXPECT_EQ(1, DlgShowModal(dialog, TabHandler, 0));
    EXPECT_FALSE(watchdog.Fired());
    EXPECT_EQ(dialog, gActiveAtTab);
    EXPECT_EQ(second, gFocusAfterTab) << "focus on " << gFocusAfterTab;
    EXPECT_EQ(0, gButtonKeys) << "the Tab key was dispatched to the button as well";
}

}  // namespace
