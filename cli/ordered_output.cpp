// Both commands' output, written in input order as the workers finish.
#include "cli/ordered_output.h"

namespace {

bool nextDone(const OrderedOutput& output) {
  const int next = output.next.load();
  return next < output.count && output.done[next].load();
}

}  // namespace

void openOutput(OrderedOutput& output, int count) {
  if (output.capacity < count) {
    output.done = std::make_unique<std::atomic<bool>[]>(std::size_t(count));
    output.capacity = count;
  }
  for (int i = 0; i < count; ++i) output.done[i].store(false, std::memory_order_relaxed);
  output.count = count;
  output.next.store(0);
}

void markDone(OrderedOutput& output, int item) {
  output.done[item].store(true);
}

void writeDone(OrderedOutput& output) {
  // Sequentially consistent: a thread that finds another writing has marked
  // its item before that one lets go and looks again.
  while (!outputStopped(output) && nextDone(output) && !output.writing.exchange(true)) {
    bool wrote = false;
    while (!outputStopped(output) && nextDone(output)) {
      const int next = output.next.load();
      if (!output.writeItem(next, output.context)) output.stopped.store(true);
      output.next.store(next + 1);
      wrote = true;
    }
    if (wrote && !outputStopped(output) && !output.endWrites(output.context))
      output.stopped.store(true);
    output.writing.store(false);
  }
}

bool outputStopped(const OrderedOutput& output) {
  return output.stopped.load(std::memory_order_relaxed);
}
