#pragma once

#include <map>
#include <string>
#include <vector>

#include "graphics/IGraphics.h"
#include "graphics/IGraphicsStructs.h"

class IControl;

// The editor's controls as the layout fixture lists them, transcribed by
// hand from the layout tables (fixtures/editor-layout.txt), and the same
// description read off a constructed editor, so that the two compare as text.
namespace layout {

struct Image {
  int id;
  std::string path;
  int frames;
};

struct Control {
  std::string builder;
  std::string className;
  std::string rect;
  std::string param;
  std::string image;
  std::string tab;
  int line;
};

struct Fixture {
  std::vector<Image> images;
  std::vector<Control> controls;
  // The controls one builder attaches, in order.
  std::vector<Control> Of(const std::string& builder) const;
};

// Fails the calling test when the file cannot be read or a line is malformed.
Fixture Read(const char* path = "fixtures/editor-layout.txt");

// The fixture's images, loaded through an editor's bitmap cache: an id the
// instrument loaded already gives the instrument's own bitmap.
class Images {
 public:
  Images(IGraphics* editor, const Fixture& fixture);
  const IBitmap* Find(int id) const;
  // The id whose bitmap this is, or -1.
  int IdOf(const LICE_IBitmap* data) const;

 private:
  std::map<int, IBitmap> mById;
};

// "class L,T,R,B param image" of a fixture line, its rectangle worked out
// with the images' sizes; false with why in error when it cannot be.
bool Expected(const Control& c, const Images& images, std::string* text, IRECT* rect, std::string* error);
// The same of a constructed control.
std::string Actual(IControl* c, const Images& images);
// "L,T,R,B".
std::string RectText(const IRECT& r);
// The image a control shows, or null for one without.
const IBitmap* BitmapOf(IControl* c);
// The control's class, without namespaces.
std::string ClassName(IControl* c);

}  // namespace layout
