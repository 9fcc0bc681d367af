// Reading a position as people write it: a latitude and a longitude in
// decimal degrees or in degrees, minutes and seconds, with a sign or a
// hemisphere letter.
//
//   50 10                    decimal degrees, north and east positive
//   -33.87, 151.21           a comma or blanks between the two
//   33.87S 151.21E           N, S, E, W after the number ...
//   S 33.87 E 151.21         ... or before it, with or without a blank
//   48°8′13″N 11°34′31″E     degrees, minutes, seconds: ° or º, ′ ’ or ',
//   48d8'13"N, 11d34'31"E    ″ ” " or '' as marks, blanks between the parts
//   48:8:13 11:34:31         or colons; minutes or seconds may be left off
//   -48:8:13.5 11°34.5′      and the last part may have decimals
//   +4808.2+01134.5/         ISO 6709 as place tables store it (iso6709.hpp)
//
// With a letter on both, the longitude may come first; CoordinateOrder::
// longitudeFirst reads the longitude first where no letters say otherwise
// ("151.21 -33.87", as GIS tools write x before y); ISO 6709 keeps its own
// order, latitude first.  A letter between two
// numbers belongs to the one it touches ("50 E10" is 50, E10), and to the one
// before it when it touches neither or both.  A sign is one "+", "-" or "−"
// right before the number, never beside a letter.  A coordinate is
// (degrees + minutes/60) + seconds/3600, negated for a minus sign, S or W, so
// that 48°8′13″ is the reference latitude to the last bit.
//
// Ranges: minutes and seconds lie in [0, 60).  Degrees are taken as a person
// means them: a latitude outside −90..90 is refused, and a longitude outside
// −180..180 is reduced by whole turns into (−180, 180] (350 is −10, exactly);
// values inside stay as written, for the forward conversion's own input
// adjustment.  PositionRange::asSweep takes every number as written, as the
// test window's sweep hands its grid to the conversion.  Numbers
// are read in full as decimalNumber reads them: a magnitude below the
// smallest double is a zero of its sign, one beyond the largest raises the
// run-time error Overflow (qv::RuntimeError).
//
// Errors: PositionError, whose message quotes the text and says why, for
// other characters, one or three coordinates, two latitudes or two
// longitudes, a letter that does not fit its place, a sign and a letter on
// one coordinate, minutes or seconds of 60 or more or before a part with
// decimals, marks out of order, an empty text.  Control bytes of the text
// stand escaped in the message (printable_text.hpp).
#pragma once

#include <stdexcept>
#include <string_view>

#include "conversion/position.hpp"

namespace qv {

enum class PositionRange { asMeant, asSweep };
// Which coordinate a text without hemisphere letters on both gives first.
enum class CoordinateOrder { latitudeFirst, longitudeFirst };

// The position that the conversion is to take for two numbers.  asMeant, the
// rule of every edge that takes numbers from people: a latitude that is not
// within -90..90 or a number that is not finite raises PositionError (the
// message names the number), and a longitude outside -180..180 is reduced by
// whole turns into (-180, 180] (350 is -10, exactly).  asSweep takes both as
// they are, as the sweep hands its grid to the conversion; the forward
// conversion's own input adjustment follows in either case.
Position takePosition(double latitude, double longitude, PositionRange range = PositionRange::asMeant);
// takePosition's asMeant rule in place, without its error: false (and the
// numbers untouched) where takePosition would raise.
bool takeAsMeant(double& latitude, double& longitude);

// The position as written and the one the conversion is to take.
struct GivenPosition {
  Position given, used;
};

GivenPosition readGivenPosition(std::string_view text, PositionRange range = PositionRange::asMeant,
                                CoordinateOrder order = CoordinateOrder::latitudeFirst);

inline Position readPosition(std::string_view text, PositionRange range = PositionRange::asMeant) {
  return readGivenPosition(text, range).used;
}

}  // namespace qv
