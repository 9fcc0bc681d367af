// GSHHG's shorelines through GMT's coast module, into lines of longitude and latitude.
#include "qvcode/map/coastlines.hpp"

#include <gmt.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qvcode::map {
namespace {

// GMT reports through a print function without a context of its own.
std::string gmtMessages;

int collect(FILE*, const char* message) {
  gmtMessages += message;
  return 0;
}

std::string lastLine(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  const std::size_t nl = text.rfind('\n');
  return nl == std::string::npos ? text : text.substr(nl + 1);
}

struct Resolution {
  char code;
  const char* name;
};

Resolution resolutionFor(double degreesPerPixel) {
  if (degreesPerPixel >= 0.2) return {'c', "crude"};
  if (degreesPerPixel >= 0.04) return {'l', "low"};
  return {'i', "intermediate"};
}

// Owns one GMT session; no history file, no exit on errors.
class Session {
 public:
  Session()
      : api_(GMT_Create_Session("qvcode-map", GMT_PAD_DEFAULT,
                                GMT_SESSION_NOEXIT | GMT_SESSION_EXTERNAL | GMT_SESSION_NOHISTORY, collect)) {}
  ~Session() {
    if (api_) GMT_Destroy_Session(api_);
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  void* api() const { return api_; }

 private:
  void* api_;
};

}  // namespace

Coastlines readCoastlines(const MapArea& area, double degreesPerPixel) {
  Coastlines result;
  const double south = std::max(area.south, -90.0), north = std::min(area.north, 90.0);
  if (!(north > south)) {
    result.problem = "no coastlines beyond the poles";
    return result;
  }
  const bool wholeTurn = area.east - area.west >= 360;
  const double west = wholeTurn ? -180 : area.west, east = wholeTurn ? 180 : area.east;
  const Resolution resolution = resolutionFor(degreesPerPixel);

  gmtMessages.clear();
  const Session session;
  const auto fail = [&](const char* what) {
    const std::string said = lastLine(gmtMessages);
    result.problem = std::string("no coastlines: ") + what + (said.empty() ? "" : " (" + said + ")");
    return result;
  };
  if (!session.api()) return fail("the GMT library could not start");
  char output[GMT_VF_LEN] = {};
  if (GMT_Open_VirtualFile(session.api(), GMT_IS_DATASET, GMT_IS_LINE, unsigned{GMT_OUT} | unsigned{GMT_IS_REFERENCE},
                           nullptr, output))
    return fail("GMT gave no place for them");
  // -W -M: the shorelines as lines; -A0/1/1: of every size, land only.
  char args[256];
  std::snprintf(args, sizeof args, "-R%.10g/%.10g/%.10g/%.10g -D%c -A0/1/1 -W -M ->%s", west, east, south, north,
                resolution.code, output);
  if (GMT_Call_Module(session.api(), "coast", GMT_MODULE_CMD, args) != GMT_NOERROR)
    return fail("GMT could not read GSHHG");
  auto* data = static_cast<GMT_DATASET*>(GMT_Read_VirtualFile(session.api(), output));
  if (!data) return fail("GMT returned nothing");
  for (std::uint64_t t = 0; t < data->n_tables; ++t) {
    const GMT_DATATABLE* table = data->table[t];
    for (std::uint64_t s = 0; s < table->n_segments; ++s) {
      const GMT_DATASEGMENT* segment = table->segment[s];
      Polyline line;
      line.reserve(segment->n_rows);
      for (std::uint64_t r = 0; r < segment->n_rows; ++r) {
        // A shore that crosses the antimeridian jumps from 180 to −180:
        // unwrapped, it runs on past 180 and is drawn shifted by whole turns.
        double lon = segment->data[0][r];
        if (!line.empty()) lon += 360 * std::round((line.back().longitude - lon) / 360);
        line.push_back({lon, segment->data[1][r]});
      }
      result.lines.push_back(std::move(line));
    }
  }
  GMT_Close_VirtualFile(session.api(), output);
  result.source = std::string("coastlines: GSHHG, ") + resolution.name + " resolution, read by GMT";
  return result;
}

}  // namespace qvcode::map
