#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "graphics/BitmapControls.h"
#include "instrument/ThudrokkaButtons.h"
#include "lice/LICE_SysBitmap.h"
#include "tests/instrument/SectionsFixture.h"
#include "tests/support/PngWriter.h"

namespace {

using namespace Quillvane::Synth;

using VoiceSections = SectionsTest;

// Titles and read-outs where the sections put them; the FM and transpose
// texts are centred on knob images 40 and 50 pixels wide.
TEST_F(VoiceSections, TextsAndPlaceholders) {
  const struct {
    IRECT rect;
    const char* text;
  } texts[] = {
      {IRECT(623, 514, 683, 543), "Unison\nVoices"},    {IRECT(623, 594, 683, 610), "voices"},
      {IRECT(673, 514, 733, 543), "Unison\nDetune"},    {IRECT(573, 514, 633, 543), "FM\ncarrier"},
      {IRECT(483, 512, 573, 528), "Global Transpose"},  {IRECT(483, 579, 573, 595), "Note Base Freq."},
      {IRECT(483, 594, 573, 610), "0.0 Hz (-)"},        {IRECT(623, 633, 683, 649), "Bass-Layer"},
  };
  Redraw();
  for (const auto& t : texts) {
    ITextControl* text = At<ITextControl>(t.rect);
    ASSERT_NE(text, nullptr) << t.text;
    EXPECT_STREQ(text->GetTextString(), t.text);
    EXPECT_EQ(text->ParamIdx(), -1) << t.text;
    EXPECT_EQ(text->GetText()->mAlign, IText::kAlignCenter) << t.text;
  }
  EXPECT_EQ(At<ITextControl>(IRECT(623, 594, 683, 610)), plug.mUnisonVoicesText);
  EXPECT_EQ(At<ITextControl>(IRECT(483, 594, 573, 610)), plug.mNoteInfoText);
}

TEST_F(VoiceSections, CaptionsShowTheirParametersInTheirFormats) {
  const struct {
    IRECT rect;
    int param;
    double value;
    const char* text;
  } captions[] = {
      {IRECT(673, 594, 733, 610), UnisonDetune, 0.125, "0.125 "},
      {IRECT(673, 594, 733, 610), UnisonDetune, 1.0, "1.000 "},
      {IRECT(573, 594, 633, 610), FmAmount, 0.0, "0.000 "},
      {IRECT(573, 594, 633, 610), FmAmount, 0.5, "0.500 "},
      {IRECT(623, 688, 683, 704), BassLayerAmount, 0.0, "-oodB"},
      {IRECT(623, 688, 683, 704), BassLayerAmount, 1.0, "0.0dB"},
      {IRECT(623, 688, 683, 704), BassLayerAmount, 0.5, "-6.0dB"},
  };
  for (const auto& c : captions) {
    plug.set(c.param, c.value);
    EXPECT_EQ(TextAt(c.rect), c.text) << "parameter " << c.param << " at " << c.value;
  }
}

// The kick-mode, filter and solo buttons step 0, 1, 0.
TEST_F(VoiceSections, ButtonsStepTheirParameters) {
  const struct {
    int x, y, param;
  } buttons[] = {{528, 618, KickTransposeMode}, {709, 643, BassLayerToFilter}, {709, 664, BassLayerSolo}};
  for (const auto& b : buttons) {
    ASSERT_EQ(Value(b.param), 0.0) << b.param;
    Click(b.x, b.y);
    EXPECT_EQ(Value(b.param), 1.0) << b.param;
    Click(b.x, b.y);
    EXPECT_EQ(Value(b.param), 0.0) << b.param;
  }
}

// The click amount comes in tenths: the button shows on for any of them,
// and a click from any amount but 0 switches it off.
TEST_F(VoiceSections, ClickButtonShowsOnForAnyAmountAndSwitchesOff) {
  const IRECT button(685, 675, 733, 695);
  ASSERT_NE(At<IQvClickButton>(button), nullptr);
  auto shown = [&](double amount) {
    plug.set(BassLayerClick, amount);
    Redraw();
    return Pixels(button);
  };
  const auto off = shown(0.0), on = shown(1.0), partly = shown(0.3);
  EXPECT_NE(off, on);
  EXPECT_EQ(partly, on);

  Click(709, 685);
  EXPECT_EQ(Value(BassLayerClick), 0.0);
  Click(709, 685);
  EXPECT_EQ(Value(BassLayerClick), 1.0);
}

// All the voice sections, oscillators and envelopes, drawn right after
// construction, for a person to look at.
TEST_F(VoiceSections, SectionsPicture) {
  Redraw();
  const IRECT area(60, 40, 740, 715);
  LICE_SysBitmap* back = gui->GetDrawBitmap();
  const int span = back->getRowSpan();
  const LICE_pixel* first = back->getBits() + area.T * span + area.L;
  const std::string path = testsupport::outputPath("synth-voice-sections.png");
  ASSERT_TRUE(testsupport::writePng(path, reinterpret_cast<const unsigned char*>(first), area.W(), area.H(), span * 4));
  std::printf("voice sections: %s\n", path.c_str());
}

}  // namespace
