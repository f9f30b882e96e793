#pragma once

// Shared by the resource script and the code: plain macros, since the
// resource compiler understands nothing else.
#define kMenuResource 101
#define kIconResource 102
