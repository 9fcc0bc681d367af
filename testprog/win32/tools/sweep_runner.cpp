// qvsweep: the sweep engine as the Windows build computes it, without a window, for comparing with Linux.
// qvsweep [--store errors|all] [--report PATH] [--lat-from T] [--lat-to T] [--lat-step T]
//         [--lon-from T] [--lon-to T] [--lon-step T] [--tolerance T]
// The options are those of qvcode sweep, read as the window reads its boxes;
// it prints the counts.  Exit 0 done, 2 a usage error or a failed sweep.
#include <cstdio>
#include <string_view>

#include "sweep/sweep.hpp"

int main(int argc, char** argv) {
  qvsweep::SweepTexts given;
  qvsweep::SweepSettings settings;
  settings.reportPath = "QV_errorDetect.txt";
  for (int i = 1; i < argc; i += 2) {
    const std::string_view option = argv[i];
    if (i + 1 >= argc) {
      std::fprintf(stderr, "qvsweep: %s needs a value\n", argv[i]);
      return 2;
    }
    const std::string_view value = argv[i + 1];
    bool known = false;
    for (const qvsweep::TextOption& t : qvsweep::textOptions)
      if (option == t.name) given.*(t.text) = value, known = true;
    if (option == "--report") settings.reportPath = value, known = true;
    if (option == "--store" && (value == "all" || value == "errors")) settings.storeAll = value == "all", known = true;
    if (!known) {
      std::fprintf(stderr, "qvsweep: unknown option or value: %s %s\n", argv[i], argv[i + 1]);
      return 2;
    }
  }
  qvsweep::SweepResult result;
  try {
    qvsweep::readSettings(given, settings);
    result = qvsweep::runSweep(settings);
  } catch (const std::exception& e) {
    result.failure = qvsweep::couldNotStart(e);
  }
  if (result.failure) std::fprintf(stderr, "qvsweep: %s\n", result.failure->c_str());
  std::printf("cases: %lld\nerrors: %lld\n", static_cast<long long>(result.cases),
              static_cast<long long>(result.errors));
  return result.failure ? 2 : 0;
}
