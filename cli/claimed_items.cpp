// The claim loop vantric-solve's and vantric-make's workers share.
#include "cli/claimed_items.h"

void openClaims(ClaimedItems& items, int count, int perClaim) {
  items.count = count;
  items.perClaim = perClaim;
  items.next.store(0, std::memory_order_relaxed);
}

int workersFor(const ClaimedItems& items, int jobs) {
  const int claims = (items.count + items.perClaim - 1) / items.perClaim;
  return claims < 1 ? 1 : claims < jobs ? claims : jobs;
}

bool claimItems(ClaimedItems& items, int* first, int* end) {
  // Relaxed: the items' own data is published by starting the threads and
  // collected by joining them, not through this counter.
  const int taken = items.next.fetch_add(items.perClaim, std::memory_order_relaxed);
  if (taken >= items.count) return false;
  *first = taken;
  *end = taken + items.perClaim < items.count ? taken + items.perClaim : items.count;
  return true;
}
