#pragma once

#include <vector>

#include "framework/WDL_PtrList.h"

class IControl;

// Which of the editor's controls show each of the plug-in's parameters, in
// the order of the control list: a control counts once for its own parameter
// and once for the first of its extra bindings to it, its own first. The
// index is made again from the list at the first look-up after the list or a
// binding changed, so a parameter change costs the controls that show it,
// not the whole list.
class ParamControlIndex {
 public:
  struct Binding {
    // -1: the control's own parameter; else the position of its extra binding.
    int auxParamIdx;
    IControl* control;
  };
  struct Range {
    const Binding* first;
    const Binding* last;
    const Binding* begin() const { return first; }
    const Binding* end() const { return last; }
  };

  void Invalidate() {
    mStale = true;
    ++mChanges;
  }
  // Counts the invalidations: a range found before the count moved may hold
  // controls that are gone.
  unsigned Changes() const { return mChanges; }
  // Parameters 0 to nParams - 1 are indexed; others have no controls.
  Range Find(const WDL_PtrList<IControl>& controls, int nParams, int paramIdx);

 private:
  void Build(const WDL_PtrList<IControl>& controls, int nParams);

  // The bindings of parameter p are mBindings[mStart[p]] up to mBindings[mStart[p + 1]].
  std::vector<int> mStart;
  std::vector<Binding> mBindings;
  unsigned mChanges = 0;
  bool mStale = true;
};
