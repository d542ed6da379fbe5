#include "instrument/VersionInfo.h"

#include <sstream>

namespace Quillvane {

const int VersionInfo::mMajor = 1;
const int VersionInfo::mMinor = 5;
const int VersionInfo::mBuild = 1;

VersionInfo::VersionInfo() : mVendor("Quillvane"), mProduct("Thud::Rokka"), mPluginCode(0) {
  mEdition = "Free Version";
  mPluginCode = ('3' << 24) | ('b' << 16) | ('t' << 8) | 'i';

  std::stringstream text;
  text << "Thud-Rokka " << mMajor << "." << mMinor;
  mVersionText = text.str();

  text.str("");
  text << "Thud-Rokka " << mMajor << "." << mMinor << " Free";
  mEditionVersionText = text.str();

  text.str("");
  text << mVendor << " " << mProduct << " Version " << mMajor << "." << mMinor << " Free";
  mFullVersionText = text.str();
}

}  // namespace Quillvane
