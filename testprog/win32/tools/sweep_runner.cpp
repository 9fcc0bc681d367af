// qvsweep: the form logic's sweep as the Windows build computes it, without a window, for comparing with Linux.
// qvsweep [--store errors|all] [--report PATH] [--lat-from T] [--lat-to T] [--lat-step T]
//         [--lon-from T] [--lon-to T] [--lon-step T] [--tolerance T]
// The options are those of qvcode sweep, typed into the boxes as given; it
// prints the counts.  Exit 0 done, 2 a usage error or a failed sweep.
#include <cstdio>
#include <string_view>

#include "form_logic.hpp"
#include "memory_view.hpp"

int main(int argc, char** argv) {
  using qvpruef::Control;
  struct Box {
    std::string_view option;
    Control box;
  };
  constexpr Box boxes[] = {{"--lat-from", Control::Bgradpos}, {"--lat-to", Control::Bgradneg},
                           {"--lat-step", Control::Bstep},    {"--lon-from", Control::Lgradpos},
                           {"--lon-to", Control::Lgradneg},   {"--lon-step", Control::Lstep},
                           {"--tolerance", Control::fehlersec}, {"--report", Control::fonte}};
  qvpruef::MemoryView view;
  view.setText(Control::fonte, "QV_errorDetect.txt");
  qvpruef::QVpruefForm form(view);
  for (int i = 1; i < argc; i += 2) {
    const std::string_view option = argv[i];
    if (i + 1 >= argc) {
      std::fprintf(stderr, "qvsweep: %s needs a value\n", argv[i]);
      return 2;
    }
    const std::string_view value = argv[i + 1];
    bool known = false;
    for (const Box& b : boxes)
      if (option == b.option) view.setText(b.box, std::string(value)), known = true;
    if (option == "--store" && (value == "all" || value == "errors")) {
      value == "all" ? form.storeall_Click() : form.storeerrors_Click();
      known = true;
    }
    if (!known) {
      std::fprintf(stderr, "qvsweep: unknown option or value: %s %s\n", argv[i], argv[i + 1]);
      return 2;
    }
  }
  form.pruefe_Click();
  for (const std::string& e : view.shownErrors()) std::fprintf(stderr, "qvsweep: %s\n", e.c_str());
  std::printf("cases: %lld\nerrors: %lld\n", static_cast<long long>(form.fallzahl),
              static_cast<long long>(form.fehlerzahl));
  return view.shownErrors().empty() ? 0 : 2;
}
