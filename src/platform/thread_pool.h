#pragma once
// Threads that share the parts of one piece of work inside a command. The
// caller waits until every part is done, so what the user sees stays single
// threaded; the parts write disjoint results, so the result and its order are
// those of one thread.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace orbisk {

// The number of threads the hardware runs at once; 1 when it cannot tell.
unsigned HardwareThreads();

class ThreadPool {
 public:
  // A pool of `threads` threads, the calling one included (at least 1).
  explicit ThreadPool(unsigned threads);
  ~ThreadPool();
  ThreadPool(const ThreadPool&) = delete;
  ThreadPool& operator=(const ThreadPool&) = delete;

  // Threads that work on a ParallelFor, the caller's included.
  unsigned Size() const { return static_cast<unsigned>(workers_.size()) + 1; }

  // Calls part(index, worker) once for every index in [0, count) and returns
  // when all calls have returned. worker (0 .. Size() - 1) names the thread a
  // call runs on, so state kept per worker is used by one thread at a time;
  // the caller's thread is worker 0. Indices are handed out in increasing
  // order. When calls raise, the exception of the lowest raising index is
  // rethrown, as a loop over the indices would raise it; indices above it may
  // be skipped. Called from inside a part, or on a pool of one thread, the
  // calls run in order on the calling thread. One ParallelFor runs at a time.
  void ParallelFor(std::size_t count, const std::function<void(std::size_t index, unsigned worker)>& part);

  // Calls beside() on another thread of the pool while the caller runs
  // own(), and returns when both have returned; a ParallelFor inside either
  // runs in place. When both raise, own's exception is rethrown. On a pool
  // of one thread, or from inside a part, own() runs, then beside(), on the
  // calling thread.
  void Beside(const std::function<void()>& beside, const std::function<void()>& own);

 private:
  struct Job;
  // Hands job to the workers, runs callerPart on the calling thread and
  // waits until the workers are done with the job.
  void RunJob(Job& job, const std::function<void()>& callerPart);
  void Serve(unsigned worker);
  static void Work(Job& job, unsigned worker);

  std::vector<std::thread> workers_;
  std::mutex callMutex_;  // one ParallelFor at a time
  std::mutex mutex_;      // guards the fields below
  std::condition_variable wake_, done_;
  Job* job_ = nullptr;
  std::uint64_t generation_ = 0;  // counts the jobs handed out
  unsigned busy_ = 0;             // workers still on the current job
  bool stopping_ = false;
};

// The program's pool, made at first use with HardwareThreads() threads.
ThreadPool& SharedThreadPool();

}  // namespace orbisk
