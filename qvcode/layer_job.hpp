// What qvcode hands the layer module qvcode-gdal.so: the layer to read,
// the layer to write and which way to convert.  The module alone links GDAL,
// so that qvcode starts without loading it and builds where it is missing.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace qvcode {

struct LayerJob {
  // encode: points to codes, every feature kept with its geometry; decode:
  // the codes of `codeField` to points in EPSG:4326.
  bool encode = true;
  std::string input;                      // any vector data set GDAL opens
  std::optional<std::string> layer;       // its layer; needed where it has several
  std::string output;                     // a data set to create; an existing one is refused
  std::optional<std::string> format;      // a GDAL driver's short name; else from the output's extension
  std::vector<std::string> layerOptions;  // the driver's layer creation options, "NAME=VALUE"
  std::string codeField;                  // decode: the field that holds the codes
  std::optional<int> precision;           // decode: precise codes of this many decimals
};

// The module's entry: runs the job, says what went wrong on `err` as
// "qvcode: encode: ...", and answers the exit status (failure.hpp).
using LayerRunner = int (*)(const LayerJob& job, std::ostream& out, std::ostream& err);

}  // namespace qvcode
