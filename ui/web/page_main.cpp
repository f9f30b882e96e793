// The game module's entry: start-up as the window's, then the message loop.
#include "model/analysis.h"
#include "model/builtin_puzzles.h"
#include "model/tables.h"
#include "play/text_panes.h"
#include "state/game_state.h"
#include "state/platform.h"
#include "ui/commands.h"
#include "ui/menu_table.h"
#include "ui/web/page_imports.h"
#include "ui/web/page_layout.h"

#define VANTRIC_PAGE_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

// Where the page's script finds what it shows beside the game's own
// drawing: the fragment's puzzle, the status line's text, the hint's
// board. It reads them only between messages.
struct PageView {
  const int* board;
  const int* givens;
  const char* statusText;
  const bool* solverIdle;
  const int* entryMode;
};

PageView view;

// The stack the game is suspended with while the page runs: the deepest
// search and a handler it dispatched, with room to spare. Asyncify traps,
// rather than writes past it, should it ever not suffice.
constexpr int kSuspendedStackSize = 64 * 1024;
alignas(8) unsigned char suspendedStack[kSuspendedStackSize];

void createPageMenu() {
  for (int i = 0; i < kMenuItemCount; ++i) {
    const MenuItem& item = kMenuItems[i];
    // A page is closed by its browser; the File menu's Exit has no meaning.
    if (item.command == kCmdExit) continue;
    pageAddMenuItem(item.popup, item.text, int(item.command));
  }
}

}  // namespace

VANTRIC_PAGE_EXPORT(vantricView) const PageView* vantricView() {
  view = {game.board, game.givens, game.statusText, &game.solverIdle, &game.entryMode};
  return &view;
}

VANTRIC_PAGE_EXPORT(vantricSuspendedStack) unsigned char* vantricSuspendedStack() {
  return suspendedStack;
}

VANTRIC_PAGE_EXPORT(vantricSuspendedStackSize) int vantricSuspendedStackSize() {
  return kSuspendedStackSize;
}

// Runs for the life of the page; the page's script resumes it whenever it
// was suspended waiting for a message, a dialog's answer or its turn.
VANTRIC_PAGE_EXPORT(vantricMain) void vantricMain(int dpi) {
  loadBuiltInPuzzle();
  initTables();
  analysePosition();
  createPageMenu();
  layOutPage(dpi);
  refreshTextPanes();
  updateMenuChecks();
  for (;;) dispatchNextMessage();
}
