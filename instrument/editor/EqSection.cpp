#include "instrument/Thudrokka.h"

void Thudrokka::initEqUnit() {}
