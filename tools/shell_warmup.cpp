// wine_shell_warmup: run once when a test session starts. The first browse dialog of a new
// Wine prefix does not reach the folder it is asked to select, because Wine fills in its
// shell namespace on that first use; this opens the dialog on its own folder until the
// selection lands (or gives up after a while), so that the tests meet a ready shell.
#include <windows.h>
#include <shlobj.h>

#include <string>

namespace {

struct Attempt {
    std::string folder;
    bool reached;
};

int CALLBACK WarmupCallback(HWND dialog, UINT notification, LPARAM lParam, LPARAM data) {
    Attempt* attempt = reinterpret_cast<Attempt*>(data);
    if (notification == BFFM_INITIALIZED) {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(attempt->folder.c_str()));
        SetTimer(dialog, 1, 3000, nullptr);
    } else if (notification == BFFM_SELCHANGED) {
        char path[MAX_PATH] = {};
        if (SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path) &&
            lstrcmpiA(path, attempt->folder.c_str()) == 0) {
            attempt->reached = true;
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    }
    return 0;
}

// The dialog's own timer ends an attempt that never reaches the folder.
LRESULT CALLBACK CancelOnTimer(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code >= 0 && message->message == WM_TIMER && message->wParam == 1) {
        PostMessageA(message->hwnd, WM_COMMAND, IDCANCEL, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder = self;
    folder = folder.substr(0, folder.rfind('\\'));
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, CancelOnTimer, nullptr, GetCurrentThreadId());
    Attempt attempt = {folder, false};
    for (int tries = 0; tries < 5 && !attempt.reached; ++tries) {
        BROWSEINFOA info = {};
        info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
        info.lpfn = WarmupCallback;
        info.lParam = reinterpret_cast<LPARAM>(&attempt);
        LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
        if (chosen != nullptr) CoTaskMemFree(chosen);
    }
    UnhookWindowsHookEx(hook);
    CoUninitialize();
    return attempt.reached ? 0 : 1;
}
