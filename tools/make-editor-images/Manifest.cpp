#include "tools/make-editor-images/Manifest.h"

namespace art {

namespace {

// Value colours by section, so that each block of the panel reads as one.
constexpr unsigned int kOsc = 0x6fdcff;
constexpr unsigned int kFilter = 0xff9a2e;
constexpr unsigned int kPitch = 0xffd54a;
constexpr unsigned int kVolume = 0x7dff8e;
constexpr unsigned int kDisto = 0xff5b4a;
constexpr unsigned int kModFx = 0xb2ff45;
constexpr unsigned int kEq = 0xffd54a;
constexpr unsigned int kOutput = 0xe9eef5;
constexpr unsigned int kGlobal = 0xff8fd8;

ImageSpec Knob(const char* path, int size, unsigned int accent) { return {path, size, size * 128, 128, Kind::Knob, "", accent}; }

ImageSpec States(const char* path, int size, int states, unsigned int accent) {
  return {path, size, size * states, states, Kind::StateKnob, "", accent};
}

ImageSpec TwoFrames(const char* path, int w, int h, Kind kind, const char* label) { return {path, w, h, 2, kind, label, 0}; }

ImageSpec Single(const char* path, int w, int h, Kind kind, const char* label = "", unsigned int accent = 0) {
  return {path, w, h, 1, kind, label, accent};
}

}  // namespace

const std::vector<ImageSpec>& EditorImages() {
  static const std::vector<ImageSpec> images = {
      Single("Thudrokka_GUI_background_Free.png", 1024, 760, Kind::Background),
      Single("Controls_Background_920x690.png", 920, 690, Kind::Panel),
      TwoFrames("switches/QV_on_off_20px.png", 20, 40, Kind::Power, ""),
      Knob("knobs/QV_Pitch_Knob_40px.png", 40, kPitch),
      Knob("knobs/QV_Disto_Knob_40px.png", 40, kDisto),
      Knob("knobs/QV_Osc_Pitch_Tune_Knob_30px.png", 30, kOsc),
      Knob("knobs/QV_Filter_Knob_40px.png", 40, kFilter),
      Knob("knobs/QV_Resonance_Knob_40px.png", 40, kFilter),
      Knob("knobs/QV_Osc_Pan_Knob_30px.png", 30, kOsc),
      Knob("knobs/QV_Osc_Saturation_Knob_30px.png", 30, kOsc),
      Knob("knobs/QV_Osc_Volume_Knob_30px.png", 30, kOsc),
      Knob("knobs/QV_LFO_Knob_30px.png", 30, kOsc),
      Knob("knobs/QV_ADSR_Volume_Knob_30px.png", 30, kVolume),
      Knob("knobs/QV_ADSR_Filter_Knob_30px.png", 30, kFilter),
      Knob("knobs/QV_Unison_Knob_40px.png", 40, kGlobal),
      States("knobs/QV_Unison_Knob_2_states_40px.png", 40, 2, kGlobal),
      Knob("knobs/QV_Fm_Modulation_Knob_40px.png", 40, kGlobal),
      Knob("knobs/QV_ModFx_Knob_30px.png", 30, kModFx),
      Knob("knobs/QV_ModFx_Amt_Knob_30px.png", 30, kModFx),
      Knob("knobs/QV_Disto_BitCrash_30px.png", 30, kDisto),
      Knob("knobs/QV_Disto_SmpRate_30px.png", 30, kDisto),
      Knob("knobs/QV_Disto_Gate_30px.png", 30, kDisto),
      Knob("knobs/QV_EQ_High_Knob_35px.png", 35, kEq),
      Knob("knobs/QV_EQ_Mid_Knob_35px.png", 35, kEq),
      Knob("knobs/QV_EQ_Low_Knob_35px.png", 35, kEq),
      Knob("knobs/QV_DumpExp_Knob_35px.png", 35, kEq),
      Knob("knobs/QV_Volume_Knob_50px.png", 50, kOutput),
      Knob("knobs/QV_Dry_Wet_Knob_35px.png", 35, kOutput),
      Knob("knobs/QV_Pan_Knob_35px.png", 35, kOutput),
      Knob("knobs/QV_Saturation_Knob_35px.png", 35, kOutput),
      Knob("knobs/QV_Global_Tune_Knob_50px.png", 50, kGlobal),
      Knob("knobs/QV_Bass-Layer_Knob_40px.png", 40, kGlobal),
      States("knobs/QV_ModFx_Waveform_Knob_30px.png", 30, 5, kModFx),
      Knob("knobs/QV_Filter_InputDrive_Knob_30px.png", 30, kFilter),
      States("knobs/QV_Filter_Transition_Knob_30px.png", 30, 3, kFilter),
      Single("displays/Waveform_Display_80x35_osc1.png", 80, 35, Kind::Display, "grid", 0xa0e1ff),
      Single("displays/Waveform_Display_80x35_osc2.png", 80, 35, Kind::Display, "grid", 0xa0ffff),
      Single("displays/Waveform_Display_80x35_osc3.png", 80, 35, Kind::Display, "grid", 0xa0ffe1),
      Single("displays/Pitch_Display_150x50.png", 150, 50, Kind::Display, "grid", kPitch),
      Single("displays/Volume_Envelope_120x45.png", 120, 45, Kind::Display, "grid", kVolume),
      Single("displays/Filter_Envelope_120x45.png", 120, 45, Kind::Display, "grid", kFilter),
      Single("displays/preset_display_185x20.png", 185, 20, Kind::Display, "", 0x9aa4b0),
      Single("displays/disto_display_110x38.png", 110, 38, Kind::Display, "", kDisto),
      Single("displays/Distortion_Curve_Display_111x93.png", 111, 93, Kind::Display, "grid", kDisto),
      Single("displays/Dump-Expand_Display_31x20.png", 31, 20, Kind::Display, "", kEq),
      Single("displays/info_display_540x30.png", 540, 30, Kind::Display, "", 0x9aa4b0),
      Single("displays/EQ_Frequency_Display_217x20.png", 217, 20, Kind::Display, "", kEq),
      TwoFrames("switches/Prev_WF_up_20px.png", 20, 40, Kind::Arrow, "up"),
      TwoFrames("switches/Next_WF_down_20px.png", 20, 40, Kind::Arrow, "down"),
      TwoFrames("switches/mode_on_off_48px_40px.png", 48, 40, Kind::Button, "MODE"),
      TwoFrames("switches/Prev_up_18px.png", 18, 36, Kind::Arrow, "up"),
      TwoFrames("switches/Next_down_18px.png", 18, 36, Kind::Arrow, "down"),
      TwoFrames("switches/Prev_left_20px.png", 20, 40, Kind::Arrow, "left"),
      TwoFrames("switches/Next_right_20px.png", 20, 40, Kind::Arrow, "right"),
      TwoFrames("switches/disto_mode_on_off_48px_40px.png", 48, 40, Kind::Button, "INTERP"),
      TwoFrames("switches/loud_on_off_48px_40px.png", 48, 40, Kind::Button, "LOUD"),
      TwoFrames("buttons/invert_button_48x40.png", 48, 40, Kind::Button, "INV"),
      TwoFrames("buttons/filter_button_48x40.png", 48, 40, Kind::Button, "FILTER"),
      TwoFrames("buttons/solo_button_48x40.png", 48, 40, Kind::Button, "SOLO"),
      TwoFrames("buttons/click_button_48x40.png", 48, 40, Kind::Button, "CLICK"),
      TwoFrames("buttons/sync_button_48x40.png", 48, 40, Kind::Button, "SYNC"),
      TwoFrames("buttons/kick_mode_button_60x60.png", 60, 60, Kind::Button, "KICK\nMODE"),
      TwoFrames("buttons/load_on_off_48x40.png", 48, 40, Kind::Button, "LOAD"),
      TwoFrames("buttons/save_on_off_48x40.png", 48, 40, Kind::Button, "SAVE"),
      TwoFrames("buttons/limit_on_off_48x40.png", 48, 40, Kind::Button, "LIMIT"),
      TwoFrames("buttons/reset_on_off_48x40.png", 48, 40, Kind::Button, "RESET"),
      TwoFrames("buttons/bypass_fx_button_84x60.png", 84, 60, Kind::Button, "BYPASS FX"),
      TwoFrames("buttons/tab_about_85x50.png", 85, 50, Kind::Tab, "ABOUT"),
      TwoFrames("buttons/tab_synth_85x50.png", 85, 50, Kind::Tab, "SYNTH"),
      TwoFrames("buttons/invert_filter_envelope_80x40.png", 80, 40, Kind::Button, "INV ENV"),
      Single("slider_handle_14px_14px.png", 14, 14, Kind::SliderHandle),
      Single("slider_background_82px_14px.png", 82, 14, Kind::SliderTrack),
      Single("slider_background_104px_14px.png", 104, 14, Kind::SliderTrack),
      Single("QV_Version_1_5_Free.png", 150, 60, Kind::VersionBadge),
      Single("bass_kick_design_tool.png", 260, 18, Kind::Tagline),
      Single("Quillvane_logo_txt_740x450.png", 740, 450, Kind::Logo),
      Single("QV_Free_Text.png", 400, 80, Kind::EditionText),
      Single("QV_Team_Text.png", 400, 40, Kind::TeamText),
      Single("AU_Logo.png", 120, 56, Kind::PluginBadge),
      Single("QV_URL_icon.png", 88, 72, Kind::WebIcon),
      Single("FB_URL_icon.png", 100, 80, Kind::SocialIcon),
  };
  return images;
}

}  // namespace art
