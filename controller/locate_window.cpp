#include "controller/locate_window.h"

#include <cstring>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "controller/path_operations.h"
#include "resources/shared_names.h"

namespace {

const UINT kAnswerMs = 2000;


// The text of the window's first "TEdit" child; false when it has none.
bool PathChildText(HWND window, std::vector<char>& text) {
    HWND child = FindWindowExA(window, NULL, WRENLET_PATH_CHILD, NULL);
    if (!child) return false;
    // A hung editor must not hang Kiln with it: a window that does not
    // answer in time does not match.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(child, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &length)) return false;
    text.assign(static_cast<std::size_t>(length) + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(child, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kAnswerMs, &copied)) {
        return false;
    }
    text.back() = '\0';
    return true;
}

}  // namespace

bool LocateWindow(const char* className, const char* path, HWND* window) {
    if (window) *window = NULL;
    const bool wantKiln = std::strcmp(className, KILN_WINDOW_CLASS) == 0;
    std::string wanted;
    bool wantedReady = false;
    std::vector<char> shown;
    for (HWND w = GetForegroundWindow(); w; w = GetWindow(w, GW_HWNDNEXT)) {
        char name[512];
        std::memset(name, 0, sizeof name);
        GetClassNameA(w, name, sizeof name);
        bool found = false;
        if (wantKiln && std::strcmp(name, KILN_WINDOW_CLASS) == 0) {
            found = true;
        } else if (std::strcmp(name, className) == 0) {
            if (!wantedReady) {
                wanted = UnquotedPath(path);
                wantedReady = true;
            }
            found = PathChildText(w, shown) && cp932::EqualNoCase(shown.data(), wanted.c_str());
        }
        if (found) {
            if (window) *window = w;
            return true;
        }
    }
    return false;
}
