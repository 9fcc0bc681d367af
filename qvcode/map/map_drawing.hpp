// The sweep's map drawn as a picture: title, cells, coastlines, graticule, hour rays, reference point, legend.
#pragma once
//
// The map is equirectangular: x runs with longitude from the area's west
// edge, y with latitude from its north edge, each pixel a cell of the
// picture's grid.  Lines over the cells are drawn without antialiasing, so
// that each keeps its own colour; only the coastlines and texts are smoothed.
// Needs a QGuiApplication for its fonts.

#include <QImage>

#include "qvcode/map/coastlines.hpp"
#include "qvcode/map_picture.hpp"

namespace qvcode::map {

// The picture, with the georeference keys of map_picture.hpp as its texts.
QImage drawMap(const MapPicture& picture, const Coastlines& coastlines);

}  // namespace qvcode::map
