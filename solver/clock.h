// The solver's clock: seconds from the high-resolution counter.
#pragma once

// Seconds since the first reading of the clock.
double elapsedSeconds();
