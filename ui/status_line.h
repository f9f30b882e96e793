// The status line's text under the board: the solver's verdict, time and nodes.
#pragma once

// Rebuilds statusText from the solver's state.
void formatStatusLine();
