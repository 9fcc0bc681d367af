// The room around the sweep's map in its picture: the title above it, the
// latitude labels left of it, the longitude labels and the legend below it.
#pragma once
//
// Shared by the drawing module, which lays the picture out, and by qvcode,
// which sizes the map area so that a picture of a size asked for comes out
// at exactly that size.  In pixels.

namespace qvcode::map_layout {

inline constexpr int margin = 16;
inline constexpr int labelColumn = 56;  // room for "48°30′N" left of the map
inline constexpr int lineHeight = 18;
inline constexpr int legendHeight = 8 * lineHeight + 12;  // six marks, then two lines
inline constexpr int barWidth = 300;
// The legend's width: its two ramps, and the marks and their texts beside them.
inline constexpr int legendWidth = barWidth + 520;
// The title's lines: what was swept, the inputs, the counts.
inline constexpr int titleLines = 3;

// The map's top edge, below a title of `lines` lines.
constexpr int mapTop(int lines) { return margin + lineHeight * lines + 8; }
// What the picture adds to the map's width: the labels left of it and a
// margin right of it.
inline constexpr int besideMap = labelColumn + margin + 8;
// What it adds to the map's height: the title above it, the labels and the
// legend below it.
inline constexpr int aroundMap = mapTop(titleLines) + 24 + legendHeight;

}  // namespace qvcode::map_layout
