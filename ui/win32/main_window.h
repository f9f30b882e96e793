// The main window's names, styles and the exit codes of its start-up.
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
