// Tests of the claims on a batch that vantric-solve's and vantric-make's
// workers share; the commands' own tests run the threads.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "cli/claimed_items.h"

namespace {

// Room past the largest batch for a claim that ran over its end.
constexpr int kClaimedRoom = 1024;

struct Claiming {
  ClaimedItems items;
  std::atomic<int> taken[kClaimedRoom];
};

void claimAll(Claiming& claiming) {
  int first = 0;
  int end = 0;
  while (claimItems(claiming.items, &first, &end))
    for (int i = first; i < end; ++i) ++claiming.taken[i];
}

}  // namespace

// Threads that claim at once take every item once and none past the end; a
// batch opened again is claimed afresh.
TEST(CommandWorkers, ClaimsTakeEveryItemOnce) {
  auto claiming = std::make_unique<Claiming>();
  for (const int count : {1000, 999, 17, 1, 0}) {
    for (std::atomic<int>& taken : claiming->taken) taken = 0;
    openClaims(claiming->items, count, 16);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) threads.emplace_back(claimAll, std::ref(*claiming));
    for (std::thread& thread : threads) thread.join();
    for (int i = 0; i < kClaimedRoom; ++i)
      ASSERT_EQ(claiming->taken[i], i < count ? 1 : 0) << i << " of " << count;
  }
}

// No more workers than claims nor than jobs, and always the calling thread.
TEST(CommandWorkers, WorkersForTheClaims) {
  ClaimedItems items;
  const int cases[][4] = {{0, 16, 8, 1},      {16, 16, 8, 1}, {17, 16, 8, 2},
                          {4096, 16, 64, 64}, {20, 4, 64, 5}, {4096, 4, 2, 2}};
  for (const auto& test : cases) {
    openClaims(items, test[0], test[1]);
    EXPECT_EQ(workersFor(items, test[2]), test[3]) << test[0] << " on " << test[2] << " jobs";
  }
}
