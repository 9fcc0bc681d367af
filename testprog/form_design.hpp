// The test form as designed, for any toolkit: every control, the window, the tab order, the decorations.
#pragma once
// Each control has its name, kind, design text, place, font and colours.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "sweep/settings.hpp"
#include "testprog/twips.hpp"

namespace qvpruef {

// Every control whose text, caption or state the logic reads or writes.
enum class Control : std::uint8_t {
  // input text boxes
  Bgradpos,
  Bgradneg,
  Bstep,
  Lgradpos,
  Lgradneg,
  Lstep,
  fehlersec,
  fonte,
  // command buttons
  pruefe,
  storeerrors,
  storeall,
  fim,
  // result labels
  metros,
  Label15,
  errors,
  caseslab,
  WGSin,
  QV,
  WGSbk,
  // case display fields
  Bgradin,
  nsin,
  Bminin,
  Bsekin,
  Lgradin,
  EWin,
  Lminin,
  Lsekin,
  Bgradbk,
  NSbk,
  Bminbk,
  Bsekbk,
  Lgradbk,
  EWbk,
  Lminbk,
  Lsekbk,
};
inline constexpr std::size_t controlCount = static_cast<std::size_t>(Control::Lsekbk) + 1;

enum class Kind : std::uint8_t { Box, Button, Label };

struct Rgb {
  std::uint8_t red, green, blue;
};
inline constexpr Rgb windowGrey{224, 224, 224};
inline constexpr Rgb darkRed{192, 0, 0};
inline constexpr Rgb yellow{255, 255, 0};

// The colours a control wears.  Plain: the style's own.  Caption: dark red
// text on the window's grey.  Yellow: a yellow background in the standard
// button style.
enum class Ink : std::uint8_t { Plain, Caption, Yellow };

struct ControlDesign {
  std::string_view name;  // the object name, e.g. "Bgradpos"
  Kind kind;
  // UTF-8; '&' marks the access key of a button.
  std::string_view text;
  Twips at;
  double points;  // font size; 0: the window's own font
  Ink ink;
  bool enabled = true;  // at start-up
};

namespace design_rows {

using enum Kind;
using enum Ink;
inline constexpr double kBox = 13.8;  // the bound, step and tolerance boxes

struct LogicRow {
  Control id;
  ControlDesign design;
};

// Row i is the control i of enum Control (checked where designText lives).
inline constexpr std::array<LogicRow, controlCount> logic = {{
    {Control::Bgradpos, {"Bgradpos", Box, qvsweep::design::latitudeFrom, {1200, 1800, 612, 492}, kBox, Plain}},
    {Control::Bgradneg, {"Bgradneg", Box, qvsweep::design::latitudeTo, {2400, 1800, 732, 468}, kBox, Plain}},
    {Control::Bstep, {"Bstep", Box, qvsweep::design::latitudeStep, {3600, 1800, 1212, 405}, kBox, Plain}},
    {Control::Lgradpos, {"Lgradpos", Box, qvsweep::design::longitudeFrom, {1200, 2520, 732, 468}, kBox, Plain}},
    {Control::Lgradneg, {"Lgradneg", Box, qvsweep::design::longitudeTo, {2400, 2520, 852, 444}, kBox, Plain}},
    {Control::Lstep, {"Lstep", Box, qvsweep::design::longitudeStep, {3600, 2520, 1212, 405}, kBox, Plain}},
    {Control::fehlersec, {"fehlersec", Box, qvsweep::design::tolerance, {6240, 1800, 1812, 405}, kBox, Plain}},
    // The path a Windows user sees; designText() moves it elsewhere.
    {Control::fonte, {"fonte", Box, "c:/QV_errorDetect.txt", {7200, 2640, 2052, 300}, 0, Plain}},
    {Control::pruefe, {"pruefe", Button, "&compare", {2640, 3480, 1692, 732}, 12, Plain}},
    // The store-errors mode is in force at start-up: its button is off.
    {Control::storeerrors, {"storeerrors", Button, "store ERROR cases", {5880, 3120, 1692, 372}, 0, Plain, false}},
    {Control::storeall, {"storeall", Button, "store ALL cases", {7800, 3120, 1452, 372}, 0, Plain}},
    {Control::fim, {"fim", Button, "&END", {8640, 480, 732, 420}, 12, Yellow}},
    {Control::metros, {"metros", Label, "m", {8160, 1800, 1452, 372}, 12, Caption}},
    {Control::Label15, {"Label15", Label, "store error", {5880, 2400, 1092, 372}, 9.6, Caption}},
    {Control::errors, {"errors", Label, "...", {5880, 3840, 1212, 492}, 24, Caption}},
    {Control::caseslab, {"caseslab", Label, "...", {7800, 3840, 1932, 492}, 24, Caption}},
    {Control::WGSin, {"WGSin", Label, "...", {960, 5280, 2412, 372}, 12, Plain}},
    {Control::QV, {"QV", Label, "...", {3480, 5520, 2532, 372}, 12, Plain}},
    {Control::WGSbk, {"WGSbk", Label, "...", {6120, 5280, 3132, 372}, 12, Plain}},
    // the sixteen fields of the first case
    {Control::Bgradin, {"Bgradin", Label, "...", {960, 5760, 372, 252}, 0, Plain}},
    {Control::nsin, {"nsin", Label, "...", {1560, 5760, 252, 252}, 0, Plain}},
    {Control::Bminin, {"Bminin", Label, "...", {1920, 5760, 372, 252}, 0, Plain}},
    {Control::Bsekin, {"Bsekin", Label, "...", {2400, 5760, 732, 252}, 0, Plain}},
    {Control::Lgradin, {"Lgradin", Label, "...", {960, 6120, 492, 252}, 0, Plain}},
    {Control::EWin, {"EWin", Label, "...", {1560, 6120, 252, 252}, 0, Plain}},
    {Control::Lminin, {"Lminin", Label, "...", {1920, 6120, 372, 252}, 0, Plain}},
    {Control::Lsekin, {"Lsekin", Label, "...", {2400, 6120, 732, 252}, 0, Plain}},
    {Control::Bgradbk, {"Bgradbk", Label, "...", {6120, 5760, 372, 252}, 0, Plain}},
    {Control::NSbk, {"NSbk", Label, "...", {6720, 5760, 252, 252}, 0, Plain}},
    {Control::Bminbk, {"Bminbk", Label, "...", {7080, 5760, 372, 252}, 0, Plain}},
    {Control::Bsekbk, {"Bsekbk", Label, "...", {7560, 5760, 612, 252}, 0, Plain}},
    {Control::Lgradbk, {"Lgradbk", Label, "...", {6120, 6120, 492, 252}, 0, Plain}},
    {Control::EWbk, {"EWbk", Label, "...", {6720, 6120, 252, 252}, 0, Plain}},
    {Control::Lminbk, {"Lminbk", Label, "...", {7080, 6120, 372, 252}, 0, Plain}},
    {Control::Lsekbk, {"Lsekbk", Label, "...", {7560, 6120, 612, 252}, 0, Plain}},
}};

// The labels whose captions never change: the logic never sees them.
inline constexpr std::array<ControlDesign, 24> fixed = {{
    {"Label9", Label, "Test programe", {240, 240, 2772, 612}, 13.8, Caption},
    {"Label11", Label, "WGS84   to   Quorvel\u00a9   to   WGS84", {240, 600, 6852, 492}, 18, Caption},
    {"Label1", Label, "max. difference", {6240, 1320, 1692, 372}, 12, Caption},
    {"Label13", Label, "SECONDS, decimal", {6240, 1560, 1572, 252}, 0, Caption},
    {"Label14", Label, "= meters", {8160, 1560, 732, 252}, 0, Caption},
    {"Label5", Label, "FROM", {1200, 1440, 732, 252}, 9.6, Caption},
    {"Label6", Label, "TO", {2400, 1440, 732, 252}, 9.6, Caption},
    {"Label4", Label, "STEP", {3600, 1440, 972, 252}, 9.6, Caption},
    {"Label12", Label, "MINUTES, decimal", {3600, 2280, 1452, 372}, 0, Caption},
    {"Label3", Label, "latitude", {240, 1920, 972, 252}, 0, Caption},
    {"Label2", Label, "longitude", {120, 2640, 972, 252}, 0, Caption},
    {"Label20", Label, "N", {840, 1800, 372, 372}, 13.8, Caption},
    {"Label21", Label, "E", {840, 2520, 372, 372}, 13.8, Caption},
    {"Label18", Label, "-", {3480, 1800, 372, 252}, 13.8, Plain},
    {"Label19", Label, "-", {3480, 2520, 372, 252}, 13.8, Plain},
    {"Label22", Label, "cases on file:", {5880, 2640, 1212, 252}, 9.6, Caption},
    {"Label8", Label, "errors", {5880, 3600, 732, 252}, 9.6, Caption},
    {"Label10", Label, "cases", {7800, 3600, 732, 252}, 9.6, Caption},
    {"Label16", Label, "Compare   WGS_in", {120, 3480, 2172, 732}, 12, Caption},
    {"Label17", Label, "with     WGS_back:", {360, 3840, 2172, 372}, 12, Caption},
    {"Label7", Label, "first case", {360, 4560, 1212, 492}, 13.8, Caption},
    {"Label24", Label, "WGS in", {960, 5040, 1332, 252}, 9.6, Caption},
    {"Label25", Label, "Quorvel\u00a9", {3480, 5280, 2052, 252}, 9.6, Caption},
    {"Label26", Label, "WGS back", {6120, 5040, 1572, 252}, 9.6, Caption},
}};

}  // namespace design_rows

// The design of a control the logic knows.
constexpr const ControlDesign& design(Control c) { return design_rows::logic[static_cast<std::size_t>(c)].design; }

// The object name of a control, e.g. "Bgradpos".
constexpr std::string_view controlName(Control c) { return design(c).name; }

// The text or caption a control has when the window opens.  The report path
// is "c:/QV_errorDetect.txt" on Windows and the same file name in the user's
// home folder elsewhere, where "c:/" names no writable place.
std::string designText(Control c);

// The fixed captions, in the order a window creates them (below the others).
inline constexpr const auto& fixedCaptions = design_rows::fixed;

struct WindowDesign {
  std::string_view caption;  // UTF-8
  int width, height;         // of the client area, in twips
  Rgb background;
  // Every control's font: this face at normal weight, at the control's
  // points or, with none given, at the window's own size.
  std::string_view fontFace;
  double points;
};
inline constexpr WindowDesign formWindow{"Quorvel\u00a9 test programe", 9960, 6636, windowGrey, "MS Sans Serif", 8.25};

// The controls that take the focus, in tab order; the first has the focus at
// start-up.
inline constexpr std::array<Control, 12> tabOrder = {
    Control::pruefe,   Control::fonte, Control::fehlersec, Control::Lgradneg, Control::Lgradpos,    Control::Bgradneg,
    Control::Bgradpos, Control::Bstep, Control::Lstep,     Control::fim,      Control::storeerrors, Control::storeall,
};

// Line1, under the title: from (x1, y) to (x2, y) in twips, `width` pixels
// thick with flat ends.
struct LineDesign {
  int x1, x2, y;
  int width;
  Rgb colour;
};
inline constexpr LineDesign line1{240, 6840, 1080, 3, darkRed};

// Shape1, the frame around the first case: an outline `width` pixels wide
// that lies inside its rectangle.
struct FrameDesign {
  Twips at;
  int width;
  Rgb colour;
};
inline constexpr FrameDesign shape1{{240, 4440, 9492, 2052}, 2, darkRed};

}  // namespace qvpruef
