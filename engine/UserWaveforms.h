#pragma once

namespace Quillvane {

// The fifteen user waveform tables, shared by every provider in the process.
// They start from compiled-in single-cycle shapes and can be replaced from
// waveform files.
extern double gQvWaveform01[4096];
extern double gQvWaveform02[4096];
extern double gQvWaveform03[4096];
extern double gQvWaveform04[4096];
extern double gQvWaveform05[4096];
extern double gQvWaveform06[4096];
extern double gQvWaveform07[4096];
extern double gQvWaveform08[4096];
extern double gQvWaveform09[4096];
extern double gQvWaveform10[4096];
extern double gQvWaveform11[4096];
extern double gQvWaveform12[4096];
extern double gQvWaveform13[4096];
extern double gQvWaveform14[4096];
extern double gQvWaveform15[4096];

// gQvWaveform01 .. gQvWaveform15 by position 0..14.
extern double* const gQvUserWaveforms[15];

}  // namespace Quillvane
