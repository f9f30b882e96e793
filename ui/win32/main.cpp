// The entry point of vantric.exe.
#include <cstdlib>

#include "ui/win32/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
  const int failure = startUp(instance, showState);
  if (failure != 0) std::exit(failure);
  runMessageLoop();
}
