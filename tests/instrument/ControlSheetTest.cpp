#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "graphics/BitmapControls.h"
#include "graphics/IBitmapMonoText.h"
#include "graphics/KnobControls.h"
#include "graphics/TextControls.h"
#include "instrument/ThudrokkaButtons.h"
#include "instrument/ThudrokkaControls.h"
#include "instrument/ThudrokkaPresetControls.h"
#include "lice/LICE_MemBitmap.h"
#include "lice/LICE_SysBitmap.h"
#include "lice/PNG.h"
#include "platform/mac/IGraphicsMac.h"
#include "platform/standin/CFBundle.h"
#include "tests/instrument/ThudrokkaProbe.h"
#include "tests/support/PngWriter.h"
#include "tools/make-editor-images/DotFont.h"

namespace {

using namespace Quillvane::Synth;

constexpr const char* kFolder = "resources/img/quillvane/";
constexpr double kPi = 3.141592653589793;

// A glyph strip of the dot font: 95 frames from the blank on, each glyph
// 5 x 7 dots drawn 2 x 2 pixels in a 12 x 16 cell.
std::unique_ptr<LICE_MemBitmap> DotGlyphs(LICE_pixel colour) {
  constexpr int kCellW = 12, kCellH = 16;
  auto strip = std::make_unique<LICE_MemBitmap>(kCellW, kCellH * 95, 4);
  for (int i = 0; i < strip->getRowSpan() * strip->getHeight(); ++i) strip->getBits()[i] = 0;
  for (int c = 32; c < 127; ++c) {
    const std::vector<unsigned char> mask = art::TextMask(std::string(1, static_cast<char>(c)));
    for (int row = 0; row < art::kGlyphHeight; ++row) {
      for (int column = 0; column < art::kGlyphWidth; ++column) {
        if (!mask[static_cast<size_t>(row * art::kGlyphWidth + column)]) continue;
        for (int d = 0; d < 4; ++d) {
          const int x = 1 + column * 2 + d % 2, y = (c - 32) * kCellH + 1 + row * 2 + d / 2;
          strip->getBits()[y * strip->getRowSpan() + x] = colour;
        }
      }
    }
  }
  return strip;
}

// A sheet of its own beside the instrument, which keeps its editor.
struct ControlSheet : testing::Test {
  ControlSheet() : gui(new IGraphicsMac(&plug, 1024, 760)) {
    gui->SetBundleID(Thudrokka::kBundleID);
    gui->PrepDraw();
  }
  ~ControlSheet() override { delete gui; }

  IBitmap Load(const char* name, int frames) {
    IBitmap bitmap = gui->LoadIBitmap(mNextId++, (std::string(kFolder) + name).c_str(), frames);
    EXPECT_NE(bitmap.mData, nullptr) << name;
    return bitmap;
  }
  template <class Control>
  Control* Add(Control* c, double value) {
    gui->AttachControl(c);
    c->SetValueFromPlug(value);
    return c;
  }
  void Label(int x, int y, const char* text) {
    gui->AttachControl(new ITextControl(&plug, IRECT(x, y, x + 700, y + 16), &label, text));
  }

  ThudrokkaProbe plug;
  IGraphicsMac* gui;
  IText label{13, &COLOR_WHITE, "Arial", IText::kStyleNormal, IText::kAlignNear, 0, IText::kQualityPlain};
  IText centred{13, &COLOR_WHITE, "Arial", IText::kStyleNormal, IText::kAlignCenter, 0, IText::kQualityPlain};

 private:
  int mNextId = 9100;
};

// Every kind of control, standard and the instrument's own, drawn with the
// generated editor images into one editor and written out for a person to
// look at.
TEST_F(ControlSheet, EveryControlDrawnWithTheEditorImages) {
  const IColor backdrop(255, 36, 40, 48);
  gui->AttachControl(new IPanelControl(&plug, IRECT(0, 0, 1024, 760), &backdrop));

  // Knobs: frame strips from the lowest to the highest value, then the
  // small strips, line, rotating and mask knobs.
  Label(20, 8, "Knobs: 128-frame strips at 0, 1/4, 1/2, 3/4, 1; 5- and 2-state strips; line, rotating, mask");
  IBitmap big = Load("knobs/QV_Volume_Knob_50px.png", 128);
  for (int i = 0; i < 5; ++i) Add(new IKnobMultiControl(&plug, 20 + i * 56, 30, -1, &big), i / 4.0);
  IBitmap small = Load("knobs/QV_Osc_Volume_Knob_30px.png", 128);
  for (int i = 0; i < 3; ++i) Add(new IKnobMultiControl(&plug, 310 + i * 36, 40, -1, &small), i / 2.0);
  IBitmap wave = Load("knobs/QV_ModFx_Waveform_Knob_30px.png", 5);
  for (int i = 0; i < 5; ++i) Add(new IKnobMultiControl(&plug, 425 + i * 36, 40, -1, &wave), i / 4.0);
  IBitmap unison = Load("knobs/QV_Unison_Knob_2_states_40px.png", 2);
  for (int i = 0; i < 2; ++i) Add(new IKnobMultiControl(&plug, 610 + i * 46, 35, -1, &unison), i);
  for (int i = 0; i < 2; ++i) {
    Add(new IKnobLineControl(&plug, IRECT(710 + i * 50, 32, 756 + i * 50, 78), -1, &COLOR_QV_CYAN, 6.0), 0.2 + 0.6 * i);
  }
  IRECT firstFrame(0, 0, 50, 50), lastFrame(0, 127 * 50, 50, 128 * 50);
  IBitmap rotating = gui->CropBitmap(&big, &firstFrame);
  Add(new IKnobRotaterControl(&plug, 815, 30, -1, &rotating, -0.75 * kPi, 0.75 * kPi), 1.0);
  IBitmap top = gui->CropBitmap(&big, &lastFrame);
  LICE_MemBitmap clearMask(50, 50, 4);
  for (int i = 0; i < clearMask.getRowSpan() * 50; ++i) clearMask.getBits()[i] = 0;
  IBitmap mask(&clearMask, 50, 50);
  Add(new IKnobRotatingMaskControl(&plug, 880, 30, -1, &rotating, &mask, &top), 0.25);

  // Switches and buttons, released and pressed.
  Label(20, 96, "Switches and buttons: off/on, contact, click 0/0.3, tabs, sync, reset, load, arrows, overlay");
  IBitmap onOff = Load("switches/QV_on_off_20px.png", 2);
  Add(new ISwitchControl(&plug, 20, 118, -1, &onOff), 0.0);
  Add(new ISwitchControl(&plug, 45, 118, -1, &onOff), 1.0);
  IBitmap invert = Load("buttons/invert_button_48x40.png", 2);
  Add(new IContactControl(&plug, 75, 118, -1, &invert), 1.0);
  IBitmap click = Load("buttons/click_button_48x40.png", 2);
  Add(new IQvClickButton(&plug, 128, 118, -1, &click), 0.0);
  Add(new IQvClickButton(&plug, 181, 118, -1, &click), 0.3);
  IBitmap synthTab = Load("buttons/tab_synth_85x50.png", 2), aboutTab = Load("buttons/tab_about_85x50.png", 2);
  gui->AttachControl(new IQvTabButton(&plug, 235, 113, -1, kQvSynthTab, &synthTab));
  gui->AttachControl(new IQvTabButton(&plug, 325, 113, -1, kQvAboutTab, &aboutTab));
  IBitmap syncPicture = Load("buttons/sync_button_48x40.png", 2);
  auto* sync = new IQvSyncButton(&plug, 415, 118, -1, &syncPicture);
  gui->AttachControl(sync);
  sync->SetActive(true);
  IBitmap reset = Load("buttons/reset_on_off_48x40.png", 2);
  Add(new IQvResetButton(&plug, 468, 118, -1, &reset), 0.0);
  IBitmap loadPicture = Load("buttons/load_on_off_48x40.png", 2);
  gui->AttachControl(new IQvFileSelector(&plug, IRECT(521, 118, 569, 138), -1, &loadPicture, kFileOpen, "", "qv bgp"));
  IBitmap up = Load("switches/Prev_WF_up_20px.png", 2), down = Load("switches/Next_WF_down_20px.png", 2);
  Add(new IQvModeSwitch(&plug, 575, 118, -1, OscWaveform1, 36, &up, false, kQvSwitchUp), 1.0);
  Add(new IQvModeSwitch(&plug, 598, 118, -1, OscWaveform1, 36, &down, false, kQvSwitchDown), 0.0);
  IBitmap left = Load("switches/Prev_left_20px.png", 2), right = Load("switches/Next_right_20px.png", 2);
  Add(new IQvPresetSwitch(&plug, 625, 118, -1, 2, &left, false, kQvSwitchDown), 0.0);
  Add(new IQvPresetSwitch(&plug, 648, 118, -1, 2, &right, false, kQvSwitchUp), 1.0);
  IBitmap bypass = Load("buttons/bypass_fx_button_84x60.png", 2);
  Add(new IBitmapOverlayControl(&plug, 675, 108, -1, &bypass, IRECT(0, 0, 1, 1)), 1.0);
  Add(new IBitmapOverlayControl(&plug, 765, 108, -1, &bypass, IRECT(0, 0, 1, 1)), 0.0);

  // Radio buttons and faders.
  Label(20, 180, "Radio buttons (second active), faders at 0, 1/2, 1, and a vertical fader");
  IBitmap solo = Load("buttons/solo_button_48x40.png", 2);
  Add(new IRadioButtonsControl(&plug, IRECT(20, 200, 200, 220), -1, 3, &solo, kHorizontal), 0.5);
  IBitmap kickMode = Load("buttons/filter_button_48x40.png", 2);
  Add(new IRadioButtonsControl(&plug, IRECT(210, 200, 258, 280), -1, 3, &kickMode, kVertical, true), 0.0);
  IBitmap track = Load("slider_background_104px_14px.png", 1), handle = Load("slider_handle_14px_14px.png", 1);
  for (int i = 0; i < 3; ++i) {
    gui->AttachControl(new IBitmapControl(&plug, 280, 205 + i * 24, -1, &track));
    Add(new IFaderControl(&plug, 280, 205 + i * 24, 104, -1, &handle, kHorizontal), i / 2.0);
  }
  const IColor groove(255, 90, 96, 110);
  gui->AttachControl(new IPanelControl(&plug, IRECT(411, 200, 415, 280), &groove));
  Add(new IFaderControl(&plug, 406, 200, 80, -1, &handle, kVertical), 0.75);

  // Curve displays.
  Label(20, 290, "Curves: waveforms, a shaded pitch envelope, an envelope and a framed transfer curve");
  std::vector<double> sine(78), saw(78), pitch(146), envelope(116), transfer(108);
  for (int i = 0; i < 78; ++i) {
    sine[static_cast<size_t>(i)] = std::sin(2.0 * kPi * i / 78.0);
    saw[static_cast<size_t>(i)] = 1.0 - 2.0 * i / 78.0;
  }
  for (int i = 0; i < 146; ++i) pitch[static_cast<size_t>(i)] = std::exp(-i / 25.0);
  for (int i = 0; i < 116; ++i) {
    const double t = i / 116.0;
    envelope[static_cast<size_t>(i)] = 2.0 * (t < 0.1 ? t / 0.1 : (t < 0.7 ? 0.6 : 0.6 * (1.0 - t) / 0.3)) - 1.0;
  }
  for (int i = 0; i < 108; ++i) transfer[static_cast<size_t>(i)] = std::tanh(3.0 * (2.0 * i / 108.0 - 1.0));
  const struct {
    const char* image;
    int x;
    std::vector<double>* values;
    bool shade, frame;
  } displays[] = {
      {"displays/Waveform_Display_80x35_osc1.png", 20, &sine, false, false},
      {"displays/Waveform_Display_80x35_osc2.png", 110, &saw, false, false},
      {"displays/Pitch_Display_150x50.png", 200, &pitch, true, false},
      {"displays/Volume_Envelope_120x45.png", 360, &envelope, false, false},
      {"displays/Distortion_Curve_Display_111x93.png", 490, &transfer, false, true},
  };
  for (const auto& d : displays) {
    IBitmap picture = Load(d.image, 1);
    gui->AttachControl(new IBitmapControl(&plug, d.x, 310, -1, &picture));
    auto* curve = new IQvCurve(&plug, IRECT(d.x, 310, d.x + picture.W, 310 + picture.H), d.values->data(),
                               static_cast<int>(d.values->size()), d.shade);
    curve->SetFrame(d.frame);
    gui->AttachControl(curve);
  }

  // Read-outs and texts.
  Label(20, 420, "Preset display and menu, host and level read-outs, captions, bitmap text");
  IBitmap presetDisplay = Load("displays/preset_display_185x20.png", 1);
  gui->AttachControl(new IBitmapControl(&plug, 20, 440, -1, &presetDisplay));
  plug.RestorePreset(17);
  gui->AttachControl(new IQvPresetMenu(&plug, IRECT(20, 444, 202, 460), &centred, COLOR_TRANSPARENT));
  IBitmap info = Load("displays/info_display_540x30.png", 1);
  gui->AttachControl(new IBitmapControl(&plug, 230, 435, -1, &info));
  auto* hostInfo = new IQvHostInfoText(&plug, IRECT(250, 442, 550, 458), &label);
  hostInfo->UpdateHostInfoText(48000.0, 128.0);
  gui->AttachControl(hostInfo);
  auto* level = new IQvMaxLevelText(&plug, IRECT(640, 442, 760, 458), &label);
  level->UpdateMaxLevelText(1.5);
  gui->AttachControl(level);

  const struct {
    eQvCaption mode;
    const char* unit;
    double scale, value;
  } captions[] = {{kQvCaptionDecibels, "", 1.0, 0.5},       {kQvCaptionPercent, "", 1.0, 0.125},
                  {kQvCaptionSemitones, "", 1.0, 0.75},     {kQvCaptionBipolar, "", 1.0, 0.25},
                  {kQvCaptionCentred, "", 1.0, 0.25},       {kQvCaptionScaled, " s", 5.0, 0.5},
                  {kQvCaptionScaledCoarse, "Hz", 4000.0, 0.5}, {kQvCaptionParamDisplay, "", 1.0, 0.3}};
  for (int i = 0; i < 8; ++i) {
    const auto& c = captions[i];
    Add(new IQvCaptionControl(&plug, IRECT(20 + i * 90, 480, 105 + i * 90, 496), Volume, &centred, c.mode, c.unit,
                              c.scale),
        c.value);
  }
  Add(new ICaptionControl(&plug, IRECT(20, 505, 200, 521), RingModulationFrequency, &label, true), 0.25);

  auto glyphs = DotGlyphs(LICE_MakePixel(128, 255, 0, 255));
  IBitmap glyphStrip(glyphs.get(), 12, 16 * 95, 95);
  gui->AttachControl(new IBitmapTextControl(&plug, IRECT(20, 530, 500, 560), &glyphStrip, 12, 16,
                                            "THUDROKKA 1.5 FREE: 0123456789"));
  gui->AttachControl(new IBitmapTextControl(&plug, IRECT(520, 530, 760, 620), &glyphStrip, 12, 16,
                                            "A LONGER TEXT WRAPS ONTO ONE MORE ROW ONLY"));

  IRECT all(0, 0, 1024, 760);
  gui->Draw(&all);
  LICE_SysBitmap* back = gui->GetDrawBitmap();
  const std::string path = testsupport::outputPath("controls-sheet.png");
  ASSERT_TRUE(testsupport::writePng(path, reinterpret_cast<const unsigned char*>(back->getBits()), 1024, 760,
                                    back->getRowSpan() * 4));
  std::printf("control sheet: %s\n", path.c_str());

  // The lowest and highest big knobs show different frames, and the level
  // read-out is red.
  int differing = 0;
  for (int y = 30; y < 80; ++y) {
    for (int x = 0; x < 50; ++x) differing += gui->GetPoint(20 + x, y) != gui->GetPoint(244 + x, y);
  }
  EXPECT_GT(differing, 100);
  int red = 0;
  for (int y = 442; y < 458; ++y) {
    for (int x = 640; x < 760; ++x) red += gui->GetPoint(x, y) == COLOR_RED;
  }
  EXPECT_GT(red, 10);
  gui->ReleaseBitmap(&rotating);
  gui->ReleaseBitmap(&top);
}

}  // namespace
