// The two propagation passes written out cell by cell, as the reference for the fast search.
#pragma once

#include "state/solver_frame.h"

// One naked-single pass in cell order; true when it filled a cell and met no
// contradiction.
bool applyNakedSingles(SolverFrame& frame);
// One hidden-single pass over the rows, columns and boxes, judged from the
// masks the preceding naked pass left; true when it wrote a digit. When two
// of its deductions contradict each other (one cell given two digits, or one
// digit given two cells of a unit) the frame cannot be completed: the pass
// stops, sets contradiction and returns false.
bool applyHiddenSingles(SolverFrame& frame);
