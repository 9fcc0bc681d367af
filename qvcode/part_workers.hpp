// Threads that run the parts of a job beside the calling thread: a filter
// converts the halves of a block of lines at once on a machine of two cores.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace qvcode {

class PartWorkers {
 public:
  // `threads` workers beside the caller (0: every part runs on the caller).
  explicit PartWorkers(std::size_t threads);
  ~PartWorkers();
  PartWorkers(const PartWorkers&) = delete;
  PartWorkers& operator=(const PartWorkers&) = delete;

  // The parts a job can run in at once: the workers and the caller.
  std::size_t parts() const { return threads_.size() + 1; }

  // Runs part(i) for every i below `count` (at most parts()): part 0 on the
  // calling thread, the others on the workers, and returns when all have
  // ended; the first exception of a part is rethrown then.
  void run(std::size_t count, const std::function<void(std::size_t)>& part);

  // The processors this process may run on, at least 1.
  static std::size_t processors();

 private:
  void work(std::size_t index);

  std::vector<std::thread> threads_;
  std::mutex mutex_;
  std::condition_variable started_, ended_;
  const std::function<void(std::size_t)>* part_ = nullptr;
  std::size_t count_ = 0, running_ = 0;
  unsigned long long generation_ = 0;
  bool stopping_ = false;
  std::exception_ptr failure_;
};

}  // namespace qvcode
