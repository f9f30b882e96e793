// The browser's menu, built from the menu table, holds what the Win32 menu
// resource holds: the same popups, items, texts and commands, in order.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "ui/commands.h"
#include "ui/menu_table.h"

namespace {

struct ResourceItem {
  std::string popup;
  std::string text;
  unsigned command;
};

unsigned commandNamed(const std::string& name) {
  static const std::pair<const char*, unsigned> kNames[] = {
      {"VANTRIC_CMD_EXIT", kCmdExit},
      {"VANTRIC_CMD_SHOW_LEGAL_MOVES", kCmdShowLegalMoves},
      {"VANTRIC_CMD_SHOW_COLORS", kCmdShowColors},
      {"VANTRIC_CMD_UNDO", kCmdUndo},
      {"VANTRIC_CMD_REDO", kCmdRedo},
      {"VANTRIC_CMD_FILL_SOLUTION", kCmdFillSolution},
      {"VANTRIC_CMD_FILL_EASY", kCmdFillEasy},
      {"VANTRIC_CMD_ABOUT", kCmdAbout},
      {"VANTRIC_CMD_ONLINE_HELP", kCmdOnlineHelp},
  };
  for (const auto& [known, command] : kNames)
    if (name == known) return command;
  ADD_FAILURE() << "no command named " << name;
  return 0;
}

// The items of the MENU resource, a separator with command 0; "\t" as the
// resource compiler reads it.
std::vector<ResourceItem> readResourceMenu() {
  std::ifstream file(VANTRIC_RESOURCE_SCRIPT);
  EXPECT_TRUE(file.is_open()) << VANTRIC_RESOURCE_SCRIPT;
  const std::regex popup(R"(^\s*POPUP\s+"([^"]*)\")");
  const std::regex item(R"(^\s*MENUITEM\s+"([^"]*)\",\s*(\w+))");
  const std::regex separator(R"(^\s*MENUITEM\s+SEPARATOR)");
  std::vector<ResourceItem> items;
  std::string current;
  std::string line;
  std::smatch match;
  while (std::getline(file, line)) {
    if (std::regex_search(line, match, popup)) {
      current = match[1];
    } else if (std::regex_search(line, match, separator)) {
      items.push_back({current, "", 0});
    } else if (std::regex_search(line, match, item)) {
      std::string text = match[1];
      for (std::size_t at = text.find("\\t"); at != std::string::npos; at = text.find("\\t"))
        text.replace(at, 2, "\t");
      items.push_back({current, text, commandNamed(match[2])});
    }
  }
  return items;
}

TEST(MenuTable, HoldsTheMenuResourceItemForItem) {
  const std::vector<ResourceItem> resource = readResourceMenu();
  ASSERT_EQ(int(resource.size()), kMenuItemCount);
  for (int i = 0; i < kMenuItemCount; ++i) {
    const MenuItem& item = kMenuItems[i];
    EXPECT_EQ(resource[i].popup, item.popup) << "item " << i;
    EXPECT_EQ(resource[i].text, item.text != nullptr ? item.text : "") << "item " << i;
    EXPECT_EQ(resource[i].command, item.command) << "item " << i;
  }
}

}  // namespace
