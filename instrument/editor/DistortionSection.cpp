#include "instrument/Thudrokka.h"

void Thudrokka::initDistoUnit() {}
