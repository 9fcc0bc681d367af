// Running the parts of a job on a few threads.

#include "qvcode/part_workers.hpp"

#include <sched.h>

#include <algorithm>

namespace qvcode {

PartWorkers::PartWorkers(std::size_t threads) {
  for (std::size_t i = 0; i < threads; ++i) threads_.emplace_back([this, i] { work(i + 1); });
}

PartWorkers::~PartWorkers() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  started_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void PartWorkers::run(std::size_t count, const std::function<void(std::size_t)>& part) {
  {
    const std::lock_guard lock(mutex_);
    part_ = &part;
    count_ = count;
    running_ = count > 0 ? count - 1 : 0;
    failure_ = nullptr;
    ++generation_;
  }
  started_.notify_all();
  std::exception_ptr own;
  if (count > 0) {
    try {
      part(0);
    } catch (...) {
      own = std::current_exception();
    }
  }
  std::unique_lock lock(mutex_);
  ended_.wait(lock, [&] { return running_ == 0; });
  part_ = nullptr;
  if (own) std::rethrow_exception(own);
  if (failure_) std::rethrow_exception(failure_);
}

void PartWorkers::work(std::size_t index) {
  unsigned long long seen = 0;
  std::unique_lock lock(mutex_);
  for (;;) {
    started_.wait(lock, [&] { return stopping_ || generation_ != seen; });
    if (stopping_) return;
    seen = generation_;
    if (index >= count_) continue;
    const std::function<void(std::size_t)>& part = *part_;
    lock.unlock();
    std::exception_ptr failure;
    try {
      part(index);
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    if (failure && !failure_) failure_ = failure;
    if (--running_ == 0) ended_.notify_one();
  }
}

std::size_t PartWorkers::processors() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
  return std::max(1U, std::thread::hardware_concurrency());
}

}  // namespace qvcode
