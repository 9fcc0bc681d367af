// Reading a position as people write it: the marks and letters as tokens,
// then two coordinates of one of the three forms.

#include "conversion/position_reader.hpp"

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "conversion/detail/decimal_number.hpp"
#include "conversion/detail/float_text.hpp"
#include "conversion/detail/iso6709.hpp"
#include "conversion/printable_text.hpp"

namespace qv {
namespace {

enum class Kind { number, sign, degree, minute, second, colon, letter, comma, blank };

struct Token {
  Kind kind;
  std::string_view text;
};

struct Spelling {
  std::string_view text;
  Kind kind;
};

// The marks beyond ASCII, in UTF-8.
constexpr std::array wideSpellings = {
    Spelling{"\u00b0", Kind::degree}, Spelling{"\u00ba", Kind::degree}, Spelling{"\u2032", Kind::minute},
    Spelling{"\u2019", Kind::minute}, Spelling{"\u2033", Kind::second}, Spelling{"\u201d", Kind::second},
    Spelling{"\u2212", Kind::sign},   Spelling{"\u00a0", Kind::blank},
};

// The token that `s` starts with, other than a number; false for none.
bool mark(std::string_view s, Token& t) {
  std::size_t n = 1;
  switch (s.front()) {
    case ' ':
    case '\t': t.kind = Kind::blank; break;
    case ',': t.kind = Kind::comma; break;
    case ':': t.kind = Kind::colon; break;
    case '+':
    case '-': t.kind = Kind::sign; break;
    case 'd': t.kind = Kind::degree; break;
    case '"': t.kind = Kind::second; break;
    case '\'':
      // '' is the seconds' mark, ' the minutes'.
      n = s.starts_with("''") ? 2 : 1;
      t.kind = n == 2 ? Kind::second : Kind::minute;
      break;
    case 'N':
    case 'S':
    case 'E':
    case 'W': t.kind = Kind::letter; break;
    default:
      for (const Spelling& w : wideSpellings)
        if (s.starts_with(w.text)) {
          t = {w.kind, s.substr(0, w.text.size())};
          return true;
        }
      return false;
  }
  t.text = s.substr(0, n);
  return true;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Digits with at most one point, then an exponent only where digits follow
// it, so that "11.5E" is 11.5 east.
std::size_t numberLength(std::string_view s) {
  std::size_t i = 0, digits = 0;
  for (; i < s.size() && isDigit(s[i]); ++i) ++digits;
  if (i < s.size() && s[i] == '.')
    for (++i; i < s.size() && isDigit(s[i]); ++i) ++digits;
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && isDigit(s[j])) {
      while (j < s.size() && isDigit(s[j])) ++j;
      i = j;
    }
  }
  return i;
}

// The character at the start of `s`, whole even where it takes several bytes.
std::string_view firstCharacter(std::string_view s) {
  std::size_t n = 1;
  while (n < s.size() && (static_cast<unsigned char>(s[n]) & 0xc0) == 0x80) ++n;
  return s.substr(0, n);
}

// The shortest text that reads back as `v`.
std::string shortestText(double v) {
  char text[32];
  return std::string(text, writeShortest(text, text + sizeof text, v));
}

// `text` without blanks and tabs at its ends.
std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The commonest form, two decimal numbers such as "-33.87, 151.21", read
// without the tokens: what the reader would make of it, or nullopt for any
// other text (an exponent, a letter, a mark) and for numbers out of range,
// which the reader then takes with its reasons.
std::optional<double> plainNumber(std::string_view& s) {
  std::size_t i = s.starts_with('-') || s.starts_with('+') ? 1 : 0;
  const std::size_t digitsFrom = i;
  while (i < s.size() && isDigit(s[i])) ++i;
  if (i == digitsFrom) return std::nullopt;
  std::size_t point = i;
  if (i < s.size() && s[i] == '.') {
    const std::size_t decimalsFrom = ++i;
    while (i < s.size() && isDigit(s[i])) ++i;
    if (i == decimalsFrom) return std::nullopt;
  }
  const std::optional<double> v = unsignedDecimal(s.substr(digitsFrom, i - digitsFrom), point - digitsFrom);
  if (!v) return std::nullopt;
  const bool minus = s.front() == '-';
  s.remove_prefix(i);
  return minus ? -*v : *v;
}

std::optional<Position> plainPair(std::string_view s, CoordinateOrder order) {
  const std::optional<double> first = plainNumber(s);
  if (!first) return std::nullopt;
  const std::size_t blanks = s.find_first_not_of(" \t");
  if (blanks == std::string_view::npos) return std::nullopt;
  s.remove_prefix(blanks);
  if (s.starts_with(','))
    s.remove_prefix(std::min(s.size(), s.find_first_not_of(" \t", 1)));
  else if (blanks == 0)
    return std::nullopt;
  const std::optional<double> second = plainNumber(s);
  if (!second || !s.empty()) return std::nullopt;
  const bool lonFirst = order == CoordinateOrder::longitudeFirst;
  const double latitude = lonFirst ? *second : *first, longitude = lonFirst ? *first : *second;
  if (!(std::abs(latitude) <= 90) || !(std::abs(longitude) <= 180)) return std::nullopt;
  return Position{latitude, longitude};
}

class Reader {
 public:
  // `text` without blanks at its ends.
  explicit Reader(std::string_view text, CoordinateOrder order) : text_(text), order_(order) {}

  GivenPosition read(PositionRange range) {
    if (const std::optional<Position> iso = readIso6709(text_)) return {*iso, taken(*iso, range)};
    const Position given = read();
    return {given, taken(given, range)};
  }

 private:
  Position read() {
    tokenize();
    Coordinate first = coordinate();
    const std::size_t afterFirst = at_;
    skip(Kind::blank);
    if (peek(Kind::comma)) {
      ++at_;
      skip(Kind::blank);
    }
    if (at_ == count_) fail("it needs a latitude and a longitude");
    if (at_ == afterFirst) fail("a blank or a comma must stand between latitude and longitude");
    Coordinate second = coordinate();
    skip(Kind::blank);
    if (at_ != count_) fail("it has more than a latitude and a longitude");

    // The order said, unless letters on both say the other.
    if (order_ == CoordinateOrder::longitudeFirst) {
      if (!(first.letter && !isLongitude(first.letter) && isLongitude(second.letter))) std::swap(first, second);
    } else if (isLongitude(first.letter) && second.letter && !isLongitude(second.letter)) {
      std::swap(first, second);
    }
    check(first, second);
    return {value(first), value(second)};
  }

  // The position as the conversion is to take it; a latitude beyond the
  // poles said in the words of the text.
  Position taken(Position p, PositionRange range) const {
    if (range == PositionRange::asMeant && !(std::abs(p.latitude) <= 90))
      fail("its latitude " + shortestText(p.latitude) + " lies outside -90..90");
    return takePosition(p.latitude, p.longitude, range);
  }
  struct Coordinate {
    std::optional<char> letter;
    bool minus = false;
    std::array<std::string_view, 3> parts;  // degrees, minutes, seconds as written
    std::size_t count = 0;
    void add(std::string_view part) { parts[count++] = part; }
  };

  [[noreturn]] void fail(const std::string& reason) const {
    throw PositionError("'" + printableText(text_) + "' is not a position: " + reason);
  }

  void tokenize() {
    std::string_view rest = text_;
    while (!rest.empty()) {
      if (const std::size_t n = numberLength(rest)) {
        push({Kind::number, rest.substr(0, n)});
        rest.remove_prefix(n);
        continue;
      }
      Token t{};
      if (!mark(rest, t)) fail("'" + printableText(firstCharacter(rest)) + "' cannot be part of one");
      // Blanks in a row are one.
      if (t.kind != Kind::blank || count_ == 0 || tokens_[count_ - 1].kind != Kind::blank) push(t);
      rest.remove_prefix(t.text.size());
    }
    if (count_ == 0) fail("it is empty");
  }

  void push(const Token& t) {
    if (count_ == tokens_.size()) fail("it is too long for a latitude and a longitude");
    tokens_[count_++] = t;
  }

  bool peek(Kind k, std::size_t ahead = 0) const { return at_ + ahead < count_ && tokens_[at_ + ahead].kind == k; }
  void skip(Kind k) {
    while (peek(k)) ++at_;
  }
  // Whether the next tokens, blanks skipped, are a number and then `mark`;
  // moves past the blanks only when they are.
  bool nextIs(Kind mark) {
    std::size_t ahead = 0;
    while (peek(Kind::blank, ahead)) ++ahead;
    if (!peek(Kind::number, ahead) || !peek(mark, ahead + 1)) return false;
    at_ += ahead;
    return true;
  }
  std::string_view take() { return tokens_[at_++].text; }

  Coordinate coordinate() {
    Coordinate c;
    skip(Kind::blank);
    if (peek(Kind::letter)) {
      c.letter = take().front();
      skip(Kind::blank);
    }
    if (peek(Kind::sign)) {
      c.minus = take() != "+";
      if (!peek(Kind::number)) fail("a sign must stand right before its number");
    }
    if (!peek(Kind::number)) fail("a coordinate must start with its number");
    c.add(take());
    if (peek(Kind::colon)) {
      // 48:8 or 48:8:13, without blanks.
      while (peek(Kind::colon) && c.count < 3) {
        ++at_;
        if (!peek(Kind::number)) fail("a colon must stand between numbers");
        c.add(take());
      }
    } else if (peek(Kind::degree)) {
      ++at_;
      if (nextIs(Kind::minute)) {
        c.add(take());
        ++at_;
        if (nextIs(Kind::second)) {
          c.add(take());
          ++at_;
        }
      }
    }
    if (peek(Kind::minute) || peek(Kind::second) || peek(Kind::degree) || peek(Kind::colon) || nextIs(Kind::minute) ||
        nextIs(Kind::second))
      fail("its degrees, minutes and seconds must come in this order, each with its mark");
    // A letter after the number, unless one stands before it: then it begins
    // the other coordinate.  So does a letter that touches the next number
    // but not this one: "50 E10" and "-33 E151" are two coordinates.
    if (c.letter && peek(Kind::letter)) fail("it has two hemisphere letters on one coordinate");
    if (!c.letter) {
      std::size_t ahead = 0;
      while (peek(Kind::blank, ahead)) ++ahead;
      const bool startsNext = ahead > 0 && (peek(Kind::number, ahead + 1) || peek(Kind::sign, ahead + 1));
      if (peek(Kind::letter, ahead) && !startsNext) {
        at_ += ahead;
        c.letter = take().front();
      }
    }
    if (c.letter && c.minus) fail("a coordinate has both a sign and a hemisphere letter");
    return c;
  }

  static bool isLongitude(std::optional<char> letter) { return letter == 'E' || letter == 'W'; }

  void check(const Coordinate& latitude, const Coordinate& longitude) const {
    if (latitude.letter && longitude.letter && isLongitude(latitude.letter) == isLongitude(longitude.letter))
      fail(isLongitude(latitude.letter) ? "it has two longitudes (E or W on both)"
                                        : "it has two latitudes (N or S on both)");
    const bool lonFirst = order_ == CoordinateOrder::longitudeFirst;
    if (isLongitude(latitude.letter))
      fail(std::string("'") + *latitude.letter + "' marks a longitude, but the latitude comes " +
           (lonFirst ? "second" : "first") + " (with letters on both, either may)");
    if (longitude.letter && !isLongitude(longitude.letter))
      fail(std::string("'") + *longitude.letter + "' marks a latitude, but the longitude comes " +
           (lonFirst ? "first" : "second") + " (with letters on both, either may)");
  }

  double number(std::string_view text) const {
    const std::optional<double> v = decimalNumber(text);
    if (!v) fail("'" + std::string(text) + "' is not a number of degrees");
    return *v;
  }

  // (degrees + minutes/60) + seconds/3600: the order of the reference
  // point's own definition.
  double value(const Coordinate& c) const {
    constexpr std::array<std::string_view, 3> names = {"degrees", "minutes", "seconds"};
    std::array<double, 3> v{};
    for (std::size_t i = 0; i < c.count; ++i) {
      v[i] = number(c.parts[i]);
      if (i > 0 && !(v[i] < 60))
        fail("its " + std::string(names[i]) + " must be below 60, not " + std::string(c.parts[i]));
      if (i + 1 < c.count && v[i] != std::floor(v[i]))
        fail("only the last of degrees, minutes and seconds may have decimals");
    }
    double angle = v[0];
    if (c.count > 1) angle = angle + v[1] / 60;
    if (c.count > 2) angle = angle + v[2] / 3600;
    return c.minus || c.letter == 'S' || c.letter == 'W' ? -angle : angle;
  }

  std::string_view text_;
  CoordinateOrder order_;
  // The longest position, "N 48 ° 8 ′ 13.5 ″ , E 11 ° 34 ′ 31 ″", has 25.
  std::array<Token, 32> tokens_{};
  std::size_t count_ = 0;
  std::size_t at_ = 0;
};

}  // namespace

bool takeAsMeant(double& latitude, double& longitude) {
  if (!(std::abs(latitude) <= 90) || !std::isfinite(longitude)) return false;
  if (!(std::abs(longitude) <= 180)) {
    longitude = std::remainder(longitude, 360.0);
    if (longitude == -180) longitude = 180;
  }
  return true;
}

Position takePosition(double latitude, double longitude, PositionRange range) {
  if (range == PositionRange::asSweep || takeAsMeant(latitude, longitude)) return {latitude, longitude};
  if (!std::isfinite(latitude) || !std::isfinite(longitude)) {
    const bool lat = !std::isfinite(latitude);
    throw PositionError(std::string(lat ? "latitude " : "longitude ") + shortestText(lat ? latitude : longitude) +
                        " is not a finite number of degrees");
  }
  throw PositionError("latitude " + shortestText(latitude) + " lies outside -90..90");
}

namespace {

// The position that `text` would be as ISO 6709 without its blanks, where it
// starts with a sign and has blanks inside as that form with stray blanks
// would ("+0045 +00131"); nullopt for any other text.
std::optional<Position> iso6709WithoutBlanks(std::string_view text) {
  if (text.empty() || (text.front() != '+' && text.front() != '-') ||
      text.find_first_of(" \t") == std::string_view::npos)
    return std::nullopt;
  std::string joined;
  for (const char c : text)
    if (c != ' ' && c != '\t') joined += c;
  try {
    return readIso6709(joined);
  } catch (const PositionError&) {
    return std::nullopt;
  }
}

GivenPosition readAsWritten(std::string_view text, PositionRange range, CoordinateOrder order) {
  if (const std::optional<Position> plain = plainPair(text, order)) return {*plain, *plain};
  return Reader(text, order).read(range);
}

}  // namespace

GivenPosition readGivenPosition(std::string_view given, PositionRange range, CoordinateOrder order) {
  const std::string_view text = trimmed(given);
  const std::optional<Position> iso = iso6709WithoutBlanks(text);
  if (!iso) return readAsWritten(text, range, order);
  // Read as two signed numbers, such a text is another position than the
  // one its ISO 6709 form says ("+0045 +00131": 45, 131 against 0.75, 1.52):
  // taken only where both readings agree.
  try {
    const GivenPosition p = readAsWritten(text, range, order);
    if (p.given.latitude == iso->latitude && p.given.longitude == iso->longitude) return p;
  } catch (const PositionError&) {
  }
  throw PositionError("'" + printableText(text) +
                      "' is not a position: it reads as ISO 6709 with blanks inside, which that form does not "
                      "have; written without them it is " +
                      shortestText(iso->latitude) + " " + shortestText(iso->longitude));
}

}  // namespace qv
