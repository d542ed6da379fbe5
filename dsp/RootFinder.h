#pragma once

#include "dsp/Types.h"

namespace Dsp {

// Finds the roots of a polynomial with complex coefficients by Laguerre's
// method with deflation, optional polishing and sorting. Storage belongs to
// the derived RootFinder; coefficient i multiplies x^i.
class RootFinderBase {
 public:
  RootFinderBase(const RootFinderBase&) = delete;
  RootFinderBase& operator=(const RootFinderBase&) = delete;

  int getMaxDegree() const { return m_maxDegree; }
  complex_t* coef() { return m_a; }
  const complex_t* root() const { return m_root; }
  complex_t* root() { return m_root; }

  // Finds degree roots; the array holds no polynomial of a higher degree
  // than maxDegree, so a larger degree counts as maxDegree. Throws
  // std::logic_error("laguerre failed") when an estimate does not converge.
  void solve(int degree, bool polish = true, bool doSort = true);

  // Orders the first degree roots by imaginary part, largest first; equal
  // keys keep their order.
  void sort(int degree);

  // The polynomial's value at x.
  complex_t eval(int degree, const complex_t& x) const;

  // Improves the root estimate x of the polynomial a of degree m in place;
  // its receives the number of the last iteration.
  static void laguerre(int m, const complex_t* a, complex_t& x, int& its);

 protected:
  RootFinderBase(int maxDegree, complex_t* a, complex_t* ad, complex_t* root)
      : m_maxDegree(maxDegree), m_a(a), m_ad(ad), m_root(root) {}

 private:
  int boundedDegree(int degree) const;

  int m_maxDegree;
  complex_t* m_a;
  complex_t* m_ad;
  complex_t* m_root;
};

template <int MaxDegree>
class RootFinder : public RootFinderBase {
 public:
  RootFinder() : RootFinderBase(MaxDegree, m_a, m_ad, m_r) {}

 private:
  complex_t m_a[MaxDegree + 1] = {};
  complex_t m_ad[MaxDegree + 1] = {};
  complex_t m_r[MaxDegree] = {};
};

}  // namespace Dsp
