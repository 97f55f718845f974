#include "platform/thread_pool.h"

#include <atomic>
#include <exception>
#include <limits>

#include "platform/heap_pages.h"

namespace orbisk {

namespace {
// True on a thread while it runs parts of a job: a nested ParallelFor then
// runs in place instead of waiting for threads that are busy with the outer one.
thread_local bool insideJob = false;
}  // namespace

struct ThreadPool::Job {
  const std::function<void(std::size_t, unsigned)>* part;
  std::size_t count;
  std::atomic<std::size_t> next{0};
  std::atomic<std::size_t> firstFailure{std::numeric_limits<std::size_t>::max()};
  std::mutex failureMutex;
  std::exception_ptr failure;  // that of index firstFailure
};

unsigned HardwareThreads() {
  const unsigned threads = std::thread::hardware_concurrency();
  return threads == 0 ? 1 : threads;
}

ThreadPool::ThreadPool(unsigned threads) {
  for (unsigned worker = 1; worker < threads; ++worker) workers_.emplace_back([this, worker] { Serve(worker); });
}

ThreadPool::~ThreadPool() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  for (std::thread& thread : workers_) thread.join();
}

void ThreadPool::Work(Job& job, unsigned worker) {
  const bool outer = insideJob;
  insideJob = true;
  for (std::size_t index; (index = job.next++) < job.count;) {
    if (index > job.firstFailure) break;  // one loop would have stopped before it
    try {
      (*job.part)(index, worker);
    } catch (...) {
      std::lock_guard lock(job.failureMutex);
      if (index < job.firstFailure) {
        job.firstFailure = index;
        job.failure = std::current_exception();
      }
    }
  }
  insideJob = outer;
}

void ThreadPool::Serve(unsigned worker) {
  PreferHugePagesInThisThread();
  std::uint64_t seen = 0;
  std::unique_lock lock(mutex_);
  while (true) {
    wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
    if (stopping_) return;
    seen = generation_;
    Job* job = job_;
    lock.unlock();
    Work(*job, worker);
    lock.lock();
    if (--busy_ == 0) done_.notify_one();
  }
}

void ThreadPool::ParallelFor(std::size_t count, const std::function<void(std::size_t, unsigned)>& part) {
  if (workers_.empty() || count <= 1 || insideJob) {
    for (std::size_t index = 0; index < count; ++index) part(index, 0);
    return;
  }
  Job job;
  job.part = &part;
  job.count = count;
  RunJob(job, [&] { Work(job, 0); });
  if (job.failure) std::rethrow_exception(job.failure);
}

void ThreadPool::Beside(const std::function<void()>& beside, const std::function<void()>& own) {
  if (workers_.empty() || insideJob) {
    own();
    beside();
    return;
  }
  const std::function<void(std::size_t, unsigned)> part = [&](std::size_t, unsigned) { beside(); };
  Job job;
  job.part = &part;
  job.count = 1;
  std::exception_ptr ownFailure;
  RunJob(job, [&] {
    insideJob = true;
    try {
      own();
    } catch (...) {
      ownFailure = std::current_exception();
    }
    insideJob = false;
  });
  if (ownFailure) std::rethrow_exception(ownFailure);
  if (job.failure) std::rethrow_exception(job.failure);
}

void ThreadPool::RunJob(Job& job, const std::function<void()>& callerPart) {
  std::lock_guard call(callMutex_);
  {
    std::lock_guard lock(mutex_);
    job_ = &job;
    busy_ = static_cast<unsigned>(workers_.size());
    ++generation_;
  }
  wake_.notify_all();
  callerPart();
  {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return busy_ == 0; });
    job_ = nullptr;
  }
}

ThreadPool& SharedThreadPool() {
  static ThreadPool pool(HardwareThreads());
  return pool;
}

}  // namespace orbisk
