// The identifiers of the menu, its commands and the icon, shared by the
// resource script and the code.
#pragma once

// Plain macros: the resource compiler understands nothing else.
#define VANTRIC_MENU_RESOURCE 101
#define VANTRIC_ICON_RESOURCE 102

#define VANTRIC_CMD_EXIT 40001
#define VANTRIC_CMD_SHOW_LEGAL_MOVES 40002
#define VANTRIC_CMD_SHOW_COLORS 40003
#define VANTRIC_CMD_UNDO 40005
#define VANTRIC_CMD_REDO 40006
#define VANTRIC_CMD_FILL_SOLUTION 40007
#define VANTRIC_CMD_FILL_EASY 40009
#define VANTRIC_CMD_ABOUT 40010
#define VANTRIC_CMD_ONLINE_HELP 40011
