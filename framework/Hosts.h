#pragma once

// Host applications the framework can recognise by name. Values 10, 11 and
// 19 are reserved and never produced.
enum EHost {
  kHostUninit = -1,
  kHostUnknown = 0,
  kHostReaper = 1,
  kHostProTools = 2,
  kHostCubase = 3,
  kHostNuendo = 4,
  kHostSonar = 5,
  kHostVegas = 6,
  kHostFL = 7,
  kHostSamplitude = 8,
  kHostLive = 9,
  kHostMelodyne = 12,
  kHostVSTScanner = 13,
  kHostAULab = 14,
  kHostForte = 15,
  kHostChainer = 16,
  kHostAudition = 17,
  kHostOrion = 18,
  kHostSAWStudio = 20,
  kHostLogic = 21,
  kHostGarageBand = 22,
  kHostDigitalPerformer = 23,
  kHostStandalone = 24,
  kHostAudioMulch = 25,
  kHostStudioOne = 26,
  kHostVST3TestHost = 27,
  kHostArdour = 28,
  kHostRenoise = 29,
};

constexpr int MAX_HOST_NAME_LEN = 256;

// The first host whose key text occurs anywhere in name, any case; unknown
// when none does. Only the first 255 characters of name are searched.
EHost LookUpHost(const char* name);
// name must hold 32 characters.
void GetHostNameStr(EHost host, char* name);
