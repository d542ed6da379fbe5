// make-editor-images: draws the editor's image files.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "lice/LICE_MemBitmap.h"
#include "tools/make-editor-images/Artwork.h"
#include "tools/make-editor-images/ContactSheet.h"
#include "tools/make-editor-images/Manifest.h"
#include "tools/make-editor-images/PngFile.h"

namespace {

const char* kUsage =
    "usage: make-editor-images --output DIR [--contact-sheet FILE]\n"
    "  --output DIR          writes every image below DIR/resources/img/quillvane/ (required)\n"
    "  --contact-sheet FILE  also writes one PNG showing every image (default: none)\n"
    "  --help                shows this text\n";

bool DrawImage(const art::ImageSpec& spec, const std::string& path, std::string* error) {
  LICE_MemBitmap image(spec.width, spec.height, 4);
  if (!image.getBits()) {
    *error = "cannot allocate " + path;
    return false;
  }
  const int frameHeight = spec.height / spec.frames;
  for (int frame = 0; frame < spec.frames; ++frame) {
    art::Canvas canvas(spec.width, frameHeight);
    art::DrawFrame(spec, frame, canvas);
    canvas.CopyTo(&image, frame * frameHeight);
  }
  return art::WritePng(&image, path, error);
}

}  // namespace

int main(int argc, char** argv) {
  std::string output, sheet;
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (!std::strcmp(argv[i], "--help")) {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (!std::strcmp(argv[i], "--output") && hasValue) {
      output = argv[++i];
    } else if (!std::strcmp(argv[i], "--contact-sheet") && hasValue) {
      sheet = argv[++i];
    } else {
      std::fprintf(stderr, "make-editor-images: unexpected argument '%s'\n%s", argv[i], kUsage);
      return 2;
    }
  }
  if (output.empty()) {
    std::fprintf(stderr, "make-editor-images: --output is required\n%s", kUsage);
    return 2;
  }
  std::string error;
  for (const art::ImageSpec& spec : art::EditorImages()) {
    const std::filesystem::path path = std::filesystem::path(output) / art::kImageFolder / spec.path;
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    if (!DrawImage(spec, path.string(), &error)) {
      std::fprintf(stderr, "make-editor-images: %s\n", error.c_str());
      return 1;
    }
  }
  if (!sheet.empty() && !art::WriteContactSheet(output, sheet, &error)) {
    std::fprintf(stderr, "make-editor-images: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
