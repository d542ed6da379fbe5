// Feeds arbitrary MIDI bytes, offsets, settings and block sizes through the
// receiver and the voices; the sanitizers catch any stray access.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/VoiceManager.h"
#include "tests/engine/StandInSynth.h"

namespace {

constexpr int kBlockSize = 64;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  auto synth = std::make_unique<testsupport::StandInSynth>(44100.0, kBlockSize);
  for (std::size_t i = 0; i + 5 <= size; i += 5) {
    const uint8_t* op = data + i;
    const int offset = static_cast<int8_t>(op[4]) * 4;
    switch (op[0] % 4) {
      case 0: {
        IMidiMsg msg(offset, op[1], op[2], op[3]);
        synth->mMidiReceiver.onMessageReceived(&msg);
        break;
      }
      case 1:
        synth->renderBlock(op[1] % (kBlockSize + 1));
        break;
      case 2:
        synth->setParameter(static_cast<Quillvane::Synth::eVstParameters>(op[1] % 72),
                            op[2] / 255.0);
        break;
      default:
        // Straight to the voices, as a preview note does, with any offset.
        synth->mVoiceManager.onNoteOn(op[1] - 64, op[2], offset);
        break;
    }
  }
  synth->renderBlock(kBlockSize);
  return 0;
}
