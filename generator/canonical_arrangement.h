// The record the canonical form's search builds arrangements in: one
// arrangement being built, or a set of them that show the same cells so far.
#pragma once

#include <cstdint>

#include "state/grid.h"

// Rows, columns and digits are counted 0-8 in the source board, and an
// output column is a position 0-8 of the form's rows; a slot is an output
// stack, which takes one source stack.
//
// An open group is a run of output columns of one slot whose source
// columns are not placed yet, any order of them showing the same cells so
// far. A free group's columns are empty in every row so far. A coupled
// group's columns are empty but in one row, where each holds a digit seen
// there first: whichever column takes the group's first open output column
// gives its digit the group's label, the next the label after it.
//
// Stacks empty in every row so far share the first slots, in any order.
// Full stacks of new digits, first seen in one row, are coupled the same
// way: whichever takes the first of their slots has the labels from
// coupledLabel on, the next the three after them.
struct CanonicalArrangement {
  std::uint8_t orientation;
  std::uint8_t rowsChosen;
  // The source row of the output row being written.
  std::uint8_t sourceRow;
  std::uint8_t nextLabel;
  std::uint16_t usedRows;
  std::uint8_t sharedStacks;
  // Stacks that the current row places in the slots after the shared ones.
  std::uint8_t waitingStacks;
  std::uint8_t coupledStacks;
  std::uint8_t coupledSlot;
  std::uint8_t coupledLabel;
  std::int8_t stack[3];
  // The source column at each output column, -1 while open.
  std::int8_t column[9];
  // The open groups by the output column they opened at: their first open
  // output column, size, label (0 for a free group) and source columns.
  std::uint8_t groupFirst[9];
  std::uint8_t groupSize[9];
  std::uint8_t groupLabel[9];
  std::uint16_t groupColumns[9];
  // The open group whose first open column is each output column, -1 where none is.
  std::int8_t groupAt[9];
  // By source column: its open group (-1 once placed, or while its stack is
  // shared or coupled), and the digit its placing labels.
  std::int8_t groupOf[9];
  std::uint8_t keyDigit[9];
  // By digit: its label, 0 while none, and the column whose placing gives
  // it one, -1 while none does.
  std::uint8_t label[10];
  std::int8_t keyColumn[10];
};
