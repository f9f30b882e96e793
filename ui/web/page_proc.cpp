// The page's messages, each handed to a short handler, as a window procedure does.
#include "ui/web/page_proc.h"

#include "play/puzzle_entry.h"
#include "state/game_state.h"
#include "ui/commands.h"
#include "ui/input.h"
#include "ui/paint.h"
#include "ui/timer.h"
#include "ui/web/canvas_surface.h"
#include "ui/web/page_imports.h"
#include "ui/web/page_layout.h"

namespace {

// The browser's keyCode for these keys is the Windows virtual-key code.
constexpr int kVirtualKeyBack = 0x08;
constexpr int kVirtualKeyLeft = 0x25;
constexpr int kVirtualKeyRight = 0x27;

Key keyFromVirtualKey(int virtualKey) {
  switch (virtualKey) {
    case kVirtualKeyBack:
      return kKeyBack;
    case kVirtualKeyLeft:
      return kKeyLeft;
    case kVirtualKeyRight:
      return kKeyRight;
    default:
      return kKeyOther;
  }
}

// The status line through the normal paint path, drawing clipped to it.
void onPaintStatus() {
  const Rect& status = game.layout.statusRect;
  pageBeginClip(status.left, status.top, status.right, status.bottom);
  paintAll(windowSurface());
  pageEndClip();
  forgetShownCells(status.left, status.top, status.right, status.bottom);
}

}  // namespace

void dispatchPageMessage(const PageMessage& message) {
  switch (message.kind) {
    case kPageTimer:
      onTimerTick();
      break;
    case kPageMouseMove:
      onMouseMove(message.a, message.b);
      break;
    case kPageLeftButton:
      onLeftButtonDown();
      break;
    case kPageRightButton:
      onRightButtonDown();
      break;
    case kPageChar:
      onChar(unsigned(message.a) & 0xFF);
      break;
    case kPageKeyDown:
      onKeyDown(keyFromVirtualKey(message.a));
      break;
    case kPageCommand:
      onCommand(unsigned(message.a));
      break;
    case kPageEntryBox:
      onEntryBoxState(message.a != 0);
      break;
    case kPagePaintStatus:
      onPaintStatus();
      break;
    case kPageLayout:
      layOutPage(message.a);
      break;
    default:
      break;
  }
}
