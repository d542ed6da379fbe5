#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "framework/IParam.h"

namespace {

std::string Display(const IParam& param, double value, bool normalized = false) {
  char text[MAX_PARAM_DISPLAY_LEN];
  param.GetDisplayForHost(value, normalized, text);
  return text;
}

TEST(IParam, PrecisionComesFromTheStep) {
  struct Case {
    double step;
    int precision;
    const char* half;
  };
  const Case cases[] = {
      {1.0, 0, "0"},         {0.1, 1, "0.5"},    {0.2, 1, "0.5"},
      {0.25, 2, "0.50"},     {0.001, 3, "0.500"}, {1.0 / 3.0, 6, "0.500000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    IParam param;
    param.InitDouble("p", 0.5, 0.0, 1.0, c.step);
    EXPECT_EQ(param.GetPrecision(), c.precision);
    EXPECT_EQ(Display(param, 0.5), c.half);
  }
}

TEST(IParam, InitialisersSetTypeRangeAndDefault) {
  IParam d;
  d.InitDouble("d", 0.2, 0.0, 0.05, 0.1, "Hz", "grp");
  EXPECT_EQ(d.Type(), IParam::kTypeDouble);
  EXPECT_DOUBLE_EQ(d.GetMax(), 0.1) << "maximum raised to minimum + step";
  EXPECT_EQ(d.Value(), 0.2);
  EXPECT_EQ(d.GetDefault(), 0.2);
  EXPECT_STREQ(d.GetLabelForHost(), "Hz");
  EXPECT_STREQ(d.GetParamGroupForHost(), "grp");

  IParam i;
  i.InitInt("i", 3, 5, 2);
  EXPECT_EQ(i.Type(), IParam::kTypeInt);
  EXPECT_EQ(i.GetMin(), 5.0);
  EXPECT_EQ(i.GetMax(), 6.0);

  IParam e;
  e.InitEnum("e", 0, 1);
  EXPECT_EQ(e.Type(), IParam::kTypeEnum);
  EXPECT_EQ(e.GetMax(), 1.0);
  IParam e4;
  e4.InitEnum("e", 2, 4);
  EXPECT_EQ(e4.GetMax(), 3.0);
  EXPECT_EQ(e4.Value(), 2.0);

  // A type fixed first survives a more general initialiser.
  IParam fixed;
  fixed.InitEnum("f", 0, 3);
  fixed.InitDouble("f", 0.0, 0.0, 2.0, 1.0);
  EXPECT_EQ(fixed.Type(), IParam::kTypeEnum);
}

TEST(IParam, BoolShowsOffAndOnWithoutLabel) {
  IParam b;
  b.InitBool("b", true, "dB");
  EXPECT_EQ(b.Type(), IParam::kTypeBool);
  EXPECT_EQ(b.Value(), 1.0);
  EXPECT_EQ(b.GetNDisplayTexts(), 2);
  EXPECT_EQ(Display(b, 0.0), "off");
  EXPECT_EQ(Display(b, 1.0), "on");
  EXPECT_STREQ(b.GetLabelForHost(), "");
  b.Set(0.0);
  EXPECT_STREQ(b.GetLabelForHost(), "");
  int value = -1;
  EXPECT_TRUE(b.MapDisplayText("on", &value));
  EXPECT_EQ(value, 1);
  value = -1;
  EXPECT_FALSE(b.MapDisplayText("maybe", &value));
  EXPECT_EQ(value, -1);
}

TEST(IParam, NormalisedMappingWithStepsAndShape) {
  IParam i;
  i.InitInt("i", 0, 0, 10);
  i.SetNormalized(1.0);
  EXPECT_EQ(i.Value(), 10.0);
  i.SetNormalized(0.55);
  EXPECT_EQ(i.Value(), 6.0) << "5.5 rounds up";

  IParam shaped;
  shaped.InitDouble("s", 0.0, 0.0, 1.0, 0.001);
  shaped.SetShape(4.0);
  shaped.SetNormalized(0.5);
  EXPECT_DOUBLE_EQ(shaped.Value(), 0.0625);
  EXPECT_DOUBLE_EQ(shaped.GetNormalized(), 0.5);
  shaped.SetShape(0.0);
  EXPECT_EQ(shaped.GetShape(), 4.0);
  EXPECT_EQ(Display(shaped, 0.5, true), "0.062") << "normalised display applies the shape";

  IParam plain;
  plain.InitDouble("p", 0.0, 0.0, 1.0, 0.001);
  EXPECT_EQ(plain.GetNormalized(-3.0), 0.0);
  EXPECT_EQ(plain.GetNormalized(7.0), 1.0);
  plain.SetNormalized(1.5);
  EXPECT_EQ(plain.Value(), 1.0) << "upper clamp";
}

TEST(IParam, RefusesWhatIsNotANumberAndClampsTheRestToTheRange) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double given;
    bool taken;
    double plain, normalized;  // stored by Set and by SetNormalized
  } cases[] = {
      {std::nan(""), false, 3.0, 3.0}, {inf, false, 3.0, 3.0}, {-inf, false, 3.0, 3.0},
      {12.0, true, 10.0, 10.0},        {-0.5, true, 2.0, 2.0},  {1.5, true, 2.0, 10.0},
  };
  for (const auto& c : cases) {
    IParam p;
    p.InitDouble("p", 3.0, 2.0, 10.0, 0.001);
    // A fractional power of a negative position would be no number at all.
    p.SetShape(0.5);
    EXPECT_EQ(p.Set(c.given), c.taken) << c.given;
    EXPECT_EQ(p.Value(), c.plain) << c.given;
    p.Set(3.0);
    EXPECT_EQ(p.SetNormalized(c.given), c.taken) << c.given;
    EXPECT_EQ(p.Value(), c.normalized) << c.given;
  }
}

TEST(IParam, DisplayTextsAndNegation) {
  IParam p;
  p.InitInt("wave", 0, 0, 3, "st");
  p.SetDisplayText(1, "saw");
  p.SetDisplayText(2, "");
  EXPECT_EQ(Display(p, 1.9), "saw") << "truncated toward zero";
  EXPECT_EQ(Display(p, 2.0), "2") << "empty text falls back to the number";
  p.Set(2.0);
  EXPECT_STREQ(p.GetLabelForHost(), "st");
  p.Set(1.0);
  EXPECT_STREQ(p.GetLabelForHost(), "");

  int value = 42;
  EXPECT_STREQ(p.GetDisplayTextAtIdx(0, &value), "saw");
  EXPECT_EQ(value, 1);
  value = 42;
  EXPECT_STREQ(p.GetDisplayTextAtIdx(2, &value), "");
  EXPECT_STREQ(p.GetDisplayTextAtIdx(-1, &value), "");
  EXPECT_EQ(value, 42);
  EXPECT_STREQ(p.GetDisplayText(3), "");

  IParam n;
  n.InitDouble("n", 0.0, -10.0, 10.0, 0.5);
  n.NegateDisplay();
  EXPECT_EQ(Display(n, 2.5), "-2.5");
}

TEST(IParam, LongTextsAreCutToTheirFields) {
  const std::string longText(100, 'x');
  IParam p;
  p.InitDouble(longText.c_str(), 0.0, 0.0, 1.0, 1.0, longText.c_str(), longText.c_str());
  p.SetDisplayText(0, longText.c_str());
  const std::string cut(MAX_PARAM_NAME_LEN - 1, 'x');
  EXPECT_EQ(p.GetNameForHost(), cut);
  EXPECT_EQ(std::string(p.GetParamGroupForHost()), cut);
  EXPECT_EQ(std::string(p.GetDisplayText(0)), cut);
  p.Set(1.0);
  EXPECT_EQ(std::string(p.GetLabelForHost()), cut);
}

TEST(IParam, HugeValuesDisplayWithinTheBuffer) {
  IParam p;
  p.InitDouble("p", 0.0, -1e300, 1e300, 0.001);
  EXPECT_EQ(Display(p, 1e300).size(), static_cast<size_t>(MAX_PARAM_DISPLAY_LEN - 1));
  IParam whole;
  whole.InitDouble("w", 0.0, -1e300, 1e300, 1.0);
  EXPECT_EQ(Display(whole, -1e300), "-2147483648");
}

TEST(IParam, DecibelsToAmplitude) {
  IParam p;
  p.InitDouble("gain", 0.0, -60.0, 12.0, 0.1);
  p.Set(-6.0);
  EXPECT_NEAR(p.DBToAmp(), 0.501187, 1e-6);
  double lo, hi;
  p.GetBounds(&lo, &hi);
  EXPECT_EQ(lo, -60.0);
  EXPECT_EQ(hi, 12.0);
}

}  // namespace
