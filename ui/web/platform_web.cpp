// The window-system door over the page: its canvas, boxes, dialogs and clock.
#include "state/platform.h"
#include "ui/web/page_imports.h"
#include "ui/web/page_proc.h"

void beep(unsigned kind) {
  pageBeep(kind);
}

bool askOkCancel(const char* text, const char* caption) {
  return pageAsk(text, caption) != 0;
}

void showInformation(const char* text, const char* caption) {
  pageInform(text, caption);
}

void setTextBoxText(TextBox box, const char* text) {
  pageSetBoxText(box, text, 0);
}

void setTextBoxTextAtEnd(TextBox box, const char* text) {
  pageSetBoxText(box, text, 1);
}

void getTextBoxText(TextBox box, char* buffer, int size) {
  if (size <= 0) return;
  buffer[0] = '\0';
  pageGetBoxText(box, buffer, size);
  buffer[size - 1] = '\0';
}

void getTextBoxSelection(TextBox box, int* start, int* end) {
  pageGetBoxSelection(box, start, end);
}

void setTextBoxSelection(TextBox box, int start, int end) {
  pageSetBoxSelection(box, start, end);
}

void uncheckEntryBox() {
  pageUncheckEntry();
}

void invalidateStatusLine() {
  pageInvalidateStatus();
}

void setMenuCheck(int command, bool checked) {
  pageSetMenuCheck(command, checked ? 1 : 0);
}

void focusMainWindow() {
  pageFocusBoard();
}

bool isMessagePending() {
  return pageHasMessage() != 0;
}

void dispatchNextMessage() {
  PageMessage message = {kPageNone, 0, 0};
  pageWaitMessage(&message);
  dispatchPageMessage(message);
}

// A page is not ended by its program: the menu has no Exit.
void postQuit() {}

// Microseconds, which performance.now() gives to a tenth of a millisecond
// or better.
std::int64_t readPerformanceCounter() {
  return std::int64_t(pageNow() * 1000.0);
}

std::int64_t readPerformanceFrequency() {
  return 1000000;
}

std::uint32_t readTickCount() {
  return pageTicks();
}

bool openWebPage(const char* address) {
  return pageOpenPage(address) != 0;
}
