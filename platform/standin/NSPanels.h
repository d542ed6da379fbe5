// Stands in for AppKit's file panels (NSSavePanel, NSOpenPanel) on Linux: the person of the user script answers them.
#pragma once

#include <string>
#include <vector>

enum { NSCancelButton = 0, NSOKButton = 1 };

class NSSavePanel {
 public:
  virtual ~NSSavePanel() = default;
  // A new panel that the caller deletes.
  static NSSavePanel* savePanel() { return new NSSavePanel(false); }

  void setAllowedFileTypes(const std::vector<std::string>& types) { mTypes = types; }
  void setAllowsOtherFileTypes(bool allows) { mAllowsOtherTypes = allows; }
  // NSOKButton with the chosen file, or NSCancelButton.
  int runModalForDirectory(const std::string& directory, const std::string& file);
  // The chosen path.
  const std::string& filename() const { return mFilename; }

 protected:
  explicit NSSavePanel(bool open) : mOpen(open) {}
  int run(const std::string& directory, const std::string& file);

  bool mOpen;
  std::vector<std::string> mTypes;
  bool mAllowsOtherTypes = true;
  std::string mFilename;
};

class NSOpenPanel : public NSSavePanel {
 public:
  static NSOpenPanel* openPanel() { return new NSOpenPanel(); }

  void setCanChooseFiles(bool can) { mCanChooseFiles = can; }
  void setCanChooseDirectories(bool can) { mCanChooseDirectories = can; }
  void setResolvesAliases(bool resolves) { mResolvesAliases = resolves; }
  int runModalForDirectory(const std::string& directory, const std::string& file,
                           const std::vector<std::string>& types);

 private:
  NSOpenPanel() : NSSavePanel(true) {}
  bool mCanChooseFiles = true;
  bool mCanChooseDirectories = false;
  bool mResolvesAliases = true;
};
