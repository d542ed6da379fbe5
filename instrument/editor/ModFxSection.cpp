#include "instrument/Thudrokka.h"

void Thudrokka::initModFxUnit() {}
