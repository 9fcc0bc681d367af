#include "form_layout.hpp"

#include <array>

namespace qvpruef::window {
namespace {

constexpr double kBox = 13.8;  // the bound, step and tolerance boxes
using enum Kind;
using enum Ink;

// In the order of enum Control.
constexpr std::array<Placement, controlCount> placements = {{
    {Box, {1200, 1800, 612, 492}, kBox, Plain},     // Bgradpos
    {Box, {2400, 1800, 732, 468}, kBox, Plain},     // Bgradneg
    {Box, {3600, 1800, 1212, 405}, kBox, Plain},    // Bstep
    {Box, {1200, 2520, 732, 468}, kBox, Plain},     // Lgradpos
    {Box, {2400, 2520, 852, 444}, kBox, Plain},     // Lgradneg
    {Box, {3600, 2520, 1212, 405}, kBox, Plain},    // Lstep
    {Box, {6240, 1800, 1812, 405}, kBox, Plain},    // fehlersec
    {Box, {7200, 2640, 2052, 300}, 0, Plain},       // fonte
    {Button, {2640, 3480, 1692, 732}, 12, Plain},   // pruefe
    {Button, {5880, 3120, 1692, 372}, 0, Plain},    // storeerrors
    {Button, {7800, 3120, 1452, 372}, 0, Plain},    // storeall
    {Button, {8640, 480, 732, 420}, 12, Plain},     // fim
    {Label, {8160, 1800, 1452, 372}, 12, Caption},  // metros
    {Label, {5880, 2400, 1092, 372}, 9.6, Caption}, // Label15
    {Label, {5880, 3840, 1212, 492}, 24, Caption},  // errors
    {Label, {7800, 3840, 1932, 492}, 24, Caption},  // caseslab
    {Label, {960, 5280, 2412, 372}, 12, Plain},     // WGSin
    {Label, {3480, 5520, 2532, 372}, 12, Plain},    // QV
    {Label, {6120, 5280, 3132, 372}, 12, Plain},    // WGSbk
    // the sixteen fields of the first case
    {Label, {960, 5760, 372, 252}, 0, Plain},   // Bgradin
    {Label, {1560, 5760, 252, 252}, 0, Plain},  // nsin
    {Label, {1920, 5760, 372, 252}, 0, Plain},  // Bminin
    {Label, {2400, 5760, 732, 252}, 0, Plain},  // Bsekin
    {Label, {960, 6120, 492, 252}, 0, Plain},   // Lgradin
    {Label, {1560, 6120, 252, 252}, 0, Plain},  // EWin
    {Label, {1920, 6120, 372, 252}, 0, Plain},  // Lminin
    {Label, {2400, 6120, 732, 252}, 0, Plain},  // Lsekin
    {Label, {6120, 5760, 372, 252}, 0, Plain},  // Bgradbk
    {Label, {6720, 5760, 252, 252}, 0, Plain},  // NSbk
    {Label, {7080, 5760, 372, 252}, 0, Plain},  // Bminbk
    {Label, {7560, 5760, 612, 252}, 0, Plain},  // Bsekbk
    {Label, {6120, 6120, 492, 252}, 0, Plain},  // Lgradbk
    {Label, {6720, 6120, 252, 252}, 0, Plain},  // EWbk
    {Label, {7080, 6120, 372, 252}, 0, Plain},  // Lminbk
    {Label, {7560, 6120, 612, 252}, 0, Plain},  // Lsekbk
}};

constexpr std::array<FixedCaption, 24> captions = {{
    {"Label9", "Test programe", {240, 240, 2772, 612}, 13.8, Caption},
    {"Label11", "WGS84   to   Quorvel\u00a9   to   WGS84", {240, 600, 6852, 492}, 18, Caption},
    {"Label1", "max. difference", {6240, 1320, 1692, 372}, 12, Caption},
    {"Label13", "SECONDS, decimal", {6240, 1560, 1572, 252}, 0, Caption},
    {"Label14", "= meters", {8160, 1560, 732, 252}, 0, Caption},
    {"Label5", "FROM", {1200, 1440, 732, 252}, 9.6, Caption},
    {"Label6", "TO", {2400, 1440, 732, 252}, 9.6, Caption},
    {"Label4", "STEP", {3600, 1440, 972, 252}, 9.6, Caption},
    {"Label12", "MINUTES, decimal", {3600, 2280, 1452, 372}, 0, Caption},
    {"Label3", "latitude", {240, 1920, 972, 252}, 0, Caption},
    {"Label2", "longitude", {120, 2640, 972, 252}, 0, Caption},
    {"Label20", "N", {840, 1800, 372, 372}, 13.8, Caption},
    {"Label21", "E", {840, 2520, 372, 372}, 13.8, Caption},
    {"Label18", "-", {3480, 1800, 372, 252}, 13.8, Plain},
    {"Label19", "-", {3480, 2520, 372, 252}, 13.8, Plain},
    {"Label22", "cases on file:", {5880, 2640, 1212, 252}, 9.6, Caption},
    {"Label8", "errors", {5880, 3600, 732, 252}, 9.6, Caption},
    {"Label10", "cases", {7800, 3600, 732, 252}, 9.6, Caption},
    {"Label16", "Compare   WGS_in", {120, 3480, 2172, 732}, 12, Caption},
    {"Label17", "with     WGS_back:", {360, 3840, 2172, 372}, 12, Caption},
    {"Label7", "first case", {360, 4560, 1212, 492}, 13.8, Caption},
    {"Label24", "WGS in", {960, 5040, 1332, 252}, 9.6, Caption},
    {"Label25", "Quorvel\u00a9", {3480, 5280, 2052, 252}, 9.6, Caption},
    {"Label26", "WGS back", {6120, 5040, 1572, 252}, 9.6, Caption},
}};

constexpr std::array<Control, 12> tabs = {
    Control::pruefe,   Control::fonte,    Control::fehlersec, Control::Lgradneg,
    Control::Lgradpos, Control::Bgradneg, Control::Bgradpos,  Control::Bstep,
    Control::Lstep,    Control::fim,      Control::storeerrors, Control::storeall,
};

}  // namespace

QRect toPixels(Twips t) {
  return {toPixels(t.left), toPixels(t.top), toPixels(t.width), toPixels(t.height)};
}

const Placement& placement(Control c) { return placements[static_cast<std::size_t>(c)]; }

std::span<const FixedCaption> fixedCaptions() { return captions; }

std::span<const Control> tabOrder() { return tabs; }

}  // namespace qvpruef::window
