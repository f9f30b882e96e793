// The menu bar as a table: each popup's items, texts and commands.
#pragma once

// One item; a separator has command 0. "\t" parts an item's text from its
// shortcut, "&" marks the mnemonic letter.
struct MenuItem {
  const char* popup;
  const char* text;
  unsigned command;
};

// In display order, the popups' items together and in order. The Win32
// front end's menu resource holds the same items; a test compares the two.
extern const MenuItem kMenuItems[];
extern const int kMenuItemCount;
