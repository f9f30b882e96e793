// The 500 ms timer: reads the position box, then starts a requested solve.
#pragma once

void onTimerTick();
