// The browse dialog that asks for the main folder when the command line names none, with its prompt in capitals.
#include "startup/startup.h"

#include <shlobj.h>

#include <climits>

#include "engine/file_services.h"

namespace {

// What the callback needs: the first selection, and where to place the dialog.
struct BrowseRequest {
    std::string firstSelection;
    HWND owner;
};

std::string PathOfItem(LPCITEMIDLIST item) {
    char path[MAX_PATH] = {};
    if (item == nullptr || !SHGetPathFromIDListA(item, path)) return std::string();
    path[MAX_PATH - 1] = '\0';
    return std::string(path);
}

// Without an owner the dialog goes to the middle of the work area.
void PlaceOnWorkArea(HWND dialog) {
    RECT workArea = {};
    RECT bounds = {};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0)) return;
    if (!GetWindowRect(dialog, &bounds)) return;
    int width = bounds.right - bounds.left;
    int height = bounds.bottom - bounds.top;
    int x = workArea.right / 2 - width / 2;
    int y = workArea.bottom / 2 - height / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetForegroundWindow(dialog);
}

void OnBrowseInitialised(HWND dialog, const BrowseRequest& request) {
    if (request.owner == nullptr) PlaceOnWorkArea(dialog);
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(request.firstSelection.c_str()));
}

// Only a folder with a drive letter can be the main folder: network places and virtual
// items have no path the run could work in; and never a drive or a system folder.
void OnBrowseSelectionChanged(HWND dialog, LPCITEMIDLIST item) {
    std::string path = PathOfItem(item);
    DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : FsGetAttributes(path);
    const bool acceptable = item != nullptr && BrowseChoiceAcceptable(path, attributes) && !IsRefusedFolder(path);
    if (!acceptable) {
        SendMessageA(dialog, BFFM_ENABLEOK, 0, FALSE);
        MessageBeep(0);
    }
    // Kept on purpose: posted as well, so that the last selection's state stands. Wine's
    // dialog checks the selection itself after this callback and enables OK again; an
    // acceptable folder is one the dialog accepts too, so posting its state changes nothing.
    PostMessageA(dialog, BFFM_ENABLEOK, 0, acceptable ? TRUE : FALSE);
}

int CALLBACK BrowseCallback(HWND dialog, UINT notification, LPARAM lParam, LPARAM data) {
    const BrowseRequest* request = reinterpret_cast<const BrowseRequest*>(data);
    switch (notification) {
        case BFFM_INITIALIZED:
            OnBrowseInitialised(dialog, *request);
            break;
        case BFFM_SELCHANGED:
            OnBrowseSelectionChanged(dialog, reinterpret_cast<LPCITEMIDLIST>(lParam));
            break;
    }
    return 0;
}

}  // namespace

// The prompt is upper-cased with the user's locale rules, as a person reads it; file names
// are folded by the engine on UTF-16 instead.
std::string UpperCased(const std::string& text) {
    std::string upper = text;
    if (!upper.empty() && upper.size() <= static_cast<std::string::size_type>(INT_MAX)) {
        CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
    }
    return upper;
}

std::string BrowseForFolder(HWND owner, const std::string& firstSelection) {
    std::string caption = BrowseCaption(TextLanguage(), UpperCased(Text(TXT_BROWSE_PROMPT)));
    BrowseRequest request = {firstSelection, owner};

    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;
    info.pszDisplayName = nullptr;
    info.lpszTitle = caption.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&request);

    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (chosen == nullptr) return std::string();
    std::string path = PathOfItem(chosen);
    CoTaskMemFree(chosen);
    return path;
}
