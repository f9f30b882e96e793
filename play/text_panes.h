// The moves list and the position box, rewritten from the game state.
#pragma once

// Rewrites the moves list and the position box from the game state.
void refreshTextPanes();
