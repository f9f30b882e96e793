#include "logic/producers.h"

bool findBivalueUniversalGrave(LogicContext&, const LogicGrid&, Step&) {
  return false;
}
