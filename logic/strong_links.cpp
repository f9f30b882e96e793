#include "logic/producers.h"

bool findTurbotFish(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findThreeStrongLinks(LogicContext&, const LogicGrid&, Step&) {
  return false;
}
