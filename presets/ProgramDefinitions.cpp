#include "presets/ProgramDefinitions.h"

#include <cstring>

#include "engine/ADSR.h"

namespace Quillvane {

using namespace Synth;

namespace {

struct EnvelopeSettings {
  double attack, decay, sustain, release, duration;
};

void setBothEnvelopes(RirARorurProgram& program, const EnvelopeSettings& e) {
  QVSynthProgram& record = program.getSynthProgram();
  record[EnvAttack] = record[FilterAttack] = e.attack;
  record[EnvDecay] = record[FilterDecay] = e.decay;
  record[EnvSustain] = record[FilterSustain] = e.sustain;
  record[EnvRelease] = record[FilterRelease] = e.release;
  record[EnvDuration] = record[FilterDuration] = e.duration;
}

void writeAssignments(RirARorurProgram& program, const Assignments& values) {
  QVSynthProgram& record = program.getSynthProgram();
  for (const Assignment& a : values) record[a.parameter] = assignedValue(a);
}

}  // namespace

double assignedValue(const Assignment& a) {
  const int e = static_cast<int>(a.value);
  switch (a.kind) {
    case ValueKind::kWaveform: return WaveformProvider::getWaveformSel(static_cast<eWaveform>(e));
    case ValueKind::kDistortionType: return Distortion::getDistortionSel(static_cast<eDistortionType>(e));
    case ValueKind::kInterpolation: return Distortion::getInterpSel(static_cast<eInterpolationType>(e));
    case ValueKind::kFilterMode1: return FilterUti::getFilterMode1Sel(static_cast<eFilterMode1>(e));
    case ValueKind::kFilterMode2: return FilterUti::getFilterMode2Sel(static_cast<eFilterMode2>(e));
    case ValueKind::kPlain: break;
  }
  return a.value;
}

void initKickParams(RirARorurProgram& program) {
  setBothEnvelopes(program, {0.01, 0.25, 0.0, 0.05, ADSR::kDefaultDuration});
  program.getSynthProgram()[KickTransposeMode] = 1.0;
}

void initADSRForLead1(RirARorurProgram& program) {
  setBothEnvelopes(program, {ADSR::kMinAttack, 0.25, 0.5, 0.1, 0.25});
}

void initADSRForLead2(RirARorurProgram& program) {
  setBothEnvelopes(program, {ADSR::kMinAttack, 0.2, 0.75, 0.1, 0.25});
}

void initADSRForLead3(RirARorurProgram& program) {
  setBothEnvelopes(program, {ADSR::kMinAttack, 0.0, 1.0, 0.1, 0.2});
}

void initADSRForPad1(RirARorurProgram& program) { setBothEnvelopes(program, {0.5, 0.5, 0.5, 0.5, 1.0}); }

void initADSRForPad2(RirARorurProgram& program) { setBothEnvelopes(program, {0.2, 0.8, 0.6, 0.1, 0.5}); }

void applyEnvelopeRoutine(RirARorurProgram& program, EnvelopeRoutine routine) {
  switch (routine) {
    case EnvelopeRoutine::kKick: initKickParams(program); break;
    case EnvelopeRoutine::kLead1: initADSRForLead1(program); break;
    case EnvelopeRoutine::kLead2: initADSRForLead2(program); break;
    case EnvelopeRoutine::kLead3: initADSRForLead3(program); break;
    case EnvelopeRoutine::kPad1: initADSRForPad1(program); break;
    case EnvelopeRoutine::kPad2: initADSRForPad2(program); break;
    case EnvelopeRoutine::kNone: break;
  }
}

int findProgramDefinition(const char* definitionName) {
  if (!definitionName) return -1;
  for (int i = 0; i < kNumProgramDefinitions; ++i) {
    if (std::strcmp(kProgramDefinitions[i].definitionName, definitionName) == 0) return i;
  }
  return -1;
}

void runProgramDefinition(RirARorurProgram& program, int position) {
  if (position < 0 || position >= kNumProgramDefinitions) return;
  const ProgramDefinition& d = kProgramDefinitions[position];
  switch (d.kind) {
    case DefinitionKind::kComplete: program.initCommonParams(); break;
    case DefinitionKind::kDerived: runProgramDefinition(program, d.base); break;
    case DefinitionKind::kPartial: break;
  }
  applyEnvelopeRoutine(program, d.envelope);
  program.setProgramName(d.programName);
  writeAssignments(program, d.values);
}

}  // namespace Quillvane
