// Finding and loading the drawing module qvcode-map.so, only when a map is asked for.
#pragma once

#include <string>

#include "qvcode/map_picture.hpp"

namespace qvcode {

// The module's drawing function, from qvcode-map.so beside the running
// program (or in ../lib/qvcode/ from it); null when it cannot be loaded, with
// `problem` saying why.  The module stays loaded until the program ends.
DrawMapFunction loadMapDrawer(std::string& problem);

}  // namespace qvcode
