#include "instrument/Thudrokka.h"

void Thudrokka::initUnisonUnit() {}

void Thudrokka::initFmModulationUnit() {}

void Thudrokka::initGlobalTransposeUnit() {}

void Thudrokka::initBassLayerUnit() {}
