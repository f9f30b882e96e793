// A batch's items written in their order, each as soon as it and those
// before it are done: the worker that finishes a claim writes what is ready,
// unless another is writing, which then writes it too.
#pragma once

#include <atomic>
#include <memory>

struct OrderedOutput {
  std::unique_ptr<std::atomic<bool>[]> done;
  int capacity;
  int count;
  // The first item not yet written; only the thread that is writing moves it.
  std::atomic<int> next;
  std::atomic<bool> writing;
  // Set when writeItem or endWrites asked for no more: a failed write, or
  // every item wanted written.
  std::atomic<bool> stopped;
  // Writes one item; false stops the output after it.
  bool (*writeItem)(int item, void* context);
  // After a run of items was written: flushes them; false stops the output.
  bool (*endWrites)(void* context);
  void* context;
};

// Opens count items, none done yet; before any worker starts on them.
void openOutput(OrderedOutput& output, int count);
void markDone(OrderedOutput& output, int item);
// Writes the done items that follow those written, unless another thread is
// writing, which then writes these too.
void writeDone(OrderedOutput& output);
bool outputStopped(const OrderedOutput& output);
