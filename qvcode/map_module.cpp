// Loads qvcode's modules from beside the running program with dlopen.
#include "qvcode/map_module.hpp"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace qvcode {

DrawMapFunction loadMapDrawer(std::string& problem) {
  using Entry = DrawMapFunction (*)();
  void* entry = loadModuleEntry({"qvcode-map.so", "drawing module", "qvcodeMapWriter", "map drawer"}, problem);
  return entry ? reinterpret_cast<Entry>(entry)() : nullptr;
}

void* loadModuleEntry(const ModuleEntry& m, std::string& problem) {
  const std::string file(m.file);
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path program = fs::read_symlink("/proc/self/exe", ec);
  if (ec) {
    problem = "cannot tell where qvcode lies: " + ec.message();
    return nullptr;
  }
  const fs::path folder = program.parent_path();
  for (const fs::path& candidate : {folder / file, folder / ".." / "lib" / "qvcode" / "modules" / file}) {
    if (!fs::exists(candidate, ec)) continue;
    void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
      problem = "cannot load " + candidate.string() + ": " + dlerror();
      return nullptr;
    }
    void* found = dlsym(module, std::string(m.entry).c_str());
    if (!found) problem = candidate.string() + " has no " + std::string(m.entryIs);
    return found;
  }
  problem = "the " + std::string(m.kind) + " " + file + " is not beside " + program.string();
  return nullptr;
}

}  // namespace qvcode
