// The menu bar as a table: each popup's items, texts and commands.
#include "ui/menu_table.h"

#include "ui/commands.h"

const MenuItem kMenuItems[] = {
    {"&File", "E&xit", kCmdExit},
    {"&Puzzle", "&Undo Move\tBackspace, Left Arrow", kCmdUndo},
    {"&Puzzle", "&Redo Move\tRight Arrow", kCmdRedo},
    {"&Puzzle", nullptr, 0},
    {"&Puzzle", "&Fill in Easy Squares", kCmdFillEasy},
    {"&Puzzle", "Fill in &Solution", kCmdFillSolution},
    {"&Puzzle", nullptr, 0},
    {"&Puzzle", "Show &Legal Moves\tS", kCmdShowLegalMoves},
    {"&Puzzle", "Show &Colors\tC", kCmdShowColors},
    {"&Help", "&Online Help...", kCmdOnlineHelp},
    {"&Help", "&About...", kCmdAbout},
};
const int kMenuItemCount = int(sizeof kMenuItems / sizeof kMenuItems[0]);
