#include "logic/producers.h"

bool findWXYZWing(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findVWXYZWing(LogicContext&, const LogicGrid&, Step&) {
  return false;
}
