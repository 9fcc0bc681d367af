// The shard summary as lines of "name<TAB>value", texts escaped so that any
// box text fits on its line, doubles with 17 digits so that they read back
// exactly; and the summary that a sweep and a merge print.

#include "qvcode/shard.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "conversion/printable_text.hpp"
#include "records/json_writer.hpp"

namespace qvcode {
namespace {

constexpr std::string_view firstLine = "qvcode shard summary 1";

std::string escaped(std::string_view text) {
  std::string e;
  for (const char c : text) {
    switch (c) {
      case '\\': e += "\\\\"; break;
      case '\t': e += "\\t"; break;
      case '\n': e += "\\n"; break;
      case '\r': e += "\\r"; break;
      default: e += c;
    }
  }
  return e;
}

std::string unescaped(std::string_view text) {
  std::string u;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      u += text[i];
      continue;
    }
    const char c = text[++i];
    u += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
  }
  return u;
}

std::string exact(double v) {
  char buf[32];
  return {buf,
          static_cast<std::size_t>(std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17).ptr - buf)};
}

// The shortest text that reads back to the same double.
std::string shortest(double v) {
  char buf[32];
  return {buf, static_cast<std::size_t>(std::to_chars(buf, buf + sizeof buf, v).ptr - buf)};
}

// Three significant digits, enough to read a difference by.
std::string threeDigits(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.3g", v);
  return buf;
}

std::string worstText(const qvsweep::WorstDifference& w) {
  return w.difference < 0 ? "none" : exact(w.difference) + ' ' + exact(w.latitude) + ' ' + exact(w.longitude);
}

}  // namespace

void printSweepSummary(std::ostream& out, const SweepTotals& t, const std::string& report, bool json) {
  if (!json) {
    out << "cases: " << t.cases << "\nerrors: " << t.errors << '\n';
    if (t.firstError)
      out << "first error case: latitude " << shortest(t.firstError->latitude) << ", longitude "
          << shortest(t.firstError->longitude) << '\n';
    for (const auto& [name, w] : {std::pair{"latitude", t.worstLatitude}, {"longitude", t.worstLongitude}})
      if (w.difference >= 0)
        out << "worst " << name << " difference: " << threeDigits(w.difference * 3600) << " seconds of arc at latitude "
            << shortest(w.latitude) << ", longitude " << shortest(w.longitude) << '\n';
    out << "report: " << report << '\n';
    if (!t.map.empty()) out << "map: " << t.map << '\n';
    return;
  }
  qvrecords::JsonObject o(out);
  o.integer("cases", t.cases).integer("errors", t.errors).text("report", report);
  t.firstError
      ? o.number("firstErrorLatitude", t.firstError->latitude).number("firstErrorLongitude", t.firstError->longitude)
      : o.null("firstErrorLatitude").null("firstErrorLongitude");
  if (!t.map.empty()) o.text("map", t.map);
  const auto worst = [&](std::string_view name, const qvsweep::WorstDifference& w) {
    const std::string n(name);
    if (w.difference < 0) {
      o.null(n).null(n + "ArcSeconds").null(n + "AtLatitude").null(n + "AtLongitude");
      return;
    }
    o.number(n, w.difference)
        .number(n + "ArcSeconds", w.difference * 3600)
        .number(n + "AtLatitude", w.latitude)
        .number(n + "AtLongitude", w.longitude);
  };
  worst("worstLatitudeDifference", t.worstLatitude);
  worst("worstLongitudeDifference", t.worstLongitude);
  o.number("elapsedSeconds", t.seconds);
}

std::string gridText(bool storeAll, const qvsweep::SweepTexts& texts) {
  std::string grid = storeAll ? "store all" : "store errors";
  for (const qvsweep::TextOption& t : qvsweep::textOptions) grid += '\n' + std::string(t.name) + ' ' + texts.*(t.text);
  return grid;
}

bool readGridText(std::string_view grid, bool& storeAll, qvsweep::SweepTexts& texts) {
  const std::size_t end = grid.find('\n');
  const std::string_view store = grid.substr(0, end);
  if (store != "store all" && store != "store errors") return false;
  storeAll = store == "store all";
  // A box text may hold a line feed of its own: each ends where the next
  // option's line begins.
  std::size_t at = end;
  for (std::size_t i = 0; i < qvsweep::textOptions.size(); ++i) {
    const std::string head = "\n" + std::string(qvsweep::textOptions[i].name) + ' ';
    if (at == std::string_view::npos || grid.substr(at, head.size()) != head) return false;
    at += head.size();
    const std::size_t next = i + 1 < qvsweep::textOptions.size()
                                 ? grid.find("\n" + std::string(qvsweep::textOptions[i + 1].name) + ' ', at)
                                 : grid.size();
    if (next == std::string_view::npos) return false;
    texts.*(qvsweep::textOptions[i].text) = grid.substr(at, next - at);
    at = next;
  }
  return true;
}

std::string partPath(const std::string& report, std::size_t index, std::size_t count) {
  return report + '.' + std::to_string(index) + "-of-" + std::to_string(count);
}

std::string summaryPath(const std::string& report, std::size_t index, std::size_t count) {
  return partPath(report, index, count) + ".summary";
}

void writeSummary(const std::string& path, const ShardSummary& s) {
  std::ostringstream o;
  o << firstLine << '\n'
    << "shard\t" << s.index << ' ' << s.count << '\n'
    << "grid\t" << escaped(s.grid) << '\n'
    << "columns\t" << s.firstColumn << ' ' << s.endColumn << ' ' << s.columnsTotal << '\n'
    << "cases\t" << s.cases << '\n'
    << "errors\t" << s.errors << '\n'
    << "bytes\t" << s.bytes << '\n'
    << "worst-latitude\t" << worstText(s.worstLatitude) << '\n'
    << "worst-longitude\t" << worstText(s.worstLongitude) << '\n'
    << "first-error\t" << (s.firstError ? exact(s.firstError->latitude) + ' ' + exact(s.firstError->longitude) : "none")
    << '\n'
    << "seconds\t" << exact(s.seconds) << '\n';
  if (s.stopReason)
    o << "stop\t" << escaped(*s.stopReason) << '\n'
      << "stop-at\t" << exact(s.stopLatitude) << ' ' << exact(s.stopLongitude) << '\n';
  std::ofstream f(path, std::ios::binary);
  f << o.str();
  f.close();
  if (!f) throw std::runtime_error("Cannot write shard summary '" + path + "'");
}

ShardSummary readSummary(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) throw std::runtime_error("Cannot read shard summary '" + path + "'");
  const auto bad = [&](const std::string& what) { return std::runtime_error("Shard summary '" + path + "': " + what); };
  std::string line;
  if (!std::getline(f, line) || line != firstLine) throw bad("not a shard summary");
  std::map<std::string, std::string, std::less<>> fields;
  while (std::getline(f, line)) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) throw bad("a line without its value");
    fields[line.substr(0, tab)] = line.substr(tab + 1);
  }
  const auto field = [&](std::string_view name) -> std::istringstream {
    const auto it = fields.find(name);
    if (it == fields.end()) throw bad("no " + std::string(name));
    return std::istringstream(it->second);
  };
  // Doubles through from_chars, which also reads "inf".
  const auto doubles = [&](std::string_view name, std::size_t n) {
    std::istringstream in = field(name);
    std::vector<double> v;
    std::string word;
    while (in >> word) {
      double x = 0;
      const auto r = std::from_chars(word.data(), word.data() + word.size(), x);
      if (r.ec != std::errc() || r.ptr != word.data() + word.size()) throw bad("a malformed " + std::string(name));
      v.push_back(x);
    }
    if (v.size() != n) throw bad("a malformed " + std::string(name));
    return v;
  };
  const auto readWorst = [&](std::string_view name) {
    qvsweep::WorstDifference w;
    if (field(name).str() == "none") return w;
    const std::vector<double> v = doubles(name, 3);
    return qvsweep::WorstDifference{v[0], v[1], v[2]};
  };
  const auto read = [&](std::string_view name, auto&... into) {
    std::istringstream in = field(name);
    if (!(in >> ... >> into) || !(in >> std::ws).eof()) throw bad("a malformed " + std::string(name));
  };
  ShardSummary s;
  // Counts are read signed, so that a minus sign is seen rather than wrapped.
  std::int64_t index = 0, count = 0;
  read("shard", index, count);
  if (count < 1 || index < 1 || index > count) throw bad("line 'shard\t" + fields["shard"] + "': K must be 1 to N");
  s.index = static_cast<std::size_t>(index);
  s.count = static_cast<std::size_t>(count);
  s.grid = unescaped(field("grid").str());
  read("columns", s.firstColumn, s.endColumn, s.columnsTotal);
  read("cases", s.cases);
  read("errors", s.errors);
  std::int64_t bytes = 0;
  read("bytes", bytes);
  if (bytes < 0) throw bad("line 'bytes\t" + fields["bytes"] + "': a size cannot be negative");
  s.bytes = static_cast<std::uintmax_t>(bytes);
  s.worstLatitude = readWorst("worst-latitude");
  s.worstLongitude = readWorst("worst-longitude");
  // Summaries written before the first error case was kept have none.
  s.firstErrorKept = fields.contains("first-error");
  if (s.firstErrorKept && field("first-error").str() != "none") {
    const std::vector<double> at = doubles("first-error", 2);
    s.firstError = qvsweep::CasePoint{at[0], at[1]};
  }
  s.seconds = doubles("seconds", 1)[0];
  const auto wrong = [&](std::string_view name, const std::string& why) {
    return bad("line '" + std::string(name) + "\t" + qv::printableText(fields[std::string(name)]) + "': " + why);
  };
  if (!(s.firstColumn <= s.endColumn && s.endColumn <= s.columnsTotal))
    throw wrong("columns", "the first, end and total columns must be in order");
  if (s.cases < 0) throw wrong("cases", "a count cannot be negative");
  if (s.errors < 0 || s.errors > s.cases) throw wrong("errors", "the error cases must be 0 to the cases");
  for (const auto& [name, w] : {std::pair{"worst-latitude", s.worstLatitude}, {"worst-longitude", s.worstLongitude}})
    if (w.difference != -1 && !(w.difference >= 0)) throw wrong(name, "a difference cannot be negative or NaN");
  if (!(s.seconds >= 0) || !std::isfinite(s.seconds)) throw wrong("seconds", "a time must be finite and not negative");
  if (fields.contains("stop")) {
    s.stopReason = unescaped(field("stop").str());
    const std::vector<double> at = doubles("stop-at", 2);
    s.stopLatitude = at[0];
    s.stopLongitude = at[1];
  }
  return s;
}

}  // namespace qvcode
