// The kinds of chain step, in the order the scale takes them among steps
// of equal rating and complexity.
#pragma once

#include <cstdint>

enum class ChainKind : std::uint8_t {
  // A candidate whose truth and falsehood lead to the same node.
  kDouble = 1,
  // The static chains and cycles: one digit's links, bivalue cells' links,
  // and both together (as do forcing chains whose clash proves a negation).
  kXLinks = 2,
  kYLinks = 3,
  kForcing = 4,
  // Every candidate of a cell, or every place of a digit in a house.
  kCell = 5,
  kRegion = 6,
  kContradiction = 7,
};
