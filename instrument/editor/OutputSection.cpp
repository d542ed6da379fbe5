#include "instrument/Thudrokka.h"

void Thudrokka::initOutputUnit() {}
