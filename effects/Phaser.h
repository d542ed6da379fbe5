#pragma once

#include "engine/AudioProcessingUnit.h"
#include "engine/OnePoleSmoother.h"

namespace Quillvane {

struct QVSample {
  double left;
  double right;
};

// Six first-order all-pass sections per channel, their break frequency swept
// by a sine LFO, fed back into their input and added to the dry signal.
class Phaser : public AudioProcessingUnit {
 public:
  static constexpr double kMaxPhaserRate = 10.0;
  static constexpr double kDefPhaserRate = 2.0;
  static constexpr double kDefPhaserFeedback = 0.5;
  static constexpr int kNumStages = 6;

  Phaser();

  // The sweep range and the LFO keep their frequencies in Hz across a change,
  // and the depth's glide its time.
  void setSampleRate(double rate) override;
  void setRate(double x);
  void setFeedback(double x) { mFeedback = kFeedbackScale * x; }
  void setDepth(double x) { mDepth = x; }
  void setRange(double minHz, double maxHz);
  // The depth's glide and the bypass fade end on their targets at once.
  void settle() override;

  double getPhaseIncrement() const { return mPhaseIncrement; }
  double getSweepMinimum() const { return mSweepMin; }
  double getSweepMaximum() const { return mSweepMax; }

  // Empties the all-pass chains, so that nothing rings on; the sweep goes on.
  void reset();
  // Whether anything it holds would still reach its output from silence
  // in, as it is set now: the chains' ringing, while it has depth.
  bool holdsSound() const;
  QVSample process(QVSample in);
  void process(double** channels, int n);
  void process(float** channels, int n);

 private:
  static constexpr double kFeedbackScale = 0.999;

  struct AllPassChain {
    double state[kNumStages] = {};
    double lastOutput = 0.0;
    double run(double in, double feedback, double coefficient);
    bool isClear() const;
  };

  template <typename Sample>
  void processBlock(Sample** channels, int n);
  void updateSweep();

  AllPassChain mLeft;
  AllPassChain mRight;
  double mMinHz = 440.0;
  double mMaxHz = 1600.0;
  double mSweepMin = 0.0;
  double mSweepMax = 0.0;
  double mFeedback = kDefPhaserFeedback;
  double mPhase = 0.0;
  double mRate = kDefPhaserRate / kMaxPhaserRate;
  double mPhaseIncrement = 0.0;
  double mDepth = 0.0;
  OnePoleSmoother mSmoothedDepth;
};

}  // namespace Quillvane
