// vantric-print's pages, drawn with cairo into memory, so that nothing is
// written until every page is whole.
#pragma once

#include <string>
#include <vector>

#include "cli/print_arguments.h"
#include "cli/print_input.h"

// The pages the puzzles fill: perPage a page, then with --answers
// kAnswersPerPage solutions a page.
int puzzlePageCount(const PrintOptions& options, int puzzles);
int pageCount(const PrintOptions& options, int puzzles);
// Draws every page: files gets one PDF, or with --svg one SVG a page. False,
// with cairo's reason on standard error, when drawing failed.
bool drawDocument(const PrintOptions& options, const std::vector<PrintPuzzle>& puzzles,
                  std::vector<std::string>& files);
