#include "memory_view.hpp"

namespace qvpruef {

MemoryView::MemoryView() {
  for (std::size_t i = 0; i < controlCount; ++i) {
    texts_[i] = designText(static_cast<Control>(i));
    enabled_[i] = true;
  }
  // The store-errors mode is in force at start, so its button is off.
  enabled_[index(Control::storeerrors)] = false;
}

}  // namespace qvpruef
