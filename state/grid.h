// The grid's basic types: cells, digits, candidate masks and colours.
#pragma once

#include <cstdint>

// One cell of the grid: 0..80, row = index / 9, column = index % 9.
// -1 means "no cell" and is held only by hoverCell.
using CellIndex = int;
// Bit d-1 set when digit d is allowed; bits 0..8 only.
using CandidateMask = int;
// A Windows COLORREF, 0x00BBGGRR.
using Colour = std::uint32_t;

constexpr int kCellCount = 81;
constexpr int kUnitCount = 27;
constexpr int kNoCell = -1;
constexpr CandidateMask kAllCandidates = 0x1FF;
