#include "dsp/Filter.h"

namespace Dsp {

Filter::~Filter() = default;

void Filter::setParams(const Params& parameters) {
  m_params = parameters;
  doSetParams(parameters);
}

Params Filter::getDefaultParams() const {
  Params params;
  const int numParams = getNumParams();
  for (int i = 0; i < numParams; ++i) params[i] = getParamInfo(i).getDefaultValue();
  return params;
}

int Filter::findParamId(int paramId) const {
  for (int i = getNumParams() - 1; i >= 0; --i) {
    if (getParamInfo(i).getId() == paramId) return i;
  }
  return -1;
}

void Filter::setParamById(int paramId, double nativeValue) {
  const int index = findParamId(paramId);
  if (index < 0) return;
  m_params[index] = nativeValue;
  doSetParams(m_params);
}

void Filter::copyParamsFrom(const Filter* other) {
  m_params = getDefaultParams();
  if (other != nullptr) {
    const int numParams = getNumParams();
    const int otherNumParams = other->getNumParams();
    for (int i = 0; i < numParams; ++i) {
      const ParamInfo info = getParamInfo(i);
      for (int j = 0; j < otherNumParams; ++j) {
        if (other->getParamInfo(j).getId() == info.getId()) {
          m_params[i] = info.clamp(other->getParam(j));
          break;
        }
      }
    }
  }
  doSetParams(m_params);
}

}  // namespace Dsp
