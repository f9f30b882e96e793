// The window-system door as a console program has it: no window, a steady clock.
#include <chrono>

#include "state/platform.h"

namespace {

std::int64_t steadyNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

// vantric-solve's workers call these from several threads at once, so none
// of them keeps any state.
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

void uncheckEntryBox() {}

// A console program has no window to show a repaint in.
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
  return steadyNanoseconds();
}
std::int64_t readPerformanceFrequency() {
  return 1000000000;
}
std::uint32_t readTickCount() {
  return static_cast<std::uint32_t>(steadyNanoseconds() / 1000000);
}

bool openWebPage(const char*) {
  return false;
}
