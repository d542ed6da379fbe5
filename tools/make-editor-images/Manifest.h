#pragma once

#include <vector>

// The editor's 81 image files: name under the image folder, size of the
// whole file (frames stacked vertically), frame count, and how each looks.

namespace art {

enum class Kind {
  Background,
  Panel,
  Knob,        // a frame per value from 0 to 1
  StateKnob,   // a frame per state
  Power,       // round switch with a lamp
  Arrow,       // label: up, down, left or right
  Button,      // label printed on it, lines split by '\n'
  Tab,
  Display,     // label: "grid" for curve displays
  SliderHandle,
  SliderTrack,
  VersionBadge,
  Tagline,
  Logo,
  EditionText,
  TeamText,
  PluginBadge,
  WebIcon,
  SocialIcon,
};

struct ImageSpec {
  const char* path;  // below "resources/img/quillvane/"
  int width, height, frames;
  Kind kind;
  const char* label;
  unsigned int accent;  // 0xRRGGBB: a knob's value arc, a display's border tint
};

const std::vector<ImageSpec>& EditorImages();

constexpr const char* kImageFolder = "resources/img/quillvane/";

}  // namespace art
