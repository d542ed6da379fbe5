#include "instrument/Thudrokka.h"

void Thudrokka::initFilterUnit() {}
