#include "logic/producers.h"

bool findUniqueLoop(LogicContext&, const LogicGrid&, Step&) {
  return false;
}
