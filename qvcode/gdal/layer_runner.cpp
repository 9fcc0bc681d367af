// The GIS module qvcode-gdal.so: the features of a vector layer read through
// GDAL, their points taken to WGS 84 degrees, converted in blocks through the
// batch conversions, and written with their fields to a new data set.  A
// second thread reads and converts the next block while the calling thread
// writes the one before.

#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <exception>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "conversion/batch_conversion.hpp"
#include "conversion/code_cover.hpp"
#include "conversion/code_reader.hpp"
#include "conversion/code_text.hpp"
#include "conversion/printable_text.hpp"
#include "conversion/runtime_error.hpp"
#include "qvcode/failure.hpp"
#include "qvcode/gdal/block_handoff.hpp"
#include "qvcode/layer_job.hpp"

namespace qvcode::gdal {
namespace {

// Features converted at once: enough for the batch, few enough to hold.
constexpr std::size_t blockFeatures = 4096;
// Features a transaction writes: a GeoPackage writes a transaction's rows
// in one go, some hundred times as fast as one a row.
constexpr long long transactionFeatures = 1 << 17;

// A failure that ends the job: its exit status and message.
struct Stop {
  int status;
  std::string message;
};

std::string gdalMessage() {
  const std::string m = CPLGetLastErrorMsg();
  return m.empty() ? "GDAL gave no reason" : m;
}

// GDAL's own warnings (a field name cut to 10 characters by a Shapefile,
// for one) are kept for the messages, not printed.
void CPL_STDCALL quiet(CPLErr, CPLErrorNum, const char*) {}

struct DatasetCloser {
  void operator()(GDALDataset* d) const { GDALClose(d); }
};
using Dataset = std::unique_ptr<GDALDataset, DatasetCloser>;

// The driver of --format, else the one the output's extension names.
GDALDriver* outputDriver(const LayerJob& job) {
  std::string name;
  if (job.format) {
    name = *job.format;
  } else {
    std::string extension = job.output.substr(std::min(job.output.size(), job.output.rfind('.') + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    constexpr std::array<std::pair<std::string_view, std::string_view>, 6> byExtension = {{
        {"gpkg", "GPKG"},
        {"shp", "ESRI Shapefile"},
        {"geojson", "GeoJSON"},
        {"json", "GeoJSON"},
        {"fgb", "FlatGeobuf"},
        {"csv", "CSV"},
    }};
    for (const auto& [e, driver] : byExtension)
      if (extension == e) name = driver;
    if (name.empty())
      throw Stop{exitUsage, "cannot tell the format of '" + job.output +
                                "' from its extension (.gpkg, .shp, .geojson, .fgb, .csv): give --format"};
  }
  GDALDriver* d = GetGDALDriverManager()->GetDriverByName(name.c_str());
  if (!d || !d->GetMetadataItem(GDAL_DCAP_VECTOR) || !d->GetMetadataItem(GDAL_DCAP_CREATE))
    throw Stop{exitUsage, "GDAL has no driver '" + name + "' that creates vector data sets"};
  return d;
}

OGRLayer* inputLayer(GDALDataset& in, const LayerJob& job) {
  if (job.layer) {
    if (OGRLayer* l = in.GetLayerByName(job.layer->c_str())) return l;
    throw Stop{exitUsage, "'" + job.input + "' has no layer '" + *job.layer + "'"};
  }
  if (in.GetLayerCount() == 1) return in.GetLayer(0);
  if (in.GetLayerCount() == 0) throw Stop{exitUsage, "'" + job.input + "' holds no layer"};
  std::string names;
  for (int i = 0; i < in.GetLayerCount(); ++i) names += (i ? ", " : "") + std::string(in.GetLayer(i)->GetName());
  throw Stop{exitUsage, "'" + job.input + "' holds several layers (" + names + "): name one with --layer-name"};
}

// WGS 84 in degrees, longitude first as GIS data sets write it.
OGRSpatialReference wgs84() {
  OGRSpatialReference s;
  s.importFromEPSG(4326);
  s.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  return s;
}

struct Encoded {
  std::string code;
  int hour = 0;
  double offsetKm = 0, distanceKm = 0;
};
struct Decoded {
  double latitude = 0, longitude = 0, farthestKm = 0;
};

// One feature of the block and what became of it.
struct Item {
  std::unique_ptr<OGRFeature> feature;
  std::string failure;  // why it has no result; empty when it has one
  Encoded encoded;      // encode's result
  Decoded decoded;      // decode's result
};

// Features read and converted together, on their way from the reading
// thread to the writing one.
struct Block {
  std::vector<Item> items;
  // The layer has no more features: the block is empty, and carries the
  // reading thread's last GDAL error (GDAL keeps one a thread): a reading
  // that ended in a failure fails the job.
  bool last = false;
  CPLErr errorType = CE_None;
  std::string errorMessage;
  // The reading stopped with this; the writer throws it.
  std::exception_ptr failure;
};

class LayerRun {
 public:
  LayerRun(const LayerJob& job, std::ostream& err) : job_(job), err_(err), name_(job.encode ? "encode" : "decode") {}

  int run() {
    VSIStatBufL st;
    if (VSIStatL(job_.input.c_str(), &st) != 0 && !job_.input.starts_with("/vsi"))
      throw Stop{exitInputFailed, "cannot open '" + job_.input + "': there is no such file"};
    in_.reset(GDALDataset::Open(job_.input.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    if (!in_) throw Stop{exitInputFailed, "cannot open '" + job_.input + "' as a vector data set: " + gdalMessage()};
    source_ = inputLayer(*in_, job_);
    OGRFeatureDefn* defn = source_->GetLayerDefn();
    added_ = job_.encode ? std::vector<std::string>{"code", "hour", "offsetKm", "distanceKm", "error"}
                         : std::vector<std::string>{"latitude", "longitude", "farthestKm", "error"};
    for (const std::string& a : added_)
      if (defn->GetFieldIndex(a.c_str()) >= 0)
        throw Stop{exitUsage, "the layer has a field '" +
                                  std::string(defn->GetFieldDefn(defn->GetFieldIndex(a.c_str()))->GetNameRef()) +
                                  "' already, which the new field '" + a + "' would take (rename it first)"};
    if (!job_.encode) {
      codeField_ = defn->GetFieldIndex(job_.codeField.c_str());
      if (codeField_ < 0) throw Stop{exitUsage, "the layer has no field '" + job_.codeField + "'"};
    }
    if (VSIStatL(job_.output.c_str(), &st) == 0)
      throw Stop{exitUsage,
                 "'" + job_.output + "' exists; qvcode writes a new data set and leaves an existing one as it is"};
    GDALDriver* driver = outputDriver(job_);
    try {
      createOutput(*driver, *defn);
      copyFeatures();
    } catch (...) {
      // What this job created goes; nothing stood there before.
      const bool created = out_ != nullptr || VSIStatL(job_.output.c_str(), &st) == 0;
      out_.reset();
      if (created) driver->Delete(job_.output.c_str());
      throw;
    }
    if (failed_ == 0) return exitOk;
    err_ << "qvcode: " << name_ << ": " << failed_ << " of " << count_ << " features failed, the first feature "
         << firstFailed_ << ": " << firstReason_ << '\n';
    return exitLinesFailed;
  }

 private:
  void createOutput(GDALDriver& driver, OGRFeatureDefn& defn) {
    out_.reset(driver.Create(job_.output.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!out_) throw Stop{exitOutputFailed, "cannot create '" + job_.output + "': " + gdalMessage()};
    const OGRSpatialReference* from = source_->GetSpatialRef();
    OGRSpatialReference target = wgs84();
    if (from && !from->IsSame(&target)) {
      OGRSpatialReference source(*from);
      source.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
      toWgs84_.reset(OGRCreateCoordinateTransformation(&source, &target));
      if (!toWgs84_) throw Stop{exitInputFailed, "cannot take the layer's coordinates to WGS 84: " + gdalMessage()};
    }
    char** options = nullptr;
    if (std::string_view(driver.GetDescription()) == "CSV") options = CSLSetNameValue(options, "GEOMETRY", "AS_WKT");
    // A GeoPackage's spatial index takes four fifths of the time of a layer
    // of points (an R-tree filled a row at a time): built only on request.
    if (std::string_view(driver.GetDescription()) == "GPKG") options = CSLSetNameValue(options, "SPATIAL_INDEX", "NO");
    for (const std::string& o : job_.layerOptions) {
      const std::size_t eq = o.find('=');
      options = CSLSetNameValue(options, o.substr(0, eq).c_str(), o.substr(eq + 1).c_str());
    }
    std::unique_ptr<OGRSpatialReference, void (*)(OGRSpatialReference*)> kept(from ? from->Clone() : nullptr,
                                                                              [](OGRSpatialReference* s) {
                                                                                if (s) s->Release();
                                                                              });
    target_ = out_->CreateLayer(source_->GetName(), job_.encode ? kept.get() : &target,
                                job_.encode ? source_->GetGeomType() : wkbPoint, options);
    CSLDestroy(options);
    if (!target_) throw Stop{exitOutputFailed, "cannot create the layer of '" + job_.output + "': " + gdalMessage()};
    for (int i = 0; i < defn.GetFieldCount(); ++i)
      if (target_->CreateField(defn.GetFieldDefn(i)) != OGRERR_NONE)
        throw Stop{exitOutputFailed, "cannot create the field '" + std::string(defn.GetFieldDefn(i)->GetNameRef()) +
                                         "' in '" + job_.output + "': " + gdalMessage()};
    for (const std::string& a : added_) {
      const OGRFieldType type = a == "code" || a == "error" ? OFTString : a == "hour" ? OFTInteger : OFTReal;
      OGRFieldDefn f(a.c_str(), type);
      if (a == "error") f.SetWidth(254);
      if (a == "code") f.SetWidth(32);
      if (target_->CreateField(&f) != OGRERR_NONE)
        throw Stop{exitOutputFailed, "cannot create the field '" + a + "' in '" + job_.output + "': " + gdalMessage()};
    }
    // The fields as created: a driver may rename them (a Shapefile cuts names to 10 characters).
    OGRFeatureDefn* made = target_->GetLayerDefn();
    fieldMap_.resize(static_cast<std::size_t>(defn.GetFieldCount()));
    for (int i = 0; i < defn.GetFieldCount(); ++i) fieldMap_[static_cast<std::size_t>(i)] = i;
    for (const std::string& a : added_) addedIndex_.push_back(made->GetFieldIndex(a.c_str()));
    keepFids_ = std::string_view(driver.GetDescription()) == "GPKG";
  }

  // The input is the reading thread's from here on, the output this one's.
  void copyFeatures() {
    BlockHandoff<Block> handoff;
    // Declared after the hand-off, so that it ends first: a writer that
    // throws stops the reader and waits for it.
    std::jthread reader([this, &handoff](std::stop_token stop) { readBlocks(handoff, stop); });
    bool inTransaction = out_->StartTransaction() == OGRERR_NONE;
    long long sinceCommit = 0;
    for (Block block;;) {
      block = handoff.take(std::move(block));
      if (block.failure) std::rethrow_exception(block.failure);
      if (block.last) {
        if (block.errorType >= CE_Failure)
          throw Stop{exitInputFailed, "cannot read '" + job_.input + "': " +
                                          (block.errorMessage.empty() ? "GDAL gave no reason" : block.errorMessage)};
        break;
      }
      writeBlock(block.items);
      sinceCommit += static_cast<long long>(block.items.size());
      if (inTransaction && sinceCommit >= transactionFeatures) {
        commit();
        inTransaction = out_->StartTransaction() == OGRERR_NONE;
        sinceCommit = 0;
      }
    }
    if (inTransaction) commit();
    out_->FlushCache();
    if (CPLGetLastErrorType() == CE_Failure)
      throw Stop{exitOutputFailed, "cannot write '" + job_.output + "': " + gdalMessage()};
    out_.reset();
  }

  // The reading thread: the features a block at a time, their points taken
  // to WGS 84 and converted, each block handed to the writer; ends after
  // the empty block that ends the layer, or when the writer gave up.
  void readBlocks(BlockHandoff<Block>& handoff, std::stop_token stop) {
    CPLPushErrorHandler(quiet);
    try {
      // A coordinate transformation serves one thread: this one has its own.
      std::unique_ptr<OGRCoordinateTransformation> toWgs84(toWgs84_ ? toWgs84_->Clone() : nullptr);
      if (toWgs84_ && !toWgs84)
        throw Stop{exitInputFailed, "cannot take the layer's coordinates to WGS 84: " + gdalMessage()};
      source_->ResetReading();
      for (Block block;;) {
        // The block the writer gave back, its features freed here where
        // they were made.
        block.items.clear();
        block.items.reserve(blockFeatures);
        while (block.items.size() < blockFeatures) {
          OGRFeature* f = source_->GetNextFeature();
          if (!f) break;
          block.items.push_back({std::unique_ptr<OGRFeature>(f), {}, {}, {}});
        }
        block.last = block.items.empty();
        if (block.last) {
          block.errorType = CPLGetLastErrorType();
          block.errorMessage = CPLGetLastErrorMsg();
        } else if (job_.encode) {
          encodeBlock(block.items, toWgs84.get());
        } else {
          decodeBlock(block.items);
        }
        const bool last = block.last;
        std::optional<Block> spent = handoff.put(std::move(block), stop);
        if (!spent || last) break;
        block = std::move(*spent);
      }
    } catch (...) {
      Block failed;
      failed.failure = std::current_exception();
      handoff.put(std::move(failed), stop);
    }
    CPLPopErrorHandler();
  }

  void commit() {
    if (out_->CommitTransaction() != OGRERR_NONE)
      throw Stop{exitOutputFailed, "cannot write '" + job_.output + "': " + gdalMessage()};
  }

  void encodeBlock(std::vector<Item>& block, OGRCoordinateTransformation* toWgs84) {
    xs_.clear();
    ys_.clear();
    which_.clear();
    for (std::size_t i = 0; i < block.size(); ++i) {
      const OGRGeometry* g = block[i].feature->GetGeometryRef();
      if (!g) {
        block[i].failure = "the feature has no geometry";
      } else if (wkbFlatten(g->getGeometryType()) != wkbPoint) {
        block[i].failure =
            "its geometry is a " + std::string(OGRGeometryTypeToName(g->getGeometryType())) + ", not a point";
      } else if (g->IsEmpty()) {
        block[i].failure = "its point is empty";
      } else {
        xs_.push_back(g->toPoint()->getX());
        ys_.push_back(g->toPoint()->getY());
        which_.push_back(i);
      }
    }
    transformed_.assign(xs_.size(), TRUE);
    if (toWgs84 && !xs_.empty())
      toWgs84->Transform(static_cast<int>(xs_.size()), xs_.data(), ys_.data(), nullptr, transformed_.data());
    codes_.resize(xs_.size());
    // Longitude x, latitude y; a point not taken to degrees converts as a
    // refused one.
    for (std::size_t k = 0; k < xs_.size(); ++k)
      if (!transformed_[k]) ys_[k] = std::numeric_limits<double>::quiet_NaN();
    qv::encodeMany(ys_, xs_, codes_);
    for (std::size_t k = 0; k < which_.size(); ++k) {
      Item& item = block[which_[k]];
      const qv::EncodedPoint& c = codes_[k];
      if (!transformed_[k]) {
        item.failure = "its point cannot be taken to WGS 84 degrees";
        continue;
      }
      if (c.refused) {
        item.failure = refusalOf(ys_[k], xs_[k]);
        continue;
      }
      if (c.error) {
        item.failure = runtimeErrorText(qv::RuntimeError(*c.error));
        continue;
      }
      char code[qv::codeRoom];
      item.encoded = {std::string(code, qv::writeCode(code, c.hour, c.offsetKm, c.distanceKm)), c.hour, c.offsetKm,
                      c.distanceKm};
    }
  }

  static std::string refusalOf(double latitude, double longitude) {
    try {
      qv::takePosition(latitude, longitude);
    } catch (const qv::PositionError& e) {
      return e.what();
    }
    return "the position is refused";
  }

  void decodeBlock(std::vector<Item>& block) {
    texts_.clear();
    values_.clear();
    which_.clear();
    for (std::size_t i = 0; i < block.size(); ++i) {
      OGRFeature& f = *block[i].feature;
      if (!f.IsFieldSetAndNotNull(codeField_)) {
        block[i].failure = "its field '" + job_.codeField + "' holds no code";
        continue;
      }
      std::string text = f.GetFieldAsString(codeField_);
      try {
        values_.push_back(job_.precision ? qv::readPreciseCode(text, *job_.precision) : qv::readCode(text));
        texts_.push_back(std::move(text));
        which_.push_back(i);
      } catch (const qv::CodeFormatError& e) {
        block[i].failure = "malformed code '" + qv::printableText(text) + "': " + e.what();
      }
    }
    points_.resize(values_.size());
    qv::decodeMany(values_, points_);
    for (std::size_t k = 0; k < which_.size(); ++k) {
      Item& item = block[which_[k]];
      const qv::DecodedPoint& p = points_[k];
      if (p.error) {
        item.failure = runtimeErrorText(qv::RuntimeError(*p.error));
        continue;
      }
      const double farthest = qv::coverOf(texts_[k], job_.precision.value_or(-1), values_[k], p.position).farthestKm;
      item.decoded = {p.position.latitude, p.position.longitude, farthest};
    }
  }

  // One output feature for all: made once, its fields and geometry set
  // anew for each feature (GDAL copies it when writing).
  void writeBlock(std::vector<Item>& block) {
    if (!out_feature_) out_feature_ = std::make_unique<OGRFeature>(target_->GetLayerDefn());
    OGRFeature& out = *out_feature_;
    for (std::size_t i = 0; i < block.size(); ++i) {
      OGRFeature& in = *block[i].feature;
      if (out.SetFrom(&in, fieldMap_.data(), TRUE) != OGRERR_NONE)
        throw Stop{exitOutputFailed, "cannot copy feature " + std::to_string(in.GetFID()) + ": " + gdalMessage()};
      out.SetFID(keepFids_ ? in.GetFID() : OGRNullFID);
      ++count_;
      // Each added field is set or made null: the feature before left its own.
      if (!block[i].failure.empty()) {
        if (failed_++ == 0) {
          firstFailed_ = in.GetFID();
          firstReason_ = block[i].failure;
        }
        for (std::size_t a = 0; a + 1 < addedIndex_.size(); ++a) out.SetFieldNull(addedIndex_[a]);
        out.SetField(addedIndex_.back(), block[i].failure.c_str());
        if (!job_.encode) out.SetGeometryDirectly(nullptr);
      } else if (job_.encode) {
        out.SetFieldNull(addedIndex_.back());
        const Encoded& e = block[i].encoded;
        out.SetField(addedIndex_[0], e.code.c_str());
        out.SetField(addedIndex_[1], e.hour);
        out.SetField(addedIndex_[2], e.offsetKm);
        out.SetField(addedIndex_[3], e.distanceKm);
      } else {
        out.SetFieldNull(addedIndex_.back());
        const Decoded& d = block[i].decoded;
        out.SetField(addedIndex_[0], d.latitude);
        out.SetField(addedIndex_[1], d.longitude);
        out.SetField(addedIndex_[2], d.farthestKm);
        out.SetGeometryDirectly(new OGRPoint(d.longitude, d.latitude));
      }
      if (target_->CreateFeature(&out) != OGRERR_NONE)
        throw Stop{exitOutputFailed, "cannot write feature " + std::to_string(in.GetFID()) + " to '" + job_.output +
                                         "': " + gdalMessage()};
    }
  }

  const LayerJob& job_;
  std::ostream& err_;
  std::string name_;
  Dataset in_, out_;
  OGRLayer* source_ = nullptr;
  OGRLayer* target_ = nullptr;
  std::unique_ptr<OGRFeature> out_feature_;
  std::unique_ptr<OGRCoordinateTransformation> toWgs84_;
  std::vector<std::string> added_;
  std::vector<int> fieldMap_, addedIndex_;
  int codeField_ = -1;
  bool keepFids_ = false;
  long long count_ = 0, failed_ = 0;
  GIntBig firstFailed_ = 0;
  std::string firstReason_;
  // The reading thread's: a block's points and results.
  std::vector<double> xs_, ys_;
  std::vector<int> transformed_;
  std::vector<std::size_t> which_;
  std::vector<qv::EncodedPoint> codes_;
  std::vector<std::string> texts_;
  std::vector<qv::CodeValues> values_;
  std::vector<qv::DecodedPoint> points_;
};

int runLayer(const LayerJob& job, std::ostream&, std::ostream& err) {
  GDALAllRegister();
  CPLPushErrorHandler(quiet);
  int status = exitOk;
  try {
    status = LayerRun(job, err).run();
  } catch (const Stop& s) {
    err << "qvcode: " << (job.encode ? "encode" : "decode") << ": " << s.message << '\n';
    status = s.status;
  }
  CPLPopErrorHandler();
  return status;
}

}  // namespace
}  // namespace qvcode::gdal

extern "C" __attribute__((visibility("default"))) qvcode::LayerRunner qvcodeLayerRunner() {
  return qvcode::gdal::runLayer;
}
