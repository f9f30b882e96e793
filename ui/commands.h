// The menu commands: what each one does, and the texts of the help boxes.
#pragma once

#include "ui/resource_ids.h"

constexpr unsigned kCmdExit = VANTRIC_CMD_EXIT;
constexpr unsigned kCmdShowLegalMoves = VANTRIC_CMD_SHOW_LEGAL_MOVES;
constexpr unsigned kCmdShowColors = VANTRIC_CMD_SHOW_COLORS;
constexpr unsigned kCmdUndo = VANTRIC_CMD_UNDO;
constexpr unsigned kCmdRedo = VANTRIC_CMD_REDO;
constexpr unsigned kCmdFillSolution = VANTRIC_CMD_FILL_SOLUTION;
constexpr unsigned kCmdFillEasy = VANTRIC_CMD_FILL_EASY;
constexpr unsigned kCmdAbout = VANTRIC_CMD_ABOUT;
constexpr unsigned kCmdOnlineHelp = VANTRIC_CMD_ONLINE_HELP;

extern const char kOnlineHelpAddress[];
extern const char kAboutCaption[];
extern const char kAboutText[];
// Shown by Online Help when no browser opens.
extern const char kNoBrowserText[];

// A menu command, by the low 16 bits of its identifier; keys use it too.
void onCommand(unsigned command);
// The check marks of Show Legal Moves and Show Colors.
void updateMenuChecks();
