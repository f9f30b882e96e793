#include "logic/producers.h"

bool findNishioChains(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findMultipleChains(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findDynamicChains(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findDynamicChainsPlus(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findNestedChains(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findNestedMultipleChains(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findNestedDynamicChains0(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findNestedDynamicChains1(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findNestedDynamicChains2(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findNestedDynamicChains3(LogicContext&, const LogicGrid&, Step&) {
  return false;
}
