// Everything the game module asks of the page's script: the one list of the
// JavaScript functions it imports, each with its C signature. vantric.js
// provides them under the same names in its "page" import object.
#pragma once

#include <cstdint>

#include "state/grid.h"
#include "ui/web/page_message.h"

#define VANTRIC_PAGE_IMPORT(name) __attribute__((import_module("page"), import_name(#name)))

extern "C" {

// The canvas, in its device pixels, with GDI's pixel rules (ui/draw_surface.h).
VANTRIC_PAGE_IMPORT(setPen) void pageSetPen(Colour colour);
VANTRIC_PAGE_IMPORT(setBrush) void pageSetBrush(Colour colour);
VANTRIC_PAGE_IMPORT(setTextColour) void pageSetTextColour(Colour colour);
VANTRIC_PAGE_IMPORT(selectFont) void pageSelectFont(int font);
VANTRIC_PAGE_IMPORT(rectangle) void pageRectangle(int left, int top, int right, int bottom);
VANTRIC_PAGE_IMPORT(line) void pageLine(int x0, int y0, int x1, int y1);
VANTRIC_PAGE_IMPORT(textOut) void pageTextOut(int x, int y, const char* text, int length);
VANTRIC_PAGE_IMPORT(faceColour) Colour pageFaceColour();
// Drawing from here to endClip lands only inside the rectangle.
VANTRIC_PAGE_IMPORT(beginClip) void pageBeginClip(int left, int top, int right, int bottom);
VANTRIC_PAGE_IMPORT(endClip) void pageEndClip();

// Sets font (a FontId) to its face at pixelHeight pixels and measures it as
// GDI's text metrics would: the line height and the advance of "9".
VANTRIC_PAGE_IMPORT(measureFont)
void pageMeasureFont(int font, int pixelHeight, int* lineHeight, int* digitWidth);
// The client area's size at dpi, and the width of the board and status line
// alone, which a narrow screen shows with the controls below.
VANTRIC_PAGE_IMPORT(sizeClient) void pageSizeClient(int width, int height, int boardWidth, int dpi);
// Where a control (PageControl) or a cell (0-80) lies in the client area.
VANTRIC_PAGE_IMPORT(placeControl)
void pagePlaceControl(int control, int left, int top, int right, int bottom);
VANTRIC_PAGE_IMPORT(placeCell)
void pagePlaceCell(int cell, int left, int top, int right, int bottom);
// One item of a menu; command 0 is a separator. Popups come in order.
VANTRIC_PAGE_IMPORT(addMenuItem)
void pageAddMenuItem(const char* popup, const char* text, int command);
VANTRIC_PAGE_IMPORT(setMenuCheck) void pageSetMenuCheck(int command, int checked);

// The two text boxes (TextBox) and the checkbox. Text crosses as 8-bit
// characters with CR LF line ends, offsets count CR LF as two.
VANTRIC_PAGE_IMPORT(setBoxText) void pageSetBoxText(int box, const char* text, int atEnd);
// Writes at most size - 1 characters and a zero; returns how many it wrote.
VANTRIC_PAGE_IMPORT(getBoxText) int pageGetBoxText(int box, char* buffer, int size);
VANTRIC_PAGE_IMPORT(getBoxSelection) void pageGetBoxSelection(int box, int* start, int* end);
VANTRIC_PAGE_IMPORT(setBoxSelection) void pageSetBoxSelection(int box, int start, int end);
VANTRIC_PAGE_IMPORT(uncheckEntry) void pageUncheckEntry();
VANTRIC_PAGE_IMPORT(focusBoard) void pageFocusBoard();

// Feedback. ask and inform are modal: the game is suspended until the
// player answers; ask returns 0 only for Cancel.
VANTRIC_PAGE_IMPORT(beep) void pageBeep(unsigned kind);
VANTRIC_PAGE_IMPORT(ask) int pageAsk(const char* text, const char* caption);
VANTRIC_PAGE_IMPORT(inform) void pageInform(const char* text, const char* caption);
// Opens address in a new tab; 0 when the browser refused.
VANTRIC_PAGE_IMPORT(openPage) int pageOpenPage(const char* address);
// The status rectangle is to be repainted by a kPagePaintStatus message.
VANTRIC_PAGE_IMPORT(invalidateStatus) void pageInvalidateStatus();

// Messages. hasMessage: one is waiting, or the page is due to run (the
// next waitMessage then lets it, and may bring kPageNone). waitMessage
// suspends the game until a message comes.
VANTRIC_PAGE_IMPORT(hasMessage) int pageHasMessage();
VANTRIC_PAGE_IMPORT(waitMessage) void pageWaitMessage(PageMessage* message);

// Clocks: performance.now() in milliseconds, and Date.now() modulo 2^32.
VANTRIC_PAGE_IMPORT(now) double pageNow();
VANTRIC_PAGE_IMPORT(ticks) std::uint32_t pageTicks();
}
