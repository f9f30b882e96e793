// What the chain engine keeps between its runs: node tables and queues.
#pragma once

struct ChainWorkspace {
  int unused;
};
