// The in-memory view starts as the window opens: design texts and states.
#include "testprog/memory_view.hpp"

namespace qvpruef {

MemoryView::MemoryView() {
  for (std::size_t i = 0; i < controlCount; ++i) {
    const auto c = static_cast<Control>(i);
    texts_[i] = designText(c);
    enabled_[i] = design(c).enabled;
  }
}

}  // namespace qvpruef
