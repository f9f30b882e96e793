// The main window's names, styles and handlers.
#pragma once

#include <windows.h>

constexpr const char kMainClassName[] = "Sudoku";
constexpr const char kMainTitle[] = "Vantric";
// A fixed frame with no maximise button.
constexpr DWORD kMainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kEntryButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
constexpr DWORD kTextBoxStyle =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_WANTRETURN | ES_AUTOVSCROLL | ES_MULTILINE;
constexpr const char kEntryButtonText[] = "Enter New Puzzle";

// Exit codes of a start-up that could not open the window.
constexpr int kExitNoClass = 1;
constexpr int kExitNoWindow = 2;

// Everything WinMain does before its message loop: the puzzle and its
// analysis, the class, the window with its menu, shown, with check marks.
// Returns 0, or the exit code of the step that failed.
int startUp(HINSTANCE instance, int showState);
// The main loop; ends the process with code 0 at the quit request.
[[noreturn]] void runMessageLoop();

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK entryButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// WM_CREATE: the held context, fonts and layout, placement, children, timer.
void onCreate(HWND window);
// WM_DESTROY: gives back what WM_CREATE and start-up took, then asks to quit.
void onDestroy(HWND window);
// Creates the three fonts and measures them into game.layout.
void createFonts(HDC dc);
