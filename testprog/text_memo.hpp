// The last result of a text function, kept for a sweep's repeated inputs:
// the longitude stays the same down a whole column, and the tolerance text
// for the whole sweep.  Only a result that was computed is kept, so an input
// whose function raises raises again on every call.

#pragma once

#include <string>

namespace qvpruef {

template <class Key, class Value>
class Memo {
 public:
  template <class Compute>
  const Value& get(const Key& key, Compute&& compute) {
    if (!valid_ || !(key == key_)) {
      value_ = compute(key);
      key_ = key;
      valid_ = true;
    }
    return value_;
  }

 private:
  bool valid_ = false;
  Key key_{};
  Value value_{};
};

}  // namespace qvpruef
