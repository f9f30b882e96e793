#pragma once

// Rewrites the moves list and the position box from the game state.
void refreshTextPanes();
