#include "instrument/Thudrokka.h"

void Thudrokka::initOsc1Unit() {}

void Thudrokka::initOsc2Unit() {}

void Thudrokka::initOsc3Unit() {}
