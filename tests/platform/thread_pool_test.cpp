// ParallelFor: every index once, on a known worker; the exception a loop
// would raise; nested calls run in place.

#include "platform/thread_pool.h"

#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace orbisk {
namespace {

TEST(ThreadPool, CallsEveryIndexOnceOnAWorkerOfThePool) {
  for (unsigned threads : {1u, 2u, 5u}) {
    ThreadPool pool(threads);
    ASSERT_EQ(pool.Size(), threads);
    for (std::size_t count : {0u, 1u, 7u, 1000u}) {
      SCOPED_TRACE(std::to_string(threads) + " threads, " + std::to_string(count) + " indices");
      std::vector<std::atomic<int>> calls(count);
      std::atomic<bool> workerInRange = true;
      pool.ParallelFor(count, [&](std::size_t index, unsigned worker) {
        ++calls[index];
        if (worker >= threads) workerInRange = false;
      });
      for (const auto& c : calls) EXPECT_EQ(c.load(), 1);
      EXPECT_TRUE(workerInRange);
    }
  }
}

TEST(ThreadPool, RaisesWhatTheLowestFailingIndexRaised) {
  ThreadPool pool(4);
  for (int round = 0; round < 20; ++round) {
    try {
      pool.ParallelFor(200, [](std::size_t index, unsigned) {
        if (index == 37 || index == 38 || index == 150) throw std::runtime_error(std::to_string(index));
      });
      FAIL() << "nothing raised";
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), "37");
    }
  }
  std::atomic<int> calls = 0;  // the pool works on after a failure
  pool.ParallelFor(10, [&](std::size_t, unsigned) { ++calls; });
  EXPECT_EQ(calls, 10);
}

TEST(ThreadPool, NestedCallsRunInPlace) {
  ThreadPool pool(3);
  std::vector<std::atomic<int>> calls(8 * 8);
  pool.ParallelFor(8, [&](std::size_t outer, unsigned worker) {
    pool.ParallelFor(8, [&](std::size_t inner, unsigned innerWorker) {
      EXPECT_EQ(innerWorker, 0u);
      ++calls[outer * 8 + inner];
    });
    (void)worker;
  });
  for (const auto& c : calls) EXPECT_EQ(c.load(), 1);
}

TEST(ThreadPool, SharedPoolFollowsTheHardware) {
  EXPECT_EQ(SharedThreadPool().Size(), HardwareThreads());
  EXPECT_GE(HardwareThreads(), 1u);
}

}  // namespace
}  // namespace orbisk
