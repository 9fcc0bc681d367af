// Loads qvcode-map.so from beside the running program with dlopen.
#include "qvcode/map_module.hpp"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace qvcode {

DrawMapFunction loadMapDrawer(std::string& problem) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path program = fs::read_symlink("/proc/self/exe", ec);
  if (ec) {
    problem = "cannot tell where qvcode lies: " + ec.message();
    return nullptr;
  }
  const fs::path folder = program.parent_path();
  for (const fs::path& candidate : {folder / "qvcode-map.so", folder / ".." / "lib" / "qvcode" / "modules" / "qvcode-map.so"}) {
    if (!fs::exists(candidate, ec)) continue;
    void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
      problem = "cannot load " + candidate.string() + ": " + dlerror();
      return nullptr;
    }
    using Entry = DrawMapFunction (*)();
    const auto entry = reinterpret_cast<Entry>(dlsym(module, "qvcodeMapWriter"));
    if (!entry) {
      problem = candidate.string() + " has no map drawer";
      return nullptr;
    }
    return entry();
  }
  problem = "the drawing module qvcode-map.so is not beside " + program.string();
  return nullptr;
}

}  // namespace qvcode
