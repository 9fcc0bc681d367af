// algorit's elements in the text-file notation: every kind of field, alone
// and in lines, and the lines that cannot be split into fields.

#include "component/core/element_notation.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

// A value as a short text: 50 "N" Empty Null True False.
std::string shown(const Value& v) {
  struct Show {
    std::string operator()(Empty) const { return "Empty"; }
    std::string operator()(Null) const { return "Null"; }
    std::string operator()(bool b) const { return b ? "True" : "False"; }
    std::string operator()(double d) const { return std::to_string(d); }
    std::string operator()(const std::string& s) const { return '"' + s + '"'; }
    std::string operator()(Unsupported) const { return "Unsupported"; }
  };
  return std::visit(Show{}, v);
}

std::string shown(const std::vector<Value>& values) {
  std::string s;
  for (const Value& v : values) s += (s.empty() ? "" : " ") + shown(v);
  return s;
}

TEST(ElementNotation, LinesReadAsTheKindsTheyWrite) {
  const struct {
    const char* line;
    const char* values;
  } cases[] = {
      {R"(50,0,0,10,0,0,"N","E")", R"(50.000000 0.000000 0.000000 10.000000 0.000000 0.000000 "N" "E")"},
      // A quoted number is text, the empty quotes the empty text, nothing Empty.
      {R"("30",,"",#NULL#,#TRUE#,#FALSE#)", R"("30" Empty "" Null True False)"},
      // Blanks around fields go; inside quotes they stay; a comma inside quotes is text.
      {R"( -33.5 , "S " ,	+1E1 ,"a,b")", R"(-33.500000 "S " 10.000000 "a,b")"},
      // Other words are their text: a lower-case keyword, a number with a
      // unit, one beyond the double range.  What from_chars reads is a number.
      {"N,ten,#null#,10 E,1e400,inf", R"("N" "ten" "#null#" "10 E" "1e400" inf)"},
      {"", "Empty"},
      {",", "Empty Empty"},
  };
  for (const auto& c : cases) EXPECT_EQ(shown(readElementLine(c.line)), c.values) << c.line;
}

TEST(ElementNotation, OneArgumentIsOneFieldAsGiven) {
  EXPECT_EQ(shown(readElement(" S")), R"(" S")");
  EXPECT_EQ(shown(readElement("")), "Empty");
  EXPECT_EQ(shown(readElement("\"\"")), R"("")");
  EXPECT_EQ(shown(readElement("#TRUE#")), "True");
  EXPECT_EQ(shown(readElement("+.5")), "0.500000");
}

TEST(ElementNotation, QuotesThatDoNotEncloseAFieldAreRefused) {
  const struct {
    const char* line;
    const char* reason;
  } cases[] = {
      {R"(50,"N)", "a quote is not closed"},
      {R"(50,"N"x,E)", "the field \"N\"x must be one text in quotes"},
      {R"(50,1"2,E)", "the field 1\"2 has a quote inside it"},
      {R"("a"b")", "the field \"a\"b\" must be one text in quotes"},
  };
  for (const auto& c : cases) {
    try {
      readElementLine(c.line);
      ADD_FAILURE() << c.line;
    } catch (const ElementNotationError& e) {
      EXPECT_STREQ(e.what(), c.reason) << c.line;
    }
  }
}

TEST(ElementNotation, OnlyAKeywordFieldAtTheStartIsNoComment) {
  for (const char* line : {"#NULL#,0", " #TRUE# ,0", "#FALSE#"}) EXPECT_TRUE(startsWithKeyword(line)) << line;
  for (const char* line : {"# NULL", "#NULL#x,0", "#TRUE", "50,#NULL#"}) EXPECT_FALSE(startsWithKeyword(line)) << line;
}

}  // namespace
}  // namespace qv
