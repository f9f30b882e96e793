#include <chrono>

#include "ui/draw_surface.h"
#include "ui/platform.h"

namespace {

// Drawing goes nowhere: a console program has no window to show it in.
class NullSurface final : public DrawSurface {
 public:
  void usePenAndBrush() override {}
  void setPenColour(Colour) override {}
  void setBrushColour(Colour) override {}
  void setTextColour(Colour) override {}
  void selectFont(FontId) override {}
  void rectangle(int, int, int, int) override {}
  void moveTo(int, int) override {}
  void lineTo(int, int) override {}
  void textOut(int, int, const char*, int) override {}
  Colour faceColour() override { return 0xC0C0C0; }
};

NullSurface nullSurface;

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
void scrollTextBoxToEnd(TextBox) {}
void getTextBoxText(TextBox, char* buffer, int size) {
  if (size > 0) buffer[0] = '\0';
}

void uncheckEntryBox() {}

DrawSurface& windowSurface() {
  return nullSurface;
}
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

void openWebPage(const char*) {}
