// The document: a page at a time onto one PDF surface, or onto an SVG
// surface of its own each, every surface writing into a string.
#include "cli/print_document.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <new>

#include "cli/grid_drawing.h"
#include "state/version.h"

namespace {

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
  try {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  } catch (const std::bad_alloc&) {
    return CAIRO_STATUS_NO_MEMORY;
  }
  return CAIRO_STATUS_SUCCESS;
}

// Says why cairo failed; false.
bool reportCairoFailure(cairo_status_t status) {
  std::fprintf(stderr, "vantric-print: cannot draw the pages: %s\n",
               cairo_status_to_string(status));
  return false;
}

// The heading, scaled down to fit between the margins when it is long.
// Ends a drawing and its surface, which report the first failure of any
// call on them; false once it has been said.
bool finishDrawing(cairo_t* cairo, cairo_surface_t* surface) {
  cairo_status_t status = cairo_status(cairo);
  cairo_destroy(cairo);
  cairo_surface_finish(surface);
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  return status == CAIRO_STATUS_SUCCESS || reportCairoFailure(status);
}

void drawHeading(cairo_t* cairo, const PageLayout& layout, const char* heading) {
  cairo_select_font_face(cairo, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  double size = layout.headingSize;
  cairo_set_font_size(cairo, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cairo, heading, &extents);
  const double width = layout.size.width - 2.0 * layout.margin;
  if (extents.x_advance > width) size *= width / extents.x_advance;
  cairo_set_font_size(cairo, size);
  cairo_set_source_rgb(cairo, 0.0, 0.0, 0.0);
  drawText(cairo, heading, layout.size.width / 2.0, layout.headingBaseline, Align::kCentre);
}

void drawFooter(cairo_t* cairo, const PageLayout& layout, int page, int pages) {
  char text[48];
  std::snprintf(text, sizeof text, "Page %d of %d", page, pages);
  cairo_select_font_face(cairo, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cairo, layout.footerSize);
  cairo_set_source_rgb(cairo, 0.3, 0.3, 0.3);
  drawText(cairo, text, layout.size.width / 2.0, layout.footerBaseline, Align::kCentre);
}

// Page `page` (from 0) of the document.
void drawPage(cairo_t* cairo, const PrintOptions& options, const std::vector<PrintPuzzle>& puzzles,
              int page) {
  const int count = int(puzzles.size());
  const int puzzlePages = puzzlePageCount(options, count);
  const bool answers = page >= puzzlePages;
  const PageLayout layout =
      answers ? layoutAnswerPage(options.paper) : layoutPuzzlePage(options.paper, options.perPage);
  const int first = answers ? (page - puzzlePages) * kAnswersPerPage : page * options.perPage;
  if (answers) {
    char heading[16 + 4 * kMaxTitleCharacters];
    std::snprintf(heading, sizeof heading, "%s%sAnswers", options.title ? options.title : "",
                  options.title ? " \u2013 " : "");
    drawHeading(cairo, layout, heading);
  } else if (options.title != nullptr) {
    drawHeading(cairo, layout, options.title);
  }
  for (int slot = 0; slot < layout.slotCount && first + slot < count; ++slot) {
    const PrintPuzzle& puzzle = puzzles[std::size_t(first + slot)];
    if (answers) {
      drawAnswer(cairo, layout.slots[slot], puzzle, first + slot + 1);
    } else {
      drawPuzzle(cairo, layout.slots[slot], puzzle, first + slot + 1);
    }
  }
  drawFooter(cairo, layout, page + 1, pageCount(options, count));
}

bool drawPdf(const PrintOptions& options, const std::vector<PrintPuzzle>& puzzles,
             std::string& file) {
  const PageSize size = paperSize(options.paper);
  cairo_surface_t* surface =
      cairo_pdf_surface_create_for_stream(appendBytes, &file, size.width, size.height);
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE,
                                 options.title ? options.title : "Sudoku puzzles");
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR,
                                 "vantric-print " VANTRIC_VERSION_TEXT);
  cairo_t* cairo = cairo_create(surface);
  const int pages = pageCount(options, int(puzzles.size()));
  for (int page = 0; page < pages && cairo_status(cairo) == CAIRO_STATUS_SUCCESS; ++page) {
    drawPage(cairo, options, puzzles, page);
    cairo_show_page(cairo);
  }
  return finishDrawing(cairo, surface);
}

bool drawSvgPage(const PrintOptions& options, const std::vector<PrintPuzzle>& puzzles, int page,
                 std::string& file) {
  const PageSize size = paperSize(options.paper);
  cairo_surface_t* surface =
      cairo_svg_surface_create_for_stream(appendBytes, &file, size.width, size.height);
  // Sizes in points, as the page is laid out, so that it prints at its size.
  cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PT);
  cairo_t* cairo = cairo_create(surface);
  // A viewer shows an SVG's empty background as it likes; paper is white.
  cairo_set_source_rgb(cairo, 1.0, 1.0, 1.0);
  cairo_paint(cairo);
  drawPage(cairo, options, puzzles, page);
  return finishDrawing(cairo, surface);
}

}  // namespace

int puzzlePageCount(const PrintOptions& options, int puzzles) {
  return (puzzles + options.perPage - 1) / options.perPage;
}

int pageCount(const PrintOptions& options, int puzzles) {
  const int answerPages = options.answers ? (puzzles + kAnswersPerPage - 1) / kAnswersPerPage : 0;
  return puzzlePageCount(options, puzzles) + answerPages;
}

bool drawDocument(const PrintOptions& options, const std::vector<PrintPuzzle>& puzzles,
                  std::vector<std::string>& files) {
  files.clear();
  bool drawn = true;
  if (!options.svg) {
    files.emplace_back();
    drawn = drawPdf(options, puzzles, files.back());
  }
  const int pages = options.svg ? pageCount(options, int(puzzles.size())) : 0;
  for (int page = 0; page < pages && drawn; ++page) {
    files.emplace_back();
    drawn = drawSvgPage(options, puzzles, page, files.back());
  }
  // cairo keeps its fonts, and fontconfig their patterns, until told: the
  // sanitizer's leak check would take them for leaks.
  cairo_debug_reset_static_data();
  FcFini();
  return drawn;
}
