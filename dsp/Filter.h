#pragma once

#include <string>
#include <vector>

#include "dsp/Param.h"
#include "dsp/Types.h"

namespace Dsp {

// What a filter does, for display.
enum Kind {
  kindLowPass = 0,
  kindHighPass = 1,
  kindBandPass = 2,
  kindBandStop = 3,
  kindLowShelf = 4,
  kindHighShelf = 5,
  kindBandShelf = 6
};

// The interface every filter of the library is used through: a parameter
// vector in native units with descriptors, redesign on change, and in-place
// processing of one array per channel.
class Filter {
 public:
  virtual ~Filter();

  virtual Kind getKind() const = 0;
  virtual std::string getName() const = 0;
  virtual int getNumParams() const = 0;
  // Throws std::logic_error for an index the filter has no parameter for.
  virtual ParamInfo getParamInfo(int index) const = 0;
  virtual std::vector<PoleZeroPair> getPoleZeros() const = 0;
  // normalizedFrequency is a fraction of the sample rate.
  virtual complex_t response(double normalizedFrequency) const = 0;

  virtual int getNumChannels() const = 0;
  // Clears the signal history only.
  virtual void reset() = 0;
  // Whether any channel's history is not zero: whether silence in may still
  // give anything out.
  virtual bool holdsSignal() const = 0;
  virtual void process(int numSamples, float* const* arrayOfChannels) = 0;
  virtual void process(int numSamples, double* const* arrayOfChannels) = 0;
  // Length of the ramp that later parameter changes glide over.
  virtual void doSetTransitionSamples(int transitionSamples) = 0;
  // Ends a running ramp on its target at once; the history stays.
  virtual void settle() = 0;

  const Params& getParams() const { return m_params; }
  double getParam(int index) const { return m_params[index]; }
  void setParams(const Params& parameters);
  Params getDefaultParams() const;
  // With duplicate ids the highest index wins; -1 when absent.
  int findParamId(int paramId) const;
  // Does nothing when the filter has no parameter with that id.
  void setParamById(int paramId, double nativeValue);
  // Starts from the defaults and takes, clamped to this filter's ranges, the
  // values of the parameters other shares by id; other may be null.
  void copyParamsFrom(const Filter* other);

 protected:
  // Redesigns for parameters; reached only through setParams and its
  // siblings so the stored vector always matches the design.
  virtual void doSetParams(const Params& parameters) = 0;

 private:
  Params m_params;
};

}  // namespace Dsp
