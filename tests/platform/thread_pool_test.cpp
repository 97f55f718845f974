// ParallelFor: every index once, on a known worker; the exception a loop
// would raise; nested calls run in place. Beside: the caller's part on the
// caller's thread, the other beside it, own's failure first.

#include "platform/thread_pool.h"

#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <thread>
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

TEST(ThreadPool, BesideRunsOwnOnTheCallerAndTheOtherAlongside) {
  struct Case {
    unsigned threads;
    bool ownRaises, besideRaises;
    const char* raised;  // nullptr: nothing
  };
  for (const Case& c : std::initializer_list<Case>{{1, false, false, nullptr},
                                                   {2, false, false, nullptr},
                                                   {3, false, false, nullptr},
                                                   {2, true, true, "own"},
                                                   {2, false, true, "beside"},
                                                   {1, false, true, "beside"},
                                                   {2, true, false, "own"}}) {
    SCOPED_TRACE(std::to_string(c.threads) + " threads");
    ThreadPool pool(c.threads);
    const std::thread::id caller = std::this_thread::get_id();
    std::thread::id ownThread, besideThread;
    std::atomic<int> nested = 0;
    auto nest = [&] { pool.ParallelFor(4, [&](std::size_t, unsigned) { ++nested; }); };
    std::string raised;
    try {
      pool.Beside(
          [&] {
            besideThread = std::this_thread::get_id();
            nest();
            if (c.besideRaises) throw std::runtime_error("beside");
          },
          [&] {
            ownThread = std::this_thread::get_id();
            nest();
            if (c.ownRaises) throw std::runtime_error("own");
          });
    } catch (const std::runtime_error& error) {
      raised = error.what();
    }
    EXPECT_EQ(raised, c.raised ? c.raised : "");
    EXPECT_EQ(ownThread, caller);
    EXPECT_EQ(besideThread == caller, c.threads == 1);
    EXPECT_EQ(nested, 8);
  }
}

TEST(ThreadPool, SharedPoolFollowsTheHardware) {
  EXPECT_EQ(SharedThreadPool().Size(), HardwareThreads());
  EXPECT_GE(HardwareThreads(), 1u);
}

}  // namespace
}  // namespace orbisk
