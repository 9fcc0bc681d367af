// --layer, --layer-name, --output-layer and --format of encode and decode:
// GIS layers through the module qvcode-gdal.so, loaded only when asked for.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "qvcode/layer_job.hpp"
#include "qvcode/options.hpp"

namespace qvcode {

struct LayerOptions {
  std::optional<std::string> input, layer, output, format;
  std::vector<std::string> layerOptions;
  bool given() const { return input || layer || output || format || !layerOptions.empty(); }
  // The job of these options; the command fills in the rest.
  LayerJob job(bool encode) const;
};

// Appends the five options to a command's declared options.
void declareLayerOptions(std::vector<Option>& options, LayerOptions& l);

// What the layer options lack: --layer and --output-layer go together.
Problem layerOptionsProblem(const LayerOptions& l);

// Runs `job` through the module; a qvcode without it says why and answers
// exitUsage.
int runLayerJob(const LayerJob& job, std::ostream& out, std::ostream& err);

}  // namespace qvcode
