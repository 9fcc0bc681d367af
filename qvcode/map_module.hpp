// Finding and loading qvcode's modules, only when they are asked for: the
// drawing module qvcode-map.so and the GIS module qvcode-gdal.so.
#pragma once

#include <string>
#include <string_view>

#include "qvcode/map_picture.hpp"

namespace qvcode {

// The module's drawing function, from qvcode-map.so beside the running
// program (or in ../lib/qvcode/ from it); null when it cannot be loaded, with
// `problem` saying why.  The module stays loaded until the program ends.
DrawMapFunction loadMapDrawer(std::string& problem);

// A module's file, what it is, its entry function's name and what that is,
// for the messages: {"qvcode-map.so", "drawing module", "qvcodeMapWriter",
// "map drawer"}.
struct ModuleEntry {
  std::string_view file, kind, entry, entryIs;
};

// The entry function of the module beside the running program (or in
// ../lib/qvcode/modules/ from it); null when it cannot be loaded, with
// `problem` saying why.
void* loadModuleEntry(const ModuleEntry& m, std::string& problem);

}  // namespace qvcode
