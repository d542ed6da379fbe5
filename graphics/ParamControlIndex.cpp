#include "graphics/ParamControlIndex.h"

#include <numeric>

#include "graphics/IControl.h"

namespace {

// f(paramIdx, auxParamIdx, control) for every binding to an indexed
// parameter, in list order.
template <class F>
void VisitBindings(const WDL_PtrList<IControl>& controls, int nParams, F f) {
  for (int i = 0; i < controls.GetSize(); ++i) {
    IControl* c = controls.Get(i);
    if (c->ParamIdx() >= 0 && c->ParamIdx() < nParams) f(c->ParamIdx(), -1, c);
    for (int aux = 0; aux < c->NAuxParams(); ++aux) {
      const int paramIdx = c->GetAuxParam(aux)->mParamIdx;
      if (paramIdx >= 0 && paramIdx < nParams && c->AuxParamIdx(paramIdx) == aux) f(paramIdx, aux, c);
    }
  }
}

}  // namespace

void ParamControlIndex::Build(const WDL_PtrList<IControl>& controls, int nParams) {
  // Counted per parameter, then placed in list order.
  mStart.assign(nParams + 1, 0);
  VisitBindings(controls, nParams, [this](int paramIdx, int, IControl*) { ++mStart[paramIdx + 1]; });
  std::partial_sum(mStart.begin(), mStart.end(), mStart.begin());
  mBindings.resize(mStart[nParams]);
  std::vector<int> next(mStart.begin(), mStart.end() - 1);
  VisitBindings(controls, nParams, [this, &next](int paramIdx, int aux, IControl* c) {
    mBindings[next[paramIdx]++] = Binding{aux, c};
  });
  mStale = false;
}

ParamControlIndex::Range ParamControlIndex::Find(const WDL_PtrList<IControl>& controls, int nParams, int paramIdx) {
  if (mStale) Build(controls, nParams < 0 ? 0 : nParams);
  const Binding* bindings = mBindings.data();
  if (paramIdx < 0 || paramIdx >= static_cast<int>(mStart.size()) - 1) return Range{bindings, bindings};
  return Range{bindings + mStart[paramIdx], bindings + mStart[paramIdx + 1]};
}
