#include "logic/producers.h"

bool findPointing(LogicContext&, const LogicGrid&, Step&) {
  return false;
}
