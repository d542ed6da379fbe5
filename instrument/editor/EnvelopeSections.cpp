#include "instrument/Thudrokka.h"

void Thudrokka::initPitchEnvUnit() {}

void Thudrokka::initVolumeEnvUnit() {}

void Thudrokka::initFilterEnvUnit() {}
