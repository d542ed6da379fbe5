#pragma once

#include <string>

namespace Quillvane {

// The product's identity and the version texts built from its numbers.
class VersionInfo {
 public:
  static const int mMajor;
  static const int mMinor;
  static const int mBuild;

  VersionInfo();
  virtual ~VersionInfo() = default;

  int getVendorVersion() const { return mMajor * 1000 + mMinor * 100; }

  std::string mEdition;
  std::string mVendor;
  std::string mVersionText;
  std::string mEditionVersionText;
  std::string mFullVersionText;
  std::string mProduct;
  int mPluginCode;
};

}  // namespace Quillvane
