// The layer options and the module that converts layers.

#include "qvcode/layer.hpp"

#include <ostream>

#include "qvcode/failure.hpp"
#include "qvcode/map_module.hpp"

namespace qvcode {

void declareLayerOptions(std::vector<Option>& options, LayerOptions& l) {
  options.push_back(withValue("--layer", keepText(l.input), "needs a data set GDAL opens"));
  options.push_back(withValue("--layer-name", keepText(l.layer), "needs the name of a layer"));
  options.push_back(withValue("--output-layer", keepText(l.output), "needs a data set to create"));
  options.push_back(withValue("--format", keepText(l.format), "needs a GDAL driver's name, such as GPKG"));
  options.push_back(withValue(
      "--layer-option",
      [&l](std::string_view v) -> Problem {
        if (v.find('=') == std::string_view::npos || v.starts_with('='))
          return "--layer-option takes NAME=VALUE, not '" + std::string(v) + "'";
        l.layerOptions.emplace_back(v);
        return {};
      },
      "needs NAME=VALUE, a layer creation option of the output's driver"));
}

LayerJob LayerOptions::job(bool encode) const {
  LayerJob j;
  j.encode = encode;
  j.input = input.value_or("");
  j.layer = layer;
  j.output = output.value_or("");
  j.format = format;
  j.layerOptions = layerOptions;
  return j;
}

Problem layerOptionsProblem(const LayerOptions& l) {
  if (!l.input) return "--layer-name, --output-layer, --format and --layer-option need --layer";
  if (!l.output) return "--layer needs --output-layer, the data set to create";
  return {};
}

int runLayerJob(const LayerJob& job, std::ostream& out, std::ostream& err) {
  std::string problem;
  void* entry = loadModuleEntry({"qvcode-gdal.so", "GIS module", "qvcodeLayerRunner", "layer runner"}, problem);
  if (!entry) {
    err << "qvcode: " << (job.encode ? "encode" : "decode") << ": --layer needs GDAL: " << problem
        << " (qvcode was built without libgdal-dev, or the module is not installed)\n";
    return exitUsage;
  }
  using Entry = LayerRunner (*)();
  return reinterpret_cast<Entry>(entry)()(job, out, err);
}

}  // namespace qvcode
