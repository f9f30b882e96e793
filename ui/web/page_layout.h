// The page's layout: the fonts measured on the canvas at a dpi, and the
// rectangles, cells and controls placed from them.
#pragma once

// Measures the fonts at dpi, lays out the client area, places the controls
// and cells on the page and repaints the whole canvas. The page calls it
// again when its pixel ratio or width changes.
void layOutPage(int dpi);
