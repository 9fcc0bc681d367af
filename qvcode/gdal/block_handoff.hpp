// A hand-over of one value at a time from a producing thread to the
// consuming one, the producer held until the consumer has taken it: the
// consumer works on one value while the producer makes the next, and no
// more than those two are in use at once.  The consumer gives back the value
// it is done with, so that the producer frees or reuses it on its own thread.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <stop_token>
#include <utility>

namespace qvcode::gdal {

template <class T>
class BlockHandoff {
 public:
  // Producer: hands `value` over and waits until it is taken; answers the
  // value the consumer gave back then.  Nothing when `stop` was requested
  // first (the consumer gave up): the producer should end.
  std::optional<T> put(T value, std::stop_token stop) {
    std::unique_lock lock(mutex_);
    slot_ = std::move(value);
    changed_.notify_all();
    if (!changed_.wait(lock, stop, [this] { return !slot_; })) {
      slot_.reset();
      return std::nullopt;
    }
    return std::exchange(back_, std::nullopt);
  }

  // Consumer: gives back `spent`, the value it is done with, and waits for
  // the next value.
  T take(T spent) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return slot_.has_value(); });
    T value = std::move(*slot_);
    slot_.reset();
    back_ = std::move(spent);
    changed_.notify_all();
    return value;
  }

 private:
  std::mutex mutex_;
  std::condition_variable_any changed_;
  std::optional<T> slot_, back_;
};

}  // namespace qvcode::gdal
