#include "framework/Hosts.h"

#include <cstring>

#include "framework/Log.h"

namespace {
struct HostKey {
  const char* text;
  EHost host;
};

// Order matters: the first hit wins, so a name with several keys gets the
// earlier one.
constexpr HostKey kSearchOrder[] = {
    {"cubase", kHostCubase},         {"reaper", kHostReaper},
    {"nuendo", kHostNuendo},         {"cakewalk", kHostSonar},
    {"samplitude", kHostSamplitude}, {"fruity", kHostFL},
    {"live", kHostLive},             {"melodyne", kHostMelodyne},
    {"vstmanlib", kHostVSTScanner},  {"aulab", kHostAULab},
    {"garageband", kHostGarageBand}, {"forte", kHostForte},
    {"chainer", kHostChainer},       {"audition", kHostAudition},
    {"orion", kHostOrion},           {"sawstudio", kHostSAWStudio},
    {"logic", kHostLogic},           {"digital", kHostDigitalPerformer},
    {"audiomulch", kHostAudioMulch}, {"presonus", kHostStudioOne},
    {"vst3plugintesthost", kHostVST3TestHost},
    {"protools", kHostProTools},     {"ardour", kHostArdour},
    {"renoise", kHostRenoise},       {"standalone", kHostStandalone},
};
}  // namespace

EHost LookUpHost(const char* name) {
  if (!name) return kHostUnknown;
  char cut[MAX_HOST_NAME_LEN];
  std::size_t n = 0;
  while (n + 1 < sizeof(cut) && name[n]) {
    cut[n] = name[n];
    ++n;
  }
  cut[n] = '\0';
  char lower[MAX_HOST_NAME_LEN];
  ToLower(lower, cut);
  for (const HostKey& key : kSearchOrder) {
    if (std::strstr(lower, key.text)) return key.host;
  }
  return kHostUnknown;
}

void GetHostNameStr(EHost host, char* name) {
  if (!name) return;
  const char* text = "Unknown";
  switch (host) {
    case kHostReaper: text = "Reaper"; break;
    case kHostProTools: text = "ProTools"; break;
    case kHostCubase: text = "Cubase"; break;
    case kHostNuendo: text = "Nuendo"; break;
    case kHostSonar: text = "Sonar"; break;
    case kHostVegas: text = "Vegas"; break;
    case kHostFL: text = "FLStudio"; break;
    case kHostSamplitude: text = "Samplitude"; break;
    case kHostLive: text = "Live"; break;
    case kHostVSTScanner: text = "VSTScanner"; break;
    case kHostAULab: text = "AULab"; break;
    case kHostForte: text = "Forte"; break;
    case kHostChainer: text = "Chainer"; break;
    case kHostAudition: text = "Audition"; break;
    case kHostOrion: text = "Orion"; break;
    case kHostSAWStudio: text = "SAWStudio"; break;
    case kHostLogic: text = "Logic"; break;
    case kHostGarageBand: text = "GarageBand"; break;
    case kHostDigitalPerformer: text = "DigitalPerformer"; break;
    case kHostStandalone: text = "Standalone"; break;
    case kHostAudioMulch: text = "AudioMulch"; break;
    case kHostStudioOne: text = "StudioOne"; break;
    case kHostVST3TestHost: text = "VST3PluginTestHost"; break;
    case kHostArdour: text = "Ardour"; break;
    case kHostRenoise: text = "Renoise"; break;
    default: break;
  }
  std::strcpy(name, text);
}
