#include "logic/producers.h"

bool findXWing(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findSwordfish(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findJellyfish(LogicContext&, const LogicGrid&, Step&) {
  return false;
}
