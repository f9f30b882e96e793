// The window as start-up leaves it: class, style, menu, children, client
// size, painted pixels, the first tick's solve and a responsive search.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "model/builtin_puzzles.h"
#include "model/colours.h"
#include "solver/search.h"
#include "state/game_state.h"
#include "state/platform.h"
#include "state/version.h"
#include "tests/support/grid_text.h"
#include "tests/windows/window_support.h"
#include "tests/windows/window_test_state.h"
#include "ui/commands.h"
#include "ui/layout.h"
#include "ui/paint.h"
#include "ui/win32/front_end.h"
#include "ui/win32/main_window.h"
#include "ui/win32/window_proc.h"

namespace {

// A position without a solution whose search takes 5934 nodes.
const char kLongSearch[] =
    "1...............12..3.45........63...1.2......4.....7....8.....7...1....8.9...5..";

struct Measured {
  int lineHeight[kFontCount];
  int digitWidth[kFontCount];
};

// The fonts measured again, independently of the program.
Measured measureFonts() {
  Measured m = {};
  const HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  HFONT fonts[kFontCount] = {
      static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)),
      CreateFontA(-MulDiv(30, dpi, 72), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Times New Roman"),
      CreateFontA(-MulDiv(8, dpi, 72), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Courier New")};
  for (int i = 0; i < kFontCount; ++i) {
    const HGDIOBJ old = SelectObject(dc, fonts[i]);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SIZE size;
    GetTextExtentPoint32A(dc, "9", 1, &size);
    SelectObject(dc, old);
    m.lineHeight[i] = tm.tmHeight + tm.tmExternalLeading;
    m.digitWidth[i] = size.cx;
  }
  DeleteObject(fonts[1]);
  DeleteObject(fonts[2]);
  ReleaseDC(nullptr, dc);
  return m;
}

RECT childRectInClient(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, frontEnd.mainWindow, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void expectRect(const RECT& actual, const Rect& expected) {
  EXPECT_EQ(actual.left, expected.left);
  EXPECT_EQ(actual.top, expected.top);
  EXPECT_EQ(actual.right, expected.right);
  EXPECT_EQ(actual.bottom, expected.bottom);
}

std::string className(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string menuText(HMENU menu, int position) {
  char text[128] = {};
  GetMenuStringA(menu, UINT(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

// A point inside a cell's fill, clear of its candidates and digit.
POINT fillPoint(CellIndex cell) {
  int x = 0;
  int y = 0;
  cellOrigin(cell, &x, &y);
  return {x + game.layout.cellWidth - 3, y + game.layout.cellHeight - 3};
}

// A path CMake gave at build time, as Wine's Z: drive sees a Unix one.
std::string programPath(const char* built) {
  return built[0] == '/' ? std::string("Z:") + built : std::string(built);
}

std::string versionString(const std::vector<char>& info, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
    return "(none)";
  return std::string(value);
}

// The pixels across the checkbox's text, measured in its own font.
int entryLabelWidth() {
  const HDC dc = GetDC(frontEnd.entryButton);
  const HGDIOBJ old = SelectObject(dc, frontEnd.fonts[kFontGui]);
  SIZE size = {};
  GetTextExtentPoint32A(dc, kEntryButtonText, int(std::strlen(kEntryButtonText)), &size);
  SelectObject(dc, old);
  ReleaseDC(frontEnd.entryButton, dc);
  return size.cx;
}

CellIndex firstCellColoured(Colour colour) {
  for (CellIndex c = 0; c < kCellCount; ++c)
    if (game.cellColour[c] == colour) return c;
  return kNoCell;
}

}  // namespace

TEST(StartUp, FirstTimerTickSolvesTheLoadedPuzzle) {
  ASSERT_EQ(startState.startUpResult, 0);
  ASSERT_TRUE(startState.solvedByFirstTick);
  EXPECT_TRUE(startState.solutionFoundAfterFirstTick);
  EXPECT_EQ(startState.statusAfterFirstTick.rfind("Solution found! (", 0), 0u)
      << startState.statusAfterFirstTick;
  EXPECT_NE(startState.statusAfterFirstTick.find(" seconds, "), std::string::npos);
  EXPECT_EQ(startState.statusAfterFirstTick.substr(startState.statusAfterFirstTick.size() - 7),
            " nodes)");
  bool builtIn = false;
  for (const char* puzzle : kBuiltInPuzzles)
    builtIn = builtIn || cellsText(startState.loadedBoard) == puzzle;
  EXPECT_TRUE(builtIn);
}

TEST(StartUp, WindowClassHasTheRegisteredValues) {
  WNDCLASSA windowClass = {};
  ASSERT_TRUE(GetClassInfoA(frontEnd.appInstance, kMainClassName, &windowClass));
  EXPECT_EQ(windowClass.style, 0u);
  EXPECT_EQ(windowClass.lpfnWndProc, &windowProc);
  EXPECT_EQ(windowClass.cbClsExtra, 0);
  EXPECT_EQ(windowClass.cbWndExtra, 0);
  EXPECT_EQ(windowClass.hInstance, frontEnd.appInstance);
  EXPECT_NE(windowClass.hIcon, nullptr);
  EXPECT_EQ(windowClass.hIcon, LoadIconA(frontEnd.appInstance, MAKEINTRESOURCEA(102)));
  EXPECT_EQ(windowClass.hCursor, LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
  EXPECT_EQ(windowClass.hbrBackground, frontEnd.backgroundBrush);
  LOGBRUSH brush = {};
  GetObjectA(frontEnd.backgroundBrush, sizeof brush, &brush);
  EXPECT_EQ(brush.lbColor, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(windowClass.lpszMenuName, nullptr);
}

TEST(StartUp, IconIsOne32By32ImageIn16Colours) {
  const HRSRC group = FindResourceA(nullptr, MAKEINTRESOURCEA(102), MAKEINTRESOURCEA(14));
  ASSERT_NE(group, nullptr);
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, group)));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data[4] | (data[5] << 8), 1);  // one image
  EXPECT_EQ(data[6], 32);
  EXPECT_EQ(data[7], 32);
  EXPECT_EQ(data[8], 16);
}

TEST(StartUp, MainWindowStyleTitleAndMenu) {
  const LONG style = GetWindowLongA(frontEnd.mainWindow, GWL_STYLE);
  EXPECT_EQ(DWORD(style) & ~DWORD(WS_VISIBLE | WS_CLIPSIBLINGS), kMainWindowStyle);
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_EQ(GetWindowLongA(frontEnd.mainWindow, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
  EXPECT_EQ(windowText(frontEnd.mainWindow), "Vantric");
  EXPECT_EQ(GetMenu(frontEnd.mainWindow), frontEnd.mainMenu);
  EXPECT_EQ(GetParent(frontEnd.mainWindow), nullptr);
}

TEST(StartUp, MenuHasEveryItemInOrder) {
  const HMENU menu = frontEnd.mainMenu;
  ASSERT_EQ(GetMenuItemCount(menu), 3);
  EXPECT_EQ(menuText(menu, 0), "&File");
  EXPECT_EQ(menuText(menu, 1), "&Puzzle");
  EXPECT_EQ(menuText(menu, 2), "&Help");

  struct Item {
    int popup;
    const char* text;
    int id;
  };
  const Item items[] = {
      {0, "E&xit", 40001},
      {1, "&Undo Move\tBackspace, Left Arrow", 40005},
      {1, "&Redo Move\tRight Arrow", 40006},
      {1, nullptr, 0},
      {1, "&Fill in Easy Squares", 40009},
      {1, "Fill in &Solution", 40007},
      {1, nullptr, 0},
      {1, "Show &Legal Moves\tS", 40002},
      {1, "Show &Colors\tC", 40003},
      {2, "&Online Help...", 40011},
      {2, "&About...", 40010},
  };
  int position[3] = {0, 0, 0};
  for (const Item& item : items) {
    const HMENU popup = GetSubMenu(menu, item.popup);
    const int at = position[item.popup]++;
    const UINT state = GetMenuState(popup, UINT(at), MF_BYPOSITION);
    if (!item.text) {
      EXPECT_TRUE(state & MF_SEPARATOR) << item.popup << ":" << at;
      continue;
    }
    EXPECT_EQ(menuText(popup, at), item.text);
    EXPECT_EQ(int(GetMenuItemID(popup, at)), item.id);
    EXPECT_FALSE(state & (MF_GRAYED | MF_DISABLED)) << item.text;
  }
  for (int popup = 0; popup < 3; ++popup)
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, popup)), position[popup]);
}

TEST(StartUp, OnlyTheShowItemsAreCheckedAndNotInTheResource) {
  EXPECT_TRUE(GetMenuState(frontEnd.mainMenu, 40002, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(frontEnd.mainMenu, 40003, MF_BYCOMMAND) & MF_CHECKED);
  const HMENU fresh = LoadMenuA(frontEnd.appInstance, MAKEINTRESOURCEA(101));
  for (UINT id : {40001u, 40002u, 40003u, 40005u, 40006u, 40007u, 40009u, 40010u, 40011u})
    EXPECT_FALSE(GetMenuState(fresh, id, MF_BYCOMMAND) & MF_CHECKED) << id;
  DestroyMenu(fresh);
}

TEST(StartUp, ChildrenHaveTheirClassesStylesRectanglesAndFonts) {
  const HWND children[3] = {frontEnd.entryButton, frontEnd.movesEdit, frontEnd.positionEdit};
  const char* classes[3] = {"Button", "Edit", "Edit"};
  const DWORD styles[3] = {kEntryButtonStyle, kTextBoxStyle, kTextBoxStyle};
  const Rect* rects[3] = {&game.layout.buttonRect, &game.layout.movesEditRect,
                          &game.layout.positionEditRect};
  const HFONT fonts[3] = {frontEnd.fonts[kFontGui], frontEnd.fonts[kFontGui],
                          frontEnd.fonts[kFontPosition]};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    ASSERT_NE(children[i], nullptr);
    EXPECT_EQ(_stricmp(className(children[i]).c_str(), classes[i]), 0) << className(children[i]);
    EXPECT_EQ(DWORD(GetWindowLongA(children[i], GWL_STYLE)), styles[i]);
    EXPECT_EQ(GetDlgCtrlID(children[i]), 0);
    EXPECT_EQ(GetParent(children[i]), frontEnd.mainWindow);
    expectRect(childRectInClient(children[i]), *rects[i]);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(children[i], WM_GETFONT, 0, 0)), fonts[i]);
  }
  EXPECT_EQ(windowText(frontEnd.entryButton), "Enter New Puzzle");
  EXPECT_EQ(frontEnd.fonts[kFontGui], GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTA position = {};
  GetObjectA(frontEnd.fonts[kFontPosition], sizeof position, &position);
  EXPECT_STREQ(position.lfFaceName, "Courier New");
  EXPECT_EQ(position.lfHeight, -MulDiv(8, GetDeviceCaps(frontEnd.windowDc, LOGPIXELSY), 72));
  LOGFONTA digit = {};
  GetObjectA(frontEnd.fonts[kFontDigit], sizeof digit, &digit);
  EXPECT_STREQ(digit.lfFaceName, "Times New Roman");
  EXPECT_EQ(digit.lfHeight, -MulDiv(30, GetDeviceCaps(frontEnd.windowDc, LOGPIXELSY), 72));
}

TEST(StartUp, ClientSizeFollowsTheFontsMeasuredHere) {
  const Measured m = measureFonts();
  for (int i = 0; i < kFontCount; ++i) {
    EXPECT_EQ(game.layout.lineHeight[i], m.lineHeight[i]) << i;
    EXPECT_EQ(game.layout.digitWidth[i], m.digitWidth[i]) << i;
  }
  const int cw = m.digitWidth[kFontDigit] + 3 * m.digitWidth[kFontGui] + 12;
  const int ch = m.lineHeight[kFontDigit] + 6;
  RECT client;
  GetClientRect(frontEnd.mainWindow, &client);
  EXPECT_EQ(client.right, 9 * cw + 176);
  EXPECT_EQ(client.bottom, 9 * ch + 28 + m.lineHeight[kFontGui]);
}

TEST(StartUp, LayoutScalesItsFixedDistancesWithTheDisplayDpi) {
  const int dpi = GetDeviceCaps(frontEnd.windowDc, LOGPIXELSY);
  // The high-dpi run says which dpi its desktop was given.
  if (const char* wanted = std::getenv("VANTRIC_EXPECT_DPI")) {
    EXPECT_EQ(dpi, std::atoi(wanted));
  }
  EXPECT_EQ(game.layout.dpi, dpi);
  const auto scaled = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
  for (int pixels : {-7, -5, 2, 5, 6, 10, 12, 15, 150, 1000})
    EXPECT_EQ(scaleToDpi(pixels), scaled(pixels)) << pixels;

  const Measured m = measureFonts();
  const int cw = m.digitWidth[kFontDigit] + 3 * m.digitWidth[kFontGui] + scaled(12);
  const int ch = m.lineHeight[kFontDigit] + scaled(6);
  const int g = m.lineHeight[kFontGui];
  EXPECT_EQ(game.layout.cellWidth, cw);
  EXPECT_EQ(game.layout.cellHeight, ch);
  WindowPlacement placement = {};
  placeWindow(0, 0, GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME),
              GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYMENU), &placement);
  EXPECT_EQ(placement.clientWidth, scaled(10) + 9 * cw - 4 + scaled(10) + scaled(150) + scaled(10));
  EXPECT_EQ(placement.clientHeight, scaled(12) + 9 * ch - 4 + scaled(15) + g + scaled(5));
  // The outer size adds the frame metrics less two pixels, which fits the
  // frame exactly at 96 dpi; on a larger frame the client area comes out a
  // pixel or two larger, never smaller.
  RECT client;
  GetClientRect(frontEnd.mainWindow, &client);
  EXPECT_GE(client.right, placement.clientWidth);
  EXPECT_LE(client.right, placement.clientWidth + 2);
  EXPECT_GE(client.bottom, placement.clientHeight);
  EXPECT_LE(client.bottom, placement.clientHeight + 2);

  // The real children: the column beside the board, its width and gaps.
  const RECT button = childRectInClient(frontEnd.entryButton);
  const RECT moves = childRectInClient(frontEnd.movesEdit);
  const RECT position = childRectInClient(frontEnd.positionEdit);
  EXPECT_EQ(button.left, game.layout.boardRect.right + scaled(10));
  EXPECT_EQ(button.top, scaled(12));
  EXPECT_EQ(button.right - button.left, scaled(150));
  EXPECT_EQ(moves.top - button.bottom, scaled(10) + g + scaled(5));
  EXPECT_EQ(position.bottom, game.layout.boardRect.bottom);
  EXPECT_EQ(position.top - moves.bottom, scaled(10) + g + scaled(5));

  // The checkbox's whole label fits beside its box, and the whole window
  // lies on the screen.
  RECT buttonClient;
  GetClientRect(frontEnd.entryButton, &buttonClient);
  EXPECT_LE(entryLabelWidth() + GetSystemMetrics(SM_CXMENUCHECK) + scaled(4), buttonClient.right)
      << "label " << entryLabelWidth() << ", box " << GetSystemMetrics(SM_CXMENUCHECK);
  RECT outer;
  GetWindowRect(frontEnd.mainWindow, &outer);
  EXPECT_GE(outer.left, 0);
  EXPECT_GE(outer.top, 0);
  EXPECT_LE(outer.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_LE(outer.bottom, GetSystemMetrics(SM_CYSCREEN));
  std::printf("[ measured ] %d dpi: cell %d x %d, client %ld x %ld, label %d in %ld\n", dpi, cw, ch,
              client.right, client.bottom, entryLabelWidth(), buttonClient.right);
}

TEST(StartUp, BothProgramsCarryTheirVersionResourceAndManifest) {
  struct Program {
    const char* path;
    const char* fileName;
    const char* description;
  };
  const Program programs[] = {
      {VANTRIC_EXE, "vantric.exe", "Vantric Sudoku player and solver"},
      {VANTRIC_SOLVE_EXE, "vantric-solve.exe", "Vantric Sudoku solver for puzzle lists"}};
  const char* const supportedOs[] = {
      "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
      "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
      "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"};
  for (const Program& program : programs) {
    SCOPED_TRACE(program.fileName);
    const std::string path = programPath(program.path);
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &unused);
    ASSERT_GT(size, 0u) << path;
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS,
              DWORD(MAKELONG(VANTRIC_VERSION_MINOR, VANTRIC_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwFileType, DWORD(VFT_APP));
    EXPECT_EQ(versionString(info, "ProductName"), "Vantric");
    EXPECT_EQ(versionString(info, "FileDescription"), program.description);
    EXPECT_EQ(versionString(info, "FileVersion"), kVersionText);
    EXPECT_EQ(versionString(info, "ProductVersion"), "1.2");
    EXPECT_EQ(versionString(info, "OriginalFilename"), program.fileName);
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(translation[0], 0x409);
    EXPECT_EQ(translation[1], 1200);

    const HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))),
                               SizeofResource(module, found));
    FreeLibrary(module);
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find("name=\"Vantric\" version=\"1.2.0.0\""), std::string::npos);
    for (const char* os : supportedOs)
      EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + os + "\"/>"), std::string::npos)
          << os;
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
    EXPECT_EQ(manifest.find("<dependency"), std::string::npos);
  }
}

TEST(StartUp, WindowIsWhereTheCentringPutsIt) {
  WindowPlacement expected = {};
  placeWindow(GetDeviceCaps(frontEnd.windowDc, HORZRES), GetDeviceCaps(frontEnd.windowDc, VERTRES),
              GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME),
              GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYMENU), &expected);
  RECT outer;
  GetWindowRect(frontEnd.mainWindow, &outer);
  EXPECT_EQ(outer.left, expected.x);
  EXPECT_EQ(outer.top, expected.y);
  EXPECT_EQ(outer.right - outer.left, expected.width);
  EXPECT_EQ(outer.bottom - outer.top, expected.height);
}

TEST(Painting, PixelsReadBackFromTheWindow) {
  pastePosition(kBuiltInPuzzles[0]);
  hoverOffBoard();
  repaintWindow();
  GdiFlush();
  const LayoutMetrics& m = game.layout;
  const CellIndex given = firstCellColoured(kColourGiven);
  ASSERT_NE(given, kNoCell);
  POINT p = fillPoint(given);
  EXPECT_EQ(pixelAt(p.x, p.y), 0xC0C0C0u);
  const CellIndex naked = firstCellColoured(kColourNakedSingle);
  ASSERT_NE(naked, kNoCell);
  p = fillPoint(naked);
  EXPECT_EQ(pixelAt(p.x, p.y), 0x80FF80u);
  const int left = m.boardRect.left;
  const int top = m.boardRect.top;
  EXPECT_EQ(pixelAt(left + 3 * m.cellWidth - 2, top + 5), 0x000000u);
  EXPECT_EQ(pixelAt(left + 5, top + 6 * m.cellHeight - 3), 0x000000u);
  EXPECT_EQ(pixelAt(5, 0), 0x808080u);
  EXPECT_EQ(pixelAt(5, 1), 0xFFFFFFu);
  EXPECT_EQ(pixelAt(5, m.boardRect.bottom + 10), 0x808080u);
  EXPECT_EQ(pixelAt(5, m.boardRect.bottom + 11), 0xFFFFFFu);

  hoverOver(naked);
  GdiFlush();
  p = fillPoint(naked);
  EXPECT_EQ(pixelAt(p.x, p.y), darkenColour(kColourNakedSingle));
  hoverOffBoard();
  GdiFlush();
  EXPECT_EQ(pixelAt(p.x, p.y), 0x80FF80u);
}

TEST(Search, PostedMessageIsHandledWhileTheSearchRuns) {
  probeRecord = {};
  probeAction = nullptr;
  pastePosition(kBuiltInPuzzles[0]);
  game.moveCount = 0;
  SetWindowTextA(frontEnd.positionEdit, kLongSearch);
  PostMessageA(frontEnd.mainWindow, kProbeMessage, 0, 0);
  // The tick adopts the position and searches inside this call; only the
  // search's own pump can have handled the posted message before it returns.
  send(WM_TIMER, kTimerId);
  EXPECT_EQ(probeRecord.handled, 1);
  EXPECT_FALSE(probeRecord.solverIdle);
  EXPECT_GE(probeRecord.nodeCount, kNodesPerProgressStep);
  EXPECT_EQ(game.nodeCount, 5934);
  EXPECT_LT(probeRecord.nodeCount, game.nodeCount);
  EXPECT_FALSE(game.solutionFound);
  EXPECT_EQ(std::string(game.statusText).rfind("No solution found. Invalid puzzle. (", 0), 0u);
}
