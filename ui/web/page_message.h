// The messages the page sends the game, as the window system sends a window
// its messages; vantric.js numbers them the same way.
#pragma once

enum PageMessageKind {
  // Nothing: the page only had its turn to run.
  kPageNone = 0,
  kPageTimer = 1,
  // x, y in the client area's device pixels.
  kPageMouseMove = 2,
  kPageLeftButton = 3,
  kPageRightButton = 4,
  // a: a character code 0-255.
  kPageChar = 5,
  // a: a Windows virtual-key code, as the browser's keyCode gives it.
  kPageKeyDown = 6,
  // a: a menu command.
  kPageCommand = 7,
  // a: the checkbox's new state, 0 or 1.
  kPageEntryBox = 8,
  kPagePaintStatus = 9,
  // a: the new dpi, when the pixel ratio or the page's width changed.
  kPageLayout = 10,
};

// The controls beside the board, for placeControl.
enum PageControl { kControlEntry = 0, kControlMoves = 1, kControlPosition = 2 };

struct PageMessage {
  int kind;
  int a;
  int b;
};
