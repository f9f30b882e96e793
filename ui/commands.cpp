// The menu commands and the help boxes.
#include "ui/commands.h"

#include "play/assisted_fill.h"
#include "play/move_history.h"
#include "state/game_state.h"
#include "state/platform.h"
#include "state/version.h"
#include "ui/paint.h"

#define VANTRIC_HELP_ADDRESS "https://en.wikipedia.org/wiki/Sudoku"

const char kOnlineHelpAddress[] = VANTRIC_HELP_ADDRESS;
const char kAboutCaption[] = "Vantric version " VANTRIC_VERSION_TEXT;
const char kAboutText[] =
    "Vantric plays and solves Sudoku puzzles.\r\n"
    "\r\n"
    "Point at a square and type a digit to fill it in; only digits the rules "
    "allow there are taken. The space bar erases the square.\r\n"
    "Left-click a square to fill in a digit that is forced there.\r\n"
    "Right-click a square to fill it in from the solution.\r\n"
    "Left Arrow or Backspace undoes a move, Right Arrow redoes it.\r\n"
    "\"s\" shows or hides the legal moves, \"c\" shows or hides the colors.\r\n"
    "\r\n"
    "Rules and solving tips:\r\n" VANTRIC_HELP_ADDRESS;
const char kNoBrowserText[] =
    "No web browser could be started.\r\n"
    "\r\n"
    "Rules and solving tips:\r\n" VANTRIC_HELP_ADDRESS;

namespace {

void toggle(int* option) {
  *option = *option ? 0 : 1;
  updateMenuChecks();
  repaintWindow();
}

}  // namespace

void onCommand(unsigned command) {
  switch (command & 0xFFFF) {
    case kCmdExit:
      postQuit();
      break;
    case kCmdUndo:
      undoMove();
      break;
    case kCmdRedo:
      redoMove();
      break;
    case kCmdFillSolution:
      fillInSolution();
      break;
    case kCmdFillEasy:
      fillInEasySquares();
      break;
    case kCmdShowLegalMoves:
      toggle(&game.showLegalMoves);
      break;
    case kCmdShowColors:
      toggle(&game.showColors);
      break;
    case kCmdAbout:
      showInformation(kAboutText, kAboutCaption);
      break;
    case kCmdOnlineHelp:
      // Without a browser the address is shown, so the user can copy it.
      if (!openWebPage(kOnlineHelpAddress)) showInformation(kNoBrowserText, kAboutCaption);
      break;
    default:
      break;
  }
}

void updateMenuChecks() {
  setMenuCheck(int(kCmdShowLegalMoves), game.showLegalMoves != 0);
  setMenuCheck(int(kCmdShowColors), game.showColors != 0);
}
