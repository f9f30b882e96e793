#pragma once

// The 500 ms timer: reads the position box, then starts a requested solve.
void onTimerTick();
