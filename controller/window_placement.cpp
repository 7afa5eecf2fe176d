#include "controller/window_placement.h"

#include <cstdio>
#include <string>

#include "common/cp932.h"
#include "controller/path_operations.h"
#include "controller/locate_window.h"
#include "resources/shared_names.h"

namespace {

// Room below the editor at or under which docking leaves the window alone.
const int kMinimumDockHeight = 60;

const char kEllipsis[] = "...";


// The end of `path` in at most `room` bytes, starting at a character
// boundary, and at a backslash when one lies in that end, so the shortened
// path still reads as folders and a file name.
std::string PathEnd(const std::string& path, std::size_t room) {
    const char* text = path.c_str();
    const char* p = text;
    while (*p && path.size() - static_cast<std::size_t>(p - text) > room) p = cp932::Next(p);
    const char* backslash = cp932::FindFirst(p, '\\');
    return backslash ? std::string(backslash) : std::string(p);
}

// "Kiln - PROFILE [ PATH ] " in at most kPathSize - 1 bytes. Too long a title
// keeps the program and profile name and loses the beginning of the path.
std::string ComposeTitle(const char* profileName, const char* sourcePath) {
    const std::size_t limit = kPathSize - 1;
    std::string profile = profileName ? profileName : "";
    std::string path = UnquotedPath(sourcePath);
    const std::string suffix = " ] ";
    std::string prefix = std::string(KILN_WINDOW_CLASS) + " - " + profile + " [ ";
    if (prefix.size() + path.size() + suffix.size() <= limit) return prefix + path + suffix;

    const std::size_t ellipsis = sizeof kEllipsis - 1;
    if (prefix.size() + ellipsis + suffix.size() > limit) {
        // Only a profile name of some 240 bytes gets here; it is shortened
        // in the same way, at its end.
        std::size_t fixed = std::string(KILN_WINDOW_CLASS).size() + 3 + ellipsis + 3 + ellipsis + suffix.size();
        profile.resize(cp932::FittingLength(profile.c_str(), limit - fixed));
        prefix = std::string(KILN_WINDOW_CLASS) + " - " + profile + kEllipsis + " [ ";
    }
    std::size_t room = limit - prefix.size() - ellipsis - suffix.size();
    return prefix + kEllipsis + PathEnd(path, room) + suffix;
}

}  // namespace

void PlaceWindow(SettingsFile& settings, HWND mainWindow, const char* sourcePath) {
    if (settings.Magnet) {
        DockUnderEditor(settings, mainWindow, sourcePath);
        return;
    }
    if (settings.Fix) {
        if (settings.Size) ApplyFixedSize(settings, mainWindow);
        if (settings.Position) ApplyFixedPosition(settings, mainWindow);
    }
}

bool DockUnderEditor(SettingsFile& settings, HWND mainWindow, const char* sourcePath) {
    HWND editor = NULL;
    if (!LocateWindow(WRENLET_WINDOW_CLASS, sourcePath, &editor)) return false;
    // A minimised editor's rectangle lies far off the screen; docking under
    // it would take Kiln's window out of sight.
    if (IsIconic(editor)) return true;
    RECT workArea = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    RECT editorRect = {};
    GetWindowRect(editor, &editorRect);
    if (workArea.bottom - editorRect.bottom <= kMinimumDockHeight) return true;
    settings.X = editorRect.left;
    settings.Y = editorRect.bottom;
    settings.Width = editorRect.right - editorRect.left;
    settings.Height = workArea.bottom - editorRect.bottom;
    MoveWindow(mainWindow, settings.X, settings.Y, settings.Width, settings.Height, TRUE);
    return true;
}

void ApplyFixedSize(const SettingsFile& settings, HWND mainWindow) {
    RECT rect = {};
    GetWindowRect(mainWindow, &rect);
    MoveWindow(mainWindow, rect.left, rect.top, settings.Width, settings.Height, TRUE);
}

void ApplyFixedPosition(const SettingsFile& settings, HWND mainWindow) {
    RECT rect = {};
    GetWindowRect(mainWindow, &rect);
    MoveWindow(mainWindow, settings.X, settings.Y, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void UpdateTitle(HWND mainWindow, const char* profileName, const char* sourcePath) {
    char title[kPathSize];
    cp932::CopyFitting(title, sizeof title, ComposeTitle(profileName, sourcePath).c_str());
    SetWindowTextA(mainWindow, title);
}
