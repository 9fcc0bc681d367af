// algorit's elements written as the component's home platform writes values
// to its text files, one field for each element:
//
//   50  -33.5  1E+308   a number: the element is that number
//   "N"  "30"  ""       a quoted field: the text between the quotes ("30" is
//                       the text 30, "" the empty text); no escapes, so a
//                       text cannot hold a quote
//   (nothing)           Empty
//   #NULL#              Null
//   #TRUE#  #FALSE#     the Booleans
//   N  ten              anything else: the text as written, as the
//                       platform's own reader takes an unquoted word
//
// A number is what qv::decimalNumber reads whole ("inf" too), with an
// optional leading '+', as qvcode reads every number: below the smallest
// double a zero of its sign.  One beyond the largest stays text, so that the
// element's own conversion reports it in the order algorit reads them.
#pragma once

#include <stdexcept>
#include <string_view>
#include <vector>

#include "component/core/value.hpp"

namespace qv {

// A line whose fields cannot be told apart; the message says why.
class ElementNotationError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// One field, exactly as given (a command-line argument): blanks are part of
// an unquoted text.  Throws ElementNotationError for a quote that is not the
// field's first and last character.
Value readElement(std::string_view field);

// The fields of a line, separated by commas outside quotes, without the
// blanks and tabs around them; an empty line is one empty field.  Throws
// ElementNotationError for an unclosed quote.
std::vector<std::string_view> elementFields(std::string_view line);

// The elements of a line's fields.  Throws ElementNotationError for an
// unclosed quote or characters after a closing one.
std::vector<Value> readElementLine(std::string_view line);

// Whether a line begins with a keyword field (#NULL#, #TRUE#, #FALSE#), so
// that its '#' starts no comment.
bool startsWithKeyword(std::string_view line);

}  // namespace qv
