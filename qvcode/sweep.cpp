// qvcode sweep: the test form's sweep without a window.  It runs the form
// logic itself on the in-memory view: options are typed into the boxes
// unchanged, so "95" or "abc" behave as they would in the window.

#include <algorithm>
#include <array>
#include <chrono>
#include <ostream>
#include <string>
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

// Fills the boxes from the arguments ("--name VALUE" or "--name=VALUE");
// returns an error text, or an empty one.
std::string readOptions(Args args, qvpruef::MemoryView& view, Options& o) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view name = args[i];
    if (name == "--json") {
      o.json = true;
      continue;
    }
    std::string_view value;
    bool inlineValue = false;
    if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string_view::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
      inlineValue = true;
    }
    const auto needValue = [&]() -> bool {
      if (inlineValue) return true;
      if (i + 1 >= args.size()) return false;
      value = args[++i];
      return true;
    };
    if (name == "--store") {
      if (!needValue()) return "sweep: --store needs 'errors' or 'all'";
      if (value != "errors" && value != "all")
        return "sweep: --store takes 'errors' or 'all', not '" + std::string(value) + "'";
      o.storeAll = value == "all";
      continue;
    }
    bool known = false;
    for (const BoxOption& b : boxOptions) {
      if (name != b.name) continue;
      if (!needValue()) return "sweep: " + std::string(name) + " needs a value";
      view.setText(b.box, std::string(value));
      known = true;
    }
    if (!known) return "sweep: unknown option '" + std::string(args[i]) + "'";
  }
  return {};
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
  if (const std::string problem = readOptions(args, view, options); !problem.empty()) return usageError(err, problem);

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
  if (watch.interrupted()) {
    err << "qvcode: sweep interrupted after " << form.fallzahl << " cases; the report '" << report
        << "' keeps the lines written so far and has no closing line\n";
    return exitInterrupted;
  }
  if (!view.shownErrors().empty()) {
    err << "qvcode: sweep failed: " << view.shownErrors().back() << '\n';
    return exitUsage;
  }
  printSummary(out, form, report, watch, seconds, options.json);
  return form.fehlerzahl > 0 ? exitErrorCases : exitOk;
}

}  // namespace qvcode
