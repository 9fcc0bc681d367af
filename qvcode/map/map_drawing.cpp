// The sweep's map drawn with QPainter on a QImage: cells, lines over them, title and legend.
#include "qvcode/map/map_drawing.hpp"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "conversion/detail/hour_sector.hpp"
#include "conversion/detail/reference_point.hpp"
#include "qvcode/map_layout.hpp"

namespace qvcode::map {
namespace {

using map_layout::barWidth;
using map_layout::labelColumn;
using map_layout::legendHeight;
using map_layout::lineHeight;
using map_layout::margin;
constexpr int clockRadius = 34;  // pixels from the reference point to the hour numbers

QColor colour(MapRgb c, int alpha = 255) { return QColor(c.red, c.green, c.blue, alpha); }

QFont font(int pixels, bool bold = false) {
  QFont f("Liberation Sans");
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

// The powers of ten at the ends of the colour scale: the smallest and the
// largest finite difference of the map rounded outwards, at most 12 apart.
struct Scale {
  int low, high;
};

Scale scaleOf(const std::vector<MapPixel>& pixels) {
  float smallest = std::numeric_limits<float>::infinity(), largest = 0;
  for (const MapPixel& p : pixels) {
    if (!(p.difference > 0) || std::isinf(p.difference)) continue;
    smallest = std::min(smallest, p.difference);
    largest = std::max(largest, p.difference);
  }
  if (!(largest > 0)) return {-9, 0};
  const int high = static_cast<int>(std::ceil(std::log10(largest)));
  int low = static_cast<int>(std::floor(std::log10(smallest)));
  low = std::max(std::min(low, high - 1), high - 12);
  return {low, high};
}

QString powerOfTen(int k) {
  if (k >= 0 && k <= 4) return QString::number(std::pow(10.0, k), 'f', 0) + "\u2033";
  return QString("1e%1\u2033").arg(k);
}

QString seconds(double s) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.3g", s);
  return QString(buffer) + "\u2033";
}

// Degrees to the picture's pixels.
struct Projection {
  QRect map;
  MapArea area;
  double xPerDegree, yPerDegree;

  QPointF at(double longitude, double latitude) const {
    return {map.left() + (longitude - area.west) * xPerDegree, map.top() + (area.north - latitude) * yPerDegree};
  }
  QPoint pixel(double longitude, double latitude) const {
    const QPointF p = at(longitude, latitude);
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
  }
  // The whole turns by which a line from `west` to `east` must be shifted to
  // lie in the area, at most a few.
  std::vector<double> shifts(double west, double east) const {
    std::vector<double> s;
    for (double k = std::ceil((area.west - east) / 360); k * 360 + west <= area.east && s.size() < 8; ++k)
      s.push_back(k * 360);
    return s;
  }
};

void drawLine(QPainter& painter, const Projection& projection, const Polyline& line) {
  if (line.size() < 2) return;
  const auto [lo, hi] = std::minmax_element(line.begin(), line.end(),
                                            [](const LonLat& a, const LonLat& b) { return a.longitude < b.longitude; });
  for (double shift : projection.shifts(lo->longitude, hi->longitude)) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(line.size()));
    for (const LonLat& p : line) polygon << projection.at(p.longitude + shift, p.latitude);
    painter.drawPolyline(polygon);
  }
}

// A text with a white halo, so that it reads on any cell.
void haloText(QPainter& painter, QPointF baseline, const QString& s, const QFont& f) {
  QPainterPath path;
  path.addText(baseline, f, s);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.strokePath(path, QPen(colour(map_colours::frame), 3));
  painter.fillPath(path, colour(map_colours::text));
  painter.setRenderHint(QPainter::Antialiasing, false);
}

void drawCells(QImage& image, const MapPicture& p, const QRect& map, Scale scale) {
  for (int y = 0; y < p.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(map.top() + y)) + map.left();
    const MapPixel* cells = p.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(p.width);
    for (int x = 0; x < p.width; ++x) {
      const MapRgb c = pixelColour(cells[x], scale.low, scale.high);
      line[x] = qRgb(c.red, c.green, c.blue);
    }
  }
}

void drawGraticule(QPainter& painter, const Projection& pr, const MapPicture& p) {
  const QColor line = colour(map_colours::graticule, 150);
  painter.setFont(font(12));
  painter.setPen(colour(map_colours::text));
  const QFontMetrics metrics(painter.font());
  const double lonSpacing = graticuleSpacing(p.area.east - p.area.west, p.width, 56);
  for (double lon : graticuleLines(p.area.west, p.area.east, lonSpacing)) {
    const int x = pr.pixel(lon, 0).x();
    if (x < pr.map.left() || x > pr.map.right()) continue;
    painter.fillRect(QRect(x, pr.map.top(), 1, pr.map.height()), line);
    const QString label = text(longitudeLabel(lon));
    painter.drawText(QPointF(x - metrics.horizontalAdvance(label) / 2.0, pr.map.bottom() + 4 + metrics.ascent()),
                     label);
  }
  const double south = std::max(p.area.south, -90.0), north = std::min(p.area.north, 90.0);
  const double latSpacing = graticuleSpacing(p.area.north - p.area.south, p.height, 32);
  for (double lat : graticuleLines(south, north, latSpacing)) {
    const int y = pr.pixel(0, lat).y();
    if (y < pr.map.top() || y > pr.map.bottom()) continue;
    painter.fillRect(QRect(pr.map.left(), y, pr.map.width(), 1), line);
    const QString label = text(latitudeLabel(lat));
    painter.drawText(QPointF(pr.map.left() - 5 - metrics.horizontalAdvance(label), y + metrics.ascent() / 2.0 - 1),
                     label);
  }
}

// The twelve rays, each with its hour a little way out from the reference
// point, like the numbers of a clock face.
void drawHourRays(QPainter& painter, const Projection& pr) {
  painter.setPen(QPen(colour(map_colours::hourRay), 1));
  const int rays = static_cast<int>(360 / qv::sectorDegrees);
  for (int k = 0; k < rays; ++k)
    for (const Polyline& part : hourRay(k * qv::sectorDegrees)) drawLine(painter, pr, part);

  const QFont f = font(11, true);
  const QFontMetrics metrics(f);
  const LonLat origin{qv::referenceLongitude(), qv::referenceLatitude()};
  for (double shift : pr.shifts(origin.longitude, origin.longitude)) {
    const QPointF centre = pr.at(origin.longitude + shift, origin.latitude);
    for (int k = 0; k < rays; ++k) {
      LonLat at = origin;
      for (double d = 0.25; d <= 180; d += 0.25) {
        at = alongRay(k * qv::sectorDegrees, d);
        const QPointF q = pr.at(at.longitude + shift, at.latitude);
        if (std::hypot(q.x() - centre.x(), q.y() - centre.y()) >= clockRadius) break;
      }
      const QPointF q = pr.at(at.longitude + shift, at.latitude);
      const QString hour = QString::number(k == 0 ? rays : k);
      haloText(painter, QPointF(q.x() - metrics.horizontalAdvance(hour) / 2.0, q.y() + metrics.ascent() / 2.0 - 1),
               hour, f);
    }
  }
}

void drawReferencePoint(QPainter& painter, const Projection& pr) {
  const double lon = qv::referenceLongitude(), lat = qv::referenceLatitude();
  painter.setPen(QPen(colour(map_colours::hourRay), 1));
  painter.setBrush(colour(map_colours::referencePoint));
  for (double shift : pr.shifts(lon, lon)) painter.drawEllipse(pr.pixel(lon + shift, lat), 4, 4);
  painter.setBrush(Qt::NoBrush);
}

void drawInverseRaised(QPainter& painter, const MapPicture& p, const QRect& map) {
  painter.setPen(QPen(colour(map_colours::inverseRaised), 1));
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      if (p.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(p.width) + static_cast<std::size_t>(x)]
              .inverseRaised)
        painter.drawEllipse(QPoint(map.left() + x, map.top() + y), 3, 3);
}

void drawRamp(QPainter& painter, QRect bar, const std::array<MapRgb, 8>& ramp) {
  for (int i = 0; i < bar.width(); ++i)
    painter.fillRect(QRect(bar.left() + i, bar.top(), 1, bar.height()),
                     colour(rampColour(ramp, i / double(bar.width() - 1))));
  painter.setPen(colour(map_colours::graticule));
  painter.drawRect(bar.adjusted(0, 0, -1, -1));
}

void drawLegend(QPainter& painter, const MapPicture& p, Scale scale, const Coastlines& coast, int top) {
  const QFont f = font(12);
  const QFontMetrics metrics(f);
  painter.setFont(f);
  const int barLeft = margin + 112;
  const auto label = [&](int x, int y, const QString& s) {
    painter.setPen(colour(map_colours::text));
    painter.drawText(QPointF(x, y + metrics.ascent() - 1), s);
  };

  // The two ramps of the one scale, and its powers of ten below them.
  int y = top;
  label(margin, y, p.judged ? "within tolerance" : "cases (not judged)");
  drawRamp(painter, QRect(barLeft, y, barWidth, 12), withinRamp);
  if (p.judged) {
    y += 20;
    label(margin, y, "error cases");
    drawRamp(painter, QRect(barLeft, y, barWidth, 12), errorRamp);
  }
  const auto xOf = [&](double t) { return barLeft + static_cast<int>(std::lround(t * (barWidth - 1))); };
  const int every = (scale.high - scale.low + 6) / 7;
  for (int k = scale.low; k <= scale.high; k += every) {
    const int x = xOf(double(k - scale.low) / (scale.high - scale.low));
    painter.fillRect(QRect(x, y + 12, 1, 4), colour(map_colours::text));
    const QString s = powerOfTen(k);
    label(x - metrics.horizontalAdvance(s) / 2, y + 17, s);
  }
  const bool toleranceShown = p.judged && p.toleranceSeconds > 0 &&
                              scalePosition(p.toleranceSeconds, scale.low, scale.high) >= 0 &&
                              scalePosition(p.toleranceSeconds, scale.low, scale.high) <= 1;
  if (toleranceShown)
    painter.fillRect(QRect(xOf(scalePosition(p.toleranceSeconds, scale.low, scale.high)), top - 3, 2, y - top + 18),
                     colour(map_colours::text));

  // What the other marks mean.
  const int x = barLeft + barWidth + 36;
  int row = top;
  const auto entry = [&](auto mark, const QString& s) {
    mark(QRect(x, row + 1, 12, 12));
    label(x + 20, row, s);
    row += lineHeight;
  };
  entry(
      [&](QRect r) {
        painter.fillRect(r, colour(map_colours::exact));
        painter.setPen(colour(map_colours::graticule));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
      },
      "exact: the same position back");
  entry([&](QRect r) { painter.fillRect(r, colour(map_colours::notSwept)); }, "no case here");
  entry(
      [&](QRect r) {
        painter.setPen(QPen(colour(map_colours::inverseRaised), 1));
        painter.drawEllipse(r.center(), 3, 3);
      },
      "the inverse raised (skip-on-error mode)");
  entry([&](QRect r) { painter.fillRect(QRect(r.left(), r.center().y(), r.width(), 1), colour(map_colours::hourRay)); },
        "hour ray, with its hour");
  entry(
      [&](QRect r) {
        painter.setPen(QPen(colour(map_colours::hourRay), 1));
        painter.setBrush(colour(map_colours::referencePoint));
        painter.drawEllipse(r.center(), 4, 4);
        painter.setBrush(Qt::NoBrush);
      },
      "reference point 48\u00b08\u203213\u2033 N 11\u00b034\u203231\u2033 E");
  if (toleranceShown)
    entry([&](QRect r) { painter.fillRect(QRect(r.center().x(), r.top(), 2, r.height()), colour(map_colours::text)); },
          "tolerance " + seconds(p.toleranceSeconds));

  const int below = std::max(row, y + 36) + 4;
  label(margin, below,
        "Colour: the larger of the latitude and longitude differences, in seconds of arc, on a logarithmic scale.");
  label(margin, below + lineHeight, text(coast.problem.empty() ? coast.source : coast.problem));
}

}  // namespace

QImage drawMap(const MapPicture& p, const Coastlines& coast) {
  const bool sized = p.pictureWidth > 0;
  const QFontMetrics titleMetrics(font(14, true));
  int titleWidth = 0;
  for (const std::string& line : p.title) titleWidth = std::max(titleWidth, titleMetrics.horizontalAdvance(text(line)));
  const int mapTop = map_layout::mapTop(static_cast<int>(p.title.size()));
  const int needed = p.width + map_layout::besideMap;
  // A picture of its own size fits its title in, shortening what is too long.
  const int width = sized ? p.pictureWidth : std::max({needed, titleWidth + 2 * margin, map_layout::legendWidth});
  const int height = sized ? p.pictureHeight : mapTop + p.height + 24 + legendHeight;
  const QRect map(labelColumn + (width - needed) / 2, mapTop, p.width, p.height);

  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour(map_colours::frame));
  const Scale scale = scaleOf(p.pixels);
  drawCells(image, p, map, scale);

  QPainter painter(&image);
  painter.setPen(colour(map_colours::text));
  for (std::size_t i = 0; i < p.title.size(); ++i) {
    painter.setFont(font(i == 0 ? 14 : 12, i == 0));
    const QString line = text(p.title[i]);
    painter.drawText(QPointF(margin, margin + lineHeight * static_cast<double>(i) + 12),
                     sized ? painter.fontMetrics().elidedText(line, Qt::ElideRight, width - 2 * margin) : line);
  }

  const Projection pr{map, p.area, p.width / (p.area.east - p.area.west), p.height / (p.area.north - p.area.south)};
  painter.setClipRect(map);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(colour(map_colours::coastline), 1));
  for (const Polyline& line : coast.lines) drawLine(painter, pr, line);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setClipping(false);
  drawGraticule(painter, pr, p);
  painter.setClipRect(map);
  drawHourRays(painter, pr);
  drawInverseRaised(painter, p, map);
  drawReferencePoint(painter, pr);
  painter.setClipping(false);
  painter.setPen(colour(map_colours::text));
  painter.drawRect(map.adjusted(-1, -1, 0, 0));
  drawLegend(painter, p, scale, coast, map.bottom() + 24);
  painter.end();

  const auto number = [](double v) { return QString::number(v, 'g', 17); };
  image.setText(mapAreaKey, QString("%1 %2 %3 %4").arg(map.left()).arg(map.top()).arg(map.width()).arg(map.height()));
  image.setText(
      sweptAreaKey,
      QString("%1 %2 %3 %4").arg(number(p.area.west), number(p.area.east), number(p.area.south), number(p.area.north)));
  image.setText(differenceScaleKey, QString("%1 %2").arg(scale.low).arg(scale.high));
  // The PNG's own keywords for what the picture shows.
  QStringList description;
  for (const std::string& line : p.title) description << text(line);
  if (!description.isEmpty()) image.setText("Title", description.takeFirst());
  image.setText("Description", description.join('\n'));
  return image;
}

}  // namespace qvcode::map
