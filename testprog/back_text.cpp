#include "back_text.hpp"

#include "number_text.hpp"

namespace qvpruef {

std::string backText(const std::optional<double>& v) { return qv::leftCut(qv::plainNumberText(v), 7); }

}  // namespace qvpruef
