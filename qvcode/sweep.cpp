// qvcode sweep: the test form's sweep without a window.  It runs the form
// logic itself on the in-memory view: options are typed into the boxes
// unchanged, so "95" or "abc" behave as they would in the window.

#include <algorithm>
#include <array>
#include <chrono>
#include <ostream>
#include <string>
#include <vector>
#include <unistd.h>

#include "command.hpp"
#include "form_logic.hpp"
#include "json_writer.hpp"
#include "memory_view.hpp"
#include "sweep_watch.hpp"
#include "text_value.hpp"

namespace qvcode {
namespace {

using qvpruef::Control;

struct BoxOption {
  std::string_view name;
  Control box;
};

constexpr std::array boxOptions = {
    BoxOption{"--lat-from", Control::Bgradpos}, BoxOption{"--lat-to", Control::Bgradneg},
    BoxOption{"--lat-step", Control::Bstep},    BoxOption{"--lon-from", Control::Lgradpos},
    BoxOption{"--lon-to", Control::Lgradneg},   BoxOption{"--lon-step", Control::Lstep},
    BoxOption{"--tolerance", Control::fehlersec}, BoxOption{"--report", Control::fonte},
};

struct Options {
  bool json = false;
  bool storeAll = false;
};

// Fills the boxes from the arguments and answers the first problem.
Problem readOptions(Args args, qvpruef::MemoryView& view, Options& o) {
  std::vector<Option> options = {
      flag("--json", o.json),
      withValue(
          "--store",
          [&o](std::string_view value) -> Problem {
            if (value != "errors" && value != "all")
              return "--store takes 'errors' or 'all', not '" + std::string(value) + "'";
            o.storeAll = value == "all";
            return {};
          },
          "needs 'errors' or 'all'"),
  };
  for (const BoxOption& b : boxOptions)
    options.push_back(withValue(b.name, [&view, box = b.box](std::string_view value) -> Problem {
      view.setText(box, std::string(value));
      return {};
    }));
  // The sweep takes nothing but options.
  return readArguments(args, "sweep", options,
                       [](std::string_view a) -> Problem { return "unknown option '" + std::string(a) + "'"; });
}

void printSummary(std::ostream& out, const qvpruef::QVpruefForm& form, const std::string& report,
                  const SweepWatch& watch, double seconds, bool json) {
  if (!json) {
    out << "cases: " << form.fallzahl << "\nerrors: " << form.fehlerzahl << "\nreport: " << report << '\n';
    return;
  }
  JsonObject o(out);
  o.integer("cases", form.fallzahl).integer("errors", form.fehlerzahl).text("report", report);
  const auto worst = [&](std::string_view name, const WorstDifference& w) {
    const std::string n(name);
    if (w.difference < 0) {
      o.null(n).null(n + "AtLatitude").null(n + "AtLongitude");
      return;
    }
    o.number(n, w.difference).number(n + "AtLatitude", w.latitude).number(n + "AtLongitude", w.longitude);
  };
  worst("worstLatitudeDifference", watch.worstLatitude());
  worst("worstLongitudeDifference", watch.worstLongitude());
  o.number("elapsedSeconds", seconds);
}

}  // namespace

int runSweep(Args args, std::ostream& out, std::ostream& err) {
  qvpruef::MemoryView view;
  // The headless default report lies in the current folder.
  view.setText(Control::fonte, "QV_errorDetect.txt");
  Options options;
  if (const Problem problem = readOptions(args, view, options)) return usageError(err, *problem);

  qvpruef::QVpruefForm form(view);
  form.Form_Activate();
  if (options.storeAll) form.storeall_Click();

  // The bar follows the outer loop, from the eastern bound westwards; an
  // inverted range shrinks to its eastern bound as in the sweep.
  double lonFrom = 0, lonTo = 0;
  try {
    lonFrom = qv::textValue(view.text(Control::Lgradpos));
    lonTo = std::min(qv::textValue(view.text(Control::Lgradneg)), lonFrom);
  } catch (const std::exception&) {
    // The sweep itself reports such a bound.
  }
  SweepWatch watch(isatty(STDERR_FILENO) ? &err : nullptr, lonFrom, lonTo);
  form.setSweepObserver(&watch);

  const auto start = std::chrono::steady_clock::now();
  form.pruefe_Click();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  watch.finish();

  const std::string report = view.text(Control::fonte);
  if (!view.shownErrors().empty()) {
    // A signal during a write to a terminal may have left the stream failed.
    err.clear();
    if (watch.stoppedBy() != 0) {
      err << "qvcode: " << view.shownErrors().back() << '\n';
      return exitStoppedBy(watch.stoppedBy());
    }
    err << "qvcode: sweep failed: " << view.shownErrors().back() << '\n';
    return exitUsage;
  }
  printSummary(out, form, report, watch, seconds, options.json);
  return form.fehlerzahl > 0 ? exitErrorCases : exitOk;
}

}  // namespace qvcode
