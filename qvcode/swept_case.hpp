// What takes the cases of a headless sweep one by one beside its summary: the map.
#pragma once

#include "sweep_part.hpp"

namespace qvcode {

using qvpruef::SweptCase;

// Takes the cases that ran to their ends, in sweep order.
class CaseSink {
 public:
  virtual ~CaseSink() = default;
  virtual void add(const SweptCase& c) = 0;
};

}  // namespace qvcode
