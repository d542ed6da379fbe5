#include "engine/ADSR.h"
#include "program/VstParameters.h"

#include <gtest/gtest.h>

namespace {

using namespace Quillvane;
using namespace Quillvane::Synth;

// The envelope parameters default to the envelope's own defaults.
TEST(ParameterDefaults, EnvelopeParametersUseTheEnvelopeDefaults) {
  const struct {
    eVstParameters volume, filter;
    double expected;
  } cases[] = {{EnvAttack, FilterAttack, ADSR::kDefaultAttack},
               {EnvDecay, FilterDecay, ADSR::kDefaultDecay},
               {EnvSustain, FilterSustain, ADSR::kDefaultSustain},
               {EnvRelease, FilterRelease, ADSR::kDefaultRelease},
               {EnvDuration, FilterDuration, ADSR::kDefaultDuration}};
  for (const auto& c : cases) {
    EXPECT_EQ(kParameterTable[c.volume].defaultValue, c.expected) << kParameterTable[c.volume].keyName;
    EXPECT_EQ(kParameterTable[c.filter].defaultValue, c.expected) << kParameterTable[c.filter].keyName;
  }
}

}  // namespace
