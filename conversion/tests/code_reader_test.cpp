#include <gtest/gtest.h>

#include "code_reader.hpp"

namespace {

using qv::readCode;

TEST(CodeReader, ReadsTheCodeTextWithOrWithoutItsBlank) {
  const auto c = readCode(" m11:6.6 r236.8");
  EXPECT_EQ(c.stunde, 11);
  EXPECT_EQ(c.versatzkm, 6.6);
  EXPECT_EQ(c.distkm, 236.8);
  EXPECT_EQ(readCode("m11:6.6 r236.8").distkm, 236.8);
  const auto whole = readCode("m9:2537 r6536");
  EXPECT_EQ(whole.stunde, 9);
  EXPECT_EQ(whole.versatzkm, 2537);
  EXPECT_EQ(whole.distkm, 6536);
}

TEST(CodeReader, OffsetsWithinTextRoundingAreBroughtToTheSphere) {
  const auto c = readCode("m5:1027.6 r2016.5");
  EXPECT_LE(c.versatzkm, qv::maxOffsetKm(2016.5));
  EXPECT_NEAR(c.versatzkm, 1027.6, 0.5);
}

void expectRejected(const char* code, const char* field) {
  try {
    readCode(code);
    ADD_FAILURE() << code << " was accepted";
  } catch (const qv::CodeFormatError& e) {
    EXPECT_NE(std::string(e.what()).find(field), std::string::npos) << code << ": " << e.what();
  }
}

TEST(CodeReader, RejectsMalformedCodesNamingTheField) {
  expectRejected("11:6.6 r236.8", "'m'");
  expectRejected("m13:6.6 r236.8", "hour");
  expectRejected("m0:6.6 r236.8", "hour");
  expectRejected("m:6.6 r236.8", "hour");
  expectRejected("m11 6.6 r236.8", "':'");
  expectRejected("m11:6.6 236.8", "' r'");
  expectRejected("m11:x r236.8", "offset");
  expectRejected("m11:6.6 r", "distance");
  expectRejected("m11:6.6 r20012.5", "distance");
  expectRejected("m11:300 r236.8", "offset");
  expectRejected("m11:6.6 r236.8 x", "after the distance");
}

}  // namespace
