#pragma once

#include <windows.h>

constexpr const char kMainClassName[] = "Sudoku";
constexpr const char kMainTitle[] = "Vantric";
// WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX: fixed frame, no maximise button.
constexpr DWORD kMainWindowStyle = 0x00CA0000;
// WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX.
constexpr DWORD kEntryButtonStyle = 0x50000003;
// WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_WANTRETURN | ES_AUTOVSCROLL | ES_MULTILINE.
constexpr DWORD kTextBoxStyle = 0x50201044;
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
// Creates the three fonts and measures them into game.layout.
void createFonts(HDC dc);
