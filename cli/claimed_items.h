// A batch's items, which the workers take a few at a time from one shared
// counter, so that they seldom meet on it or on neighbouring items.
#pragma once

#include <atomic>

struct ClaimedItems {
  std::atomic<int> next;
  int count;
  int perClaim;
};

// Opens items 0 to count - 1, perClaim to a claim; before any worker starts.
void openClaims(ClaimedItems& items, int count, int perClaim);
// The workers worth starting on jobs threads: no more than there are claims,
// and at least the calling thread.
int workersFor(const ClaimedItems& items, int jobs);
// Takes the next claim, the items from first to end - 1; false when every
// item is taken.
bool claimItems(ClaimedItems& items, int* first, int* end);
