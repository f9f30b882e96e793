// The window-system door as the page's worker has it: no window, the page's clock.
#include "state/platform.h"

extern "C" __attribute__((import_module("worker"), import_name("now"))) double workerNow();

void beep(unsigned) {}
bool askOkCancel(const char*, const char*) {
  return true;
}
void showInformation(const char*, const char*) {}
void setTextBoxText(TextBox, const char*) {}
void setTextBoxTextAtEnd(TextBox, const char*) {}
void getTextBoxText(TextBox, char* buffer, int size) {
  if (size > 0) buffer[0] = '\0';
}
void getTextBoxSelection(TextBox, int* start, int* end) {
  *start = 0;
  *end = 0;
}
void setTextBoxSelection(TextBox, int, int) {}
void uncheckEntryBox() {}
void repaintWindow() {}
void invalidateStatusLine() {}
void setMenuCheck(int, bool) {}
void focusMainWindow() {}
bool isMessagePending() {
  return false;
}
void dispatchNextMessage() {}
void postQuit() {}

std::int64_t readPerformanceCounter() {
  return std::int64_t(workerNow() * 1000.0);
}
std::int64_t readPerformanceFrequency() {
  return 1000000;
}
std::uint32_t readTickCount() {
  return std::uint32_t(std::int64_t(workerNow()));
}
bool openWebPage(const char*) {
  return false;
}
