#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "TestFiles.h"
#include "foundation/RealFormat.h"

namespace brio {
namespace {

using test::SeparatorScope;


TEST(FormatReal, KeepsAtMostFourSignificantDigitsAndDropsTrailingZeros) {
    SeparatorScope point('.');
    EXPECT_EQ(formatReal(1), "1");
    EXPECT_EQ(formatReal(0.8), "0.8");
    EXPECT_EQ(formatReal(0.65), "0.65");
    EXPECT_EQ(formatReal(120), "120");
    EXPECT_EQ(formatReal(123.45), "123.5");
    EXPECT_EQ(formatReal(0.123456), "0.1235");
    EXPECT_EQ(formatReal(2.5), "2.5");
    EXPECT_EQ(formatReal(12.345), "12.35");
    EXPECT_EQ(formatReal(1.23456), "1.235");
    EXPECT_EQ(formatReal(0.0123456), "0.01235");
    EXPECT_EQ(formatReal(0.05), "0.05");
}

TEST(FormatReal, ZeroAndNegativeNumbers) {
    SeparatorScope point('.');
    EXPECT_EQ(formatReal(0), "0");
    EXPECT_EQ(formatReal(-0.0), "0");
    EXPECT_EQ(formatReal(-0.5), "-0.5");
    EXPECT_EQ(formatReal(-1234), "-1.234e+3");
}

TEST(FormatReal, LargeAndTinyMagnitudesAreScientific) {
    SeparatorScope point('.');
    EXPECT_EQ(formatReal(1234), "1.234e+3");
    EXPECT_EQ(formatReal(1000), "1e+3");
    EXPECT_EQ(formatReal(0.001), "1e-3");
    EXPECT_EQ(formatReal(0.0012346), "1.235e-3");
    EXPECT_EQ(formatReal(6.02e23), "6.02e+23");
    EXPECT_EQ(formatReal(1e-300), "1e-300");
    EXPECT_EQ(formatReal(1e300), "1e+300");
    EXPECT_EQ(formatReal(99999), "1e+5");
}

TEST(FormatReal, MagnitudeBoundariesAreComparedInSinglePrecision) {
    SeparatorScope point('.');
    EXPECT_EQ(formatReal(0.009999999), "0.01");  // lowest fixed magnitude
    EXPECT_EQ(formatReal(0.0099), "9.9e-3");
    EXPECT_EQ(formatReal(999.99999999), "1e+3");  // rounds to 1000 as a float
    EXPECT_EQ(formatReal(999.94), "999.9");
    EXPECT_EQ(formatReal(999.96), "1000");  // fixed, then rounded up
    EXPECT_EQ(formatReal(9.99999999999), "10");
}

TEST(FormatReal, UsesTheCommaWhenThatIsTheSeparator) {
    SeparatorScope comma(',');
    EXPECT_EQ(formatReal(0.65), "0,65");
    EXPECT_EQ(formatReal(1234), "1,234e+3");
    EXPECT_EQ(formatReal(120), "120");
}

TEST(ParseReal, ReadsEitherSeparatorUnderAPointLocale) {
    SeparatorScope point('.');
    EXPECT_DOUBLE_EQ(parseReal("0.65"), 0.65);
    EXPECT_DOUBLE_EQ(parseReal("0,65"), 0.65);
    EXPECT_DOUBLE_EQ(parseReal(" -2,5e+3 "), -2500);
    EXPECT_DOUBLE_EQ(parseReal("1,234e+3"), 1234);
}

TEST(ParseReal, ReadsEitherSeparatorUnderACommaLocale) {
    SeparatorScope comma(',');
    EXPECT_DOUBLE_EQ(parseReal("0,65"), 0.65);
    EXPECT_DOUBLE_EQ(parseReal("0.65"), 0.65);
    EXPECT_DOUBLE_EQ(parseReal("1e-3"), 0.001);
}

TEST(ParseReal, AcceptsTheUsualNumberShapes) {
    SeparatorScope point('.');
    EXPECT_DOUBLE_EQ(parseReal("7"), 7);
    EXPECT_DOUBLE_EQ(parseReal("+7"), 7);
    EXPECT_DOUBLE_EQ(parseReal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(parseReal("5."), 5);
    EXPECT_DOUBLE_EQ(parseReal("\t3E2\r"), 300);
    EXPECT_DOUBLE_EQ(parseReal("-0"), 0);
    EXPECT_DOUBLE_EQ(parseReal("1e-310"), 1e-310);
}

TEST(ParseReal, AnythingElseReadsAsOne) {
    SeparatorScope point('.');
    for (const char* text :
         {"word", "", "  ", ".", "-", "1.2.3", "1,2,3", "1.5x", "x1.5", "1e", "1e+", "- 1", "1 2",
          "inf", "nan", "0x10", "1e999", "1e-999", "1,5.5"}) {
        EXPECT_EQ(parseReal(text), 1.0) << '"' << text << '"';
    }
}

TEST(ParseReal, FormattedValuesReadBackUnderBothSeparators) {
    for (char separator : {'.', ','}) {
        SeparatorScope scope(separator);
        for (double value : {0.65, -0.5, 120.0, 123.5, 0.1235, 1.234e3, 1e-3, -7.5e-7}) {
            EXPECT_DOUBLE_EQ(parseReal(formatReal(value)), value) << separator;
        }
    }
}

}  // namespace
}  // namespace brio
