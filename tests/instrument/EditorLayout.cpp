#include "tests/instrument/EditorLayout.h"

#include <cxxabi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <typeinfo>

#include "graphics/BitmapControls.h"
#include "graphics/KnobControls.h"
#include "graphics/TextControls.h"

namespace layout {

namespace {

constexpr const char* kFolder = "resources/img/quillvane/";

// "N", "N+W:ID" or, for an image's left edge, "C-W/2".
bool Number(const std::string& token, const Images& images, const IBitmap* own, int* value) {
  const size_t plus = token.find("+W:");
  if (plus != std::string::npos) {
    const IBitmap* other = images.Find(std::atoi(token.c_str() + plus + 3));
    if (!other) return false;
    *value = std::atoi(token.substr(0, plus).c_str()) + other->W;
    return true;
  }
  const size_t centred = token.find("-W/2");
  if (centred != std::string::npos) {
    if (!own) return false;
    *value = std::atoi(token.substr(0, centred).c_str()) - own->W / 2;
    return true;
  }
  if (token.empty() || token.find_first_not_of("0123456789") != std::string::npos) return false;
  *value = std::atoi(token.c_str());
  return true;
}

std::vector<std::string> Split(const std::string& text, char at) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  std::string part;
  while (std::getline(in, part, at)) parts.push_back(part);
  return parts;
}

}  // namespace

std::vector<Control> Fixture::Of(const std::string& builder) const {
  std::vector<Control> of;
  for (const Control& c : controls) {
    if (c.builder == builder) of.push_back(c);
  }
  return of;
}

Fixture Read(const char* path) {
  Fixture fixture;
  std::ifstream in(path);
  EXPECT_TRUE(in.good()) << "cannot read " << path;
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    if (text.empty() || text[0] == '#') continue;
    std::istringstream fields(text);
    std::vector<std::string> f;
    for (std::string field; fields >> field;) f.push_back(field);
    if (f[0] == "image" && f.size() == 4) {
      fixture.images.push_back({std::atoi(f[1].c_str()), f[2], std::atoi(f[3].c_str())});
    } else if (f.size() == 6) {
      fixture.controls.push_back({f[0], f[1], f[2], f[3], f[4], f[5], line});
    } else {
      ADD_FAILURE() << path << ":" << line << ": cannot read \"" << text << "\"";
    }
  }
  return fixture;
}

Images::Images(IGraphics* editor, const Fixture& fixture) {
  for (const Image& image : fixture.images) {
    mById[image.id] = editor->LoadIBitmap(image.id, (std::string(kFolder) + image.path).c_str(), image.frames);
  }
}

const IBitmap* Images::Find(int id) const {
  const auto it = mById.find(id);
  return it == mById.end() || !it->second.mData ? nullptr : &it->second;
}

int Images::IdOf(const LICE_IBitmap* data) const {
  for (const auto& entry : mById) {
    if (entry.second.mData == data) return entry.first;
  }
  return -1;
}

bool Expected(const Control& c, const Images& images, std::string* text, IRECT* rect, std::string* error) {
  const IBitmap* own = c.image == "-" ? nullptr : images.Find(std::atoi(c.image.c_str()));
  if (c.image != "-" && !own) {
    *error = "image " + c.image + " does not load";
    return false;
  }
  const bool placed = !c.rect.empty() && c.rect[0] == '@';
  const std::vector<std::string> parts = Split(placed ? c.rect.substr(1) : c.rect, ',');
  int n[4];
  if (parts.size() != (placed ? 2u : 4u) || (placed && !own)) {
    *error = "rectangle " + c.rect + " cannot be read";
    return false;
  }
  for (size_t i = 0; i < parts.size(); ++i) {
    if (!Number(parts[i], images, own, &n[i])) {
      *error = "rectangle " + c.rect + " cannot be read";
      return false;
    }
  }
  *rect = placed ? IRECT(n[0], n[1], own) : IRECT(n[0], n[1], n[2], n[3]);
  *text = c.className + " " + RectText(*rect) + " " + c.param + " " + c.image;
  return true;
}

std::string RectText(const IRECT& r) {
  return std::to_string(r.L) + "," + std::to_string(r.T) + "," + std::to_string(r.R) + "," + std::to_string(r.B);
}

const IBitmap* BitmapOf(IControl* c) {
  if (auto* b = dynamic_cast<IBitmapControl*>(c)) return &b->GetBitmap();
  if (auto* k = dynamic_cast<IKnobMultiControl*>(c)) return &k->GetBitmap();
  if (auto* f = dynamic_cast<IFaderControl*>(c)) return &f->GetBitmap();
  if (auto* s = dynamic_cast<IFileSelectorControl*>(c)) return &s->GetBitmap();
  return nullptr;
}

std::string ClassName(IControl* c) {
  const char* mangled = typeid(*c).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  std::string shown = status == 0 && name ? name.get() : mangled;
  const size_t scope = shown.rfind("::");
  return scope == std::string::npos ? shown : shown.substr(scope + 2);
}

std::string Actual(IControl* c, const Images& images) {
  const IBitmap* bitmap = BitmapOf(c);
  std::string image = "-";
  if (bitmap && bitmap->mData) {
    const int id = images.IdOf(bitmap->mData);
    image = id < 0 ? "unlisted" : std::to_string(id);
  }
  const std::string param = c->ParamIdx() < 0 ? "-" : std::to_string(c->ParamIdx());
  return ClassName(c) + " " + RectText(*c->GetRECT()) + " " + param + " " + image;
}

}  // namespace layout
