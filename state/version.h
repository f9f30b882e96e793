// The program's version: the About box, vantric-solve --version and the
// version resources all show this one number.
#pragma once

// Plain macros, so that the resource compiler can read them too.
#define VANTRIC_VERSION_MAJOR 1
#define VANTRIC_VERSION_MINOR 2
#define VANTRIC_VERSION_TEXT "1.2"

#ifndef RC_INVOKED
constexpr char kVersionText[] = VANTRIC_VERSION_TEXT;
#endif
