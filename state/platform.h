// The one door from the portable program to the window system and the view.
#pragma once

#include <cstdint>

// The narrow door through which the portable program reaches the window
// system and the view. ui/win32/ implements the window-system calls for
// real, tests link a recording fake and vantric-solve links a console stub;
// the repaint is the ui's own. Nothing here names a Windows type.

enum TextBox { kMovesBox = 0, kPositionBox = 1 };

// Arguments of beep(): the default sound and the simple beep.
constexpr unsigned kBeepDefault = 0;
constexpr unsigned kBeepSimple = 0xFFFFFFFFu;

// Feedback.
void beep(unsigned kind);
// An OK/Cancel question owned by the main window; false only for Cancel.
bool askOkCancel(const char* text, const char* caption);
void showInformation(const char* text, const char* caption);

// The two text boxes.
void setTextBoxText(TextBox box, const char* text);
// As setTextBoxText, then scrolled as far down as the box goes and back up
// by one line, in one change of the box, so that what it showed in between
// is never drawn.
void setTextBoxTextAtEnd(TextBox box, const char* text);
// Copies at most size - 1 characters and a terminator into buffer.
void getTextBoxText(TextBox box, char* buffer, int size);
// The selection as character offsets, start <= end; an empty one is the
// caret. Writing a box's text puts it at the start, as WM_SETTEXT does.
void getTextBoxSelection(TextBox box, int* start, int* end);
// Selects [start, end), offsets within the text, and scrolls it into view.
void setTextBoxSelection(TextBox box, int start, int end);

// The "Enter New Puzzle" checkbox, unchecked again after a refusal.
void uncheckEntryBox();

// Repaint of the client area, drawn at once on the window's held surface;
// cells it last drew there as they would be drawn now are left as they are.
void repaintWindow();
// Has statusRect repainted through the normal paint path, without erasing.
void invalidateStatusLine();
// The menu's check mark for a command.
void setMenuCheck(int command, bool checked);
// Gives the keyboard focus back to the main window.
void focusMainWindow();

// The message pump used inside a search.
bool isMessagePending();
// Waits for one message and dispatches it; a quit request ends the process
// with exit code 0 and never returns.
void dispatchNextMessage();
// Queues a quit request.
void postQuit();

// Clocks.
std::int64_t readPerformanceCounter();
std::int64_t readPerformanceFrequency();
std::uint32_t readTickCount();

// Opens address in the user's browser; false when none could be started.
bool openWebPage(const char* address);
