#pragma once

// Menu command identifiers (menu resource 101).
constexpr unsigned kCmdExit = 40001;
constexpr unsigned kCmdShowLegalMoves = 40002;
constexpr unsigned kCmdShowColors = 40003;
constexpr unsigned kCmdUndo = 40005;
constexpr unsigned kCmdRedo = 40006;
constexpr unsigned kCmdFillSolution = 40007;
constexpr unsigned kCmdFillEasy = 40009;
constexpr unsigned kCmdAbout = 40010;
constexpr unsigned kCmdOnlineHelp = 40011;

extern const char kOnlineHelpAddress[];
extern const char kAboutCaption[];
extern const char kAboutText[];

// A menu command, by the low 16 bits of its identifier; keys use it too.
void onCommand(unsigned command);
// The check marks of Show Legal Moves and Show Colors.
void updateMenuChecks();
