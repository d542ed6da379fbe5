#include <string>

#include "graphics/BitmapControls.h"
#include "graphics/KnobControls.h"
#include "graphics/TextControls.h"
#include "instrument/Thudrokka.h"
#include "instrument/ThudrokkaControls.h"
#include "platform/mac/IGraphicsMac.h"

namespace {

constexpr const char* kImageFolder = "resources/img/quillvane/";
constexpr int kPanelTop = 35;

IText ArialStyle(const IColor& color, IText::EAlign align) {
  return IText(13, &color, "Arial", IText::kStyleNormal, align, 0, IText::kQualityPlain);
}

}  // namespace

void Thudrokka::initEditor() {
  IGraphicsMac* editor = new IGraphicsMac(this, kEditorWidth, kEditorHeight, 0);
  editor->SetBundleID(mBundleIdentifier.Get());
  mEditor = editor;
  mEditor->AttachBackground(111, (std::string(kImageFolder) + "Thudrokka_GUI_background_Free.png").c_str());
  IBitmap panel = loadImage(112, "Controls_Background_920x690.png", 1);
  loadImage(1405, "QV_Version_1_5_Free.png", 1);
  loadImage(1406, "bass_kick_design_tool.png", 1);

  mTextValue = ArialStyle(COLOR_WHITE, IText::kAlignCenter);
  mTextLeft = ArialStyle(COLOR_WHITE, IText::kAlignNear);
  mTextOsc1 = ArialStyle(COLOR_QV_WF1, IText::kAlignNear);
  mTextOsc2 = ArialStyle(COLOR_QV_WF2, IText::kAlignNear);
  mTextOsc3 = ArialStyle(COLOR_QV_WF3, IText::kAlignNear);
  mTextHostInfo = ArialStyle(COLOR_WHITE, IText::kAlignNear);
  mTextMaxLevel = ArialStyle(COLOR_WHITE, IText::kAlignNear);

  attachSynthControl(new IBitmapControl(this, (kEditorWidth - panel.W) / 2, kPanelTop, -1, &panel));
}

void Thudrokka::initDecorations() {
  IBitmap badge = loadImage(1405, "QV_Version_1_5_Free.png", 1);
  IBitmap designTool = loadImage(1406, "bass_kick_design_tool.png", 1);
  attachSynthControl(new IBitmapControl(this, 805, 387, -1, &badge));
  attachSynthControl(new IBitmapControl(this, 80, 638, -1, &designTool));
}

IBitmap Thudrokka::loadImage(int id, const char* path, int frames) {
  return mEditor->LoadIBitmap(id, (std::string(kImageFolder) + path).c_str(), frames);
}

void Thudrokka::attachToSynthTab(IControl* control) { mSynthTabControls.push_back(mEditor->AttachControl(control)); }

IKnobMultiControl* Thudrokka::addKnob(int x, int y, int paramIdx, IBitmap* image) {
  return attachSynthControl(new IKnobMultiControl(this, x, y, paramIdx, image, kVertical, DEFAULT_GEARING));
}

ISwitchControl* Thudrokka::addSwitch(int x, int y, int paramIdx, IBitmap* image) {
  return attachSynthControl(new ISwitchControl(this, x, y, paramIdx, image));
}

ITextControl* Thudrokka::addTitle(IRECT rect, const char* text) {
  return attachSynthControl(new ITextControl(this, rect, &mTextValue, text));
}

ICaptionControl* Thudrokka::addCaption(IRECT rect, int paramIdx) {
  return attachSynthControl(new ICaptionControl(this, rect, paramIdx, &mTextValue, true));
}
