// Worker threads for the parts of a sweep, and the hand-over in order; on
// the calling thread alone where the standard library has no threads.

#include "sweep/detail/part_pipeline.hpp"

#if QV_HAVE_STD_THREAD
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>
#endif

namespace qvsweep {
namespace {

#if QV_HAVE_STD_THREAD

struct Slot {
  SweepPart part;
  PartResult result;
  bool done = false;
};

// The parts in flight, in sweep order, and the threads that evaluate them.
class Pipeline {
 public:
  Pipeline(const CaseSettings& settings, unsigned jobs) : settings_(settings) {
    for (unsigned i = 0; i < jobs; ++i) workers_.emplace_back([this] { work(); });
  }
  ~Pipeline() {
    {
      std::lock_guard lock(mutex_);
      closing_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : workers_) t.join();
  }

  // Queues a laid-out part for the next free thread.
  void submit(std::unique_ptr<Slot> slot) {
    Slot* s = slot.get();
    {
      std::lock_guard lock(mutex_);
      inFlight_.push_back(std::move(slot));
      queued_.push_back(s);
    }
    wake_.notify_one();
  }
  std::size_t inFlight() const { return inFlight_.size(); }

  // Waits for the oldest part and hands it over.
  std::unique_ptr<Slot> takeOldest() {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return inFlight_.front()->done; });
    std::unique_ptr<Slot> s = std::move(inFlight_.front());
    inFlight_.pop_front();
    return s;
  }

 private:
  void work() {
    PartEvaluator evaluator(settings_);
    while (true) {
      Slot* s = nullptr;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [&] { return closing_ || !queued_.empty(); });
        if (closing_) return;
        s = queued_.front();
        queued_.pop_front();
      }
      evaluator.evaluate(s->part, s->result);
      {
        std::lock_guard lock(mutex_);
        s->done = true;
      }
      done_.notify_one();
    }
  }

  const CaseSettings& settings_;
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  std::deque<std::unique_ptr<Slot>> inFlight_;  // the main thread's alone, but for `done`
  std::deque<Slot*> queued_;
  bool closing_ = false;
  std::vector<std::thread> workers_;
};

void runOnThreads(SweepPlan& plan, std::size_t partCases, const CaseSettings& settings, unsigned jobs,
                  const TakeIn& takeIn) {
  // Enough parts ahead that no thread waits for the hand-over.
  const std::size_t ahead = 4 * static_cast<std::size_t>(jobs);
  Pipeline pipeline(settings, jobs);
  bool planned = true;
  while (true) {
    while (planned && pipeline.inFlight() < ahead) {
      auto slot = std::make_unique<Slot>();
      planned = plan.next(slot->part, partCases);
      if (planned) pipeline.submit(std::move(slot));
    }
    if (pipeline.inFlight() == 0) return;
    const std::unique_ptr<Slot> slot = pipeline.takeOldest();
    takeIn(slot->part, slot->result);
  }
}

#endif

}  // namespace

void runParts(SweepPlan& plan, std::size_t partCases, const CaseSettings& settings, [[maybe_unused]] unsigned jobs,
              const TakeIn& takeIn) {
#if QV_HAVE_STD_THREAD
  if (jobs > 1) return runOnThreads(plan, partCases, settings, jobs, takeIn);
#endif
  PartEvaluator evaluator(settings);
  SweepPart part;
  PartResult result;
  while (plan.next(part, partCases)) {
    evaluator.evaluate(part, result);
    takeIn(part, result);
  }
}

}  // namespace qvsweep
