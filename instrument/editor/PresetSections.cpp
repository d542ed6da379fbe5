#include "instrument/Thudrokka.h"

void Thudrokka::initTabControls() {}

void Thudrokka::initPresetUnit() {}

void Thudrokka::initDisplayUnit() {}

void Thudrokka::initAboutTab() {}
