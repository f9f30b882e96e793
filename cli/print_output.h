// Writes vantric-print's files whole or not at all.
#pragma once

#include <string>
#include <vector>

// The name of page `page` (from 1) of an SVG document written to path:
// week.svg gives week-1.svg, and a name without .svg gets -1.svg added.
std::string svgPageName(const char* path, int page);
// Writes each file's bytes to its name through a temporary file beside it,
// then gives every temporary file its name, replacing any file of that name
// only then. When a write fails, or a name is a folder's, it removes the
// temporary files, says why on standard error and returns false; only a
// rename failing after others (another program's doing) would leave the
// files renamed before it in place.
bool writeFilesWhole(const std::vector<std::string>& names, const std::vector<std::string>& files);
// Writes bytes to standard output; false, having said why, when it failed.
bool writeStandardOutput(const std::string& bytes);
