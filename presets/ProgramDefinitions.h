#pragma once

#include <cstddef>

#include "effects/Distortion.h"
#include "effects/FilterUti.h"
#include "effects/LookUp.h"
#include "engine/WaveformProvider.h"
#include "program/RirARorurProgram.h"
#include "program/VstParameters.h"

namespace Quillvane {

// How a definition builds its preset: from the common starting values, from
// another definition, or on top of whatever the program object holds.
enum class DefinitionKind { kComplete, kDerived, kPartial };

// The shared envelope settings a definition may apply to both envelopes.
enum class EnvelopeRoutine { kNone, kKick, kLead1, kLead2, kLead3, kPad1, kPad2 };

// What an assignment's number means: the value itself, or an enumerator
// that goes through its selector law when the definition runs.
enum class ValueKind { kPlain, kWaveform, kDistortionType, kInterpolation, kFilterMode1, kFilterMode2 };

struct Assignment {
  constexpr Assignment(Synth::eVstParameters p, double v) : parameter(p), kind(ValueKind::kPlain), value(v) {}
  constexpr Assignment(Synth::eVstParameters p, ValueKind k, int enumerator)
      : parameter(p), kind(k), value(enumerator) {}

  Synth::eVstParameters parameter;
  ValueKind kind;
  double value;
};

constexpr Assignment wave1(eWaveform w) { return {Synth::OscWaveform1, ValueKind::kWaveform, w}; }
constexpr Assignment wave2(eWaveform w) { return {Synth::OscWaveform2, ValueKind::kWaveform, w}; }
constexpr Assignment wave3(eWaveform w) { return {Synth::OscWaveform3, ValueKind::kWaveform, w}; }
constexpr Assignment distortionType(eDistortionType t) {
  return {Synth::DistortionType, ValueKind::kDistortionType, t};
}
constexpr Assignment interpolation(eInterpolationType m) {
  return {Synth::DistortionInterpMode, ValueKind::kInterpolation, m};
}
constexpr Assignment filterMode1(eFilterMode1 m) { return {Synth::FilterMode1, ValueKind::kFilterMode1, m}; }
constexpr Assignment filterMode2(eFilterMode2 m) { return {Synth::FilterMode2, ValueKind::kFilterMode2, m}; }

// A view of one definition's assignments, in the order they are written.
class Assignments {
 public:
  constexpr Assignments() = default;
  template <std::size_t N>
  constexpr Assignments(const Assignment (&list)[N]) : mList(list), mSize(static_cast<int>(N)) {}

  constexpr const Assignment* begin() const { return mList; }
  constexpr const Assignment* end() const { return mList + mSize; }
  constexpr int size() const { return mSize; }

 private:
  const Assignment* mList = nullptr;
  int mSize = 0;
};

struct ProgramDefinition {
  const char* definitionName;  // "Init_QV_Bassdrum"
  const char* programName;     // the preset's name
  DefinitionKind kind;
  int base;                    // bank position of the base definition, -1 when none
  EnvelopeRoutine envelope;
  Assignments values;
};

inline constexpr int kNumProgramDefinitions = 128;

// The authored definitions in bank order.
extern const ProgramDefinition kProgramDefinitions[kNumProgramDefinitions];

// Bank position of the definition with that name, -1 when there is none.
int findProgramDefinition(const char* definitionName);

// Rebuilds the preset of a bank position in the program object. A partial
// definition keeps what the object held in the parameters it does not set.
// Values are written to the record as they stand, unclamped. Positions
// outside the bank are ignored.
void runProgramDefinition(RirARorurProgram& program, int position);

// Writes every definition into the program object in bank order, calling
// visit(position, program) after each; partial ones build on the preset
// before them.
template <typename Visit>
void runProgramDefinitionsInBankOrder(RirARorurProgram& program, Visit visit) {
  for (int position = 0; position < kNumProgramDefinitions; ++position) {
    runProgramDefinition(program, position);
    visit(position, static_cast<const RirARorurProgram&>(program));
  }
}

// The stored number of an assignment: its value, or its choice's selector.
double assignedValue(const Assignment& a);

void applyEnvelopeRoutine(RirARorurProgram& program, EnvelopeRoutine routine);
void initKickParams(RirARorurProgram& program);
void initADSRForLead1(RirARorurProgram& program);
void initADSRForLead2(RirARorurProgram& program);
void initADSRForLead3(RirARorurProgram& program);
void initADSRForPad1(RirARorurProgram& program);
void initADSRForPad2(RirARorurProgram& program);

}  // namespace Quillvane
