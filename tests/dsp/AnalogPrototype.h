#pragma once

#include "dsp/Types.h"

namespace dsptest {

// An analog prototype with storage of its own, to design outside a filter.
template <class Proto, int MaxPoles>
struct AnalogPrototype : Proto {
  AnalogPrototype() { this->setStorage(MaxPoles, pairs); }
  Dsp::PoleZeroPair pairs[(MaxPoles + 1) / 2];
};

}  // namespace dsptest
