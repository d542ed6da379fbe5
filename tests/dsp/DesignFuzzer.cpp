// Drives every design with arbitrary parameter values, orders, transition
// lengths and block sizes: nothing may crash, hang, overrun or invoke
// undefined behaviour, whatever the numbers.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

#include "dsp/Bessel.h"
#include "dsp/Butterworth.h"
#include "dsp/ChebyshevI.h"
#include "dsp/ChebyshevII.h"
#include "dsp/Elliptic.h"
#include "dsp/Legendre.h"
#include "dsp/RBJ.h"
#include "dsp/SmoothedFilterDesign.h"
#include "tests/support/FuzzBytes.h"

namespace {

using testsupport::FuzzBytes;

std::unique_ptr<Dsp::Filter> makeFilter(int which) {
  using namespace Dsp;
  switch (which % 14) {
    case 0: return std::make_unique<SmoothedFilterDesign<Butterworth::Design::LowShelf<2>, 2, DirectFormI>>(512);
    case 1: return std::make_unique<SmoothedFilterDesign<Butterworth::Design::HighShelf<2>, 2, DirectFormI>>(512);
    case 2: return std::make_unique<SmoothedFilterDesign<Butterworth::Design::BandShelf<2>, 2, DirectFormI>>(512);
    case 3: return std::make_unique<SmoothedFilterDesign<Butterworth::Design::BandPass<2>, 2, DirectFormI>>(512);
    case 4: return std::make_unique<SmoothedFilterDesign<Butterworth::Design::BandStop<2>, 2, DirectFormI>>(512);
    case 5: return std::make_unique<SmoothedFilterDesign<Butterworth::Design::HighPass<2>, 2, DirectFormI>>(512);
    case 6: return std::make_unique<SmoothedFilterDesign<ChebyshevI::Design::LowPass<2>, 2, DirectFormI>>(512);
    case 7: return std::make_unique<SmoothedFilterDesign<ChebyshevI::Design::HighPass<2>, 2, DirectFormI>>(512);
    case 8: return std::make_unique<SmoothedFilterDesign<ChebyshevI::Design::LowPass<4>, 2, DirectFormII>>(512);
    case 9: return std::make_unique<SmoothedFilterDesign<ChebyshevI::Design::HighPass<4>, 2, DirectFormII>>(512);
    case 10: return std::make_unique<SmoothedFilterDesign<RBJ::Design::LowPass, 2, DirectFormII>>(512);
    case 11: return std::make_unique<SmoothedFilterDesign<RBJ::Design::HighPass, 2, DirectFormII>>(512);
    case 12: return std::make_unique<SmoothedFilterDesign<RBJ::Design::BandPass1, 2, DirectFormII>>(512);
    default: return std::make_unique<SmoothedFilterDesign<RBJ::Design::BandStop, 2, DirectFormII>>(512);
  }
}

void driveFilter(FuzzBytes& in) {
  std::unique_ptr<Dsp::Filter> filter = makeFilter(in.Byte());
  std::unique_ptr<Dsp::Filter> other = makeFilter(in.Byte());
  std::vector<double> left(256);
  std::vector<double> right(256);
  std::vector<float> floats(256);
  while (!in.Empty()) {
    switch (in.Byte() % 8) {
      case 0: {
        Dsp::Params p;
        for (int i = 0; i < Dsp::Params::kMaxParameters; ++i) p[i] = in.Value<double>();
        filter->setParams(p);
        break;
      }
      case 1: {
        const int index = in.Byte() % 8;
        if (index < filter->getNumParams()) {
          const Dsp::ParamInfo info = filter->getParamInfo(index);
          filter->setParamById(info.getId(), info.toNativeValue(in.Value<double>()));
          info.toString(in.Value<double>());
        }
        break;
      }
      case 2:
        filter->doSetTransitionSamples(static_cast<int>(in.Byte()) * 17 - 100);
        break;
      case 3: {
        const int n = in.Byte();
        for (int i = 0; i < n; ++i) left[i] = right[i] = in.Byte() / 128.0 - 1;
        double* channels[2] = {left.data(), right.data()};
        filter->process(n, channels);
        break;
      }
      case 4: {
        const int n = in.Byte();
        float* channels[2] = {floats.data(), floats.data() + 128};
        filter->process(n / 2, channels);
        break;
      }
      case 5:
        filter->reset();
        break;
      case 6:
        filter->response(in.Value<double>());
        filter->getPoleZeros();
        break;
      default:
        other->setParams(other->getDefaultParams());
        filter->copyParamsFrom(in.Byte() & 1 ? other.get() : nullptr);
        break;
    }
  }
}

// The families no filter wraps, through their setups.
void driveSetups(FuzzBytes& in) {
  const int order = in.Byte() % 12 - 1;
  const double fs = in.Value<double>();
  const double f1 = in.Value<double>();
  const double f2 = in.Value<double>();
  const double a = in.Value<double>();
  const double b = in.Value<double>();
  try {
    switch (in.Byte() % 12) {
      case 0: { Dsp::PoleFilter<Dsp::ChebyshevI::BandShelfBase, 8> f; f.setup(order, fs, f1, f2, a, b); break; }
      case 1: { Dsp::PoleFilter<Dsp::ChebyshevI::LowShelfBase, 8> f; f.setup(order, fs, f1, a, b); break; }
      case 2: { Dsp::PoleFilter<Dsp::ChebyshevII::BandStopBase, 8> f; f.setup(order, fs, f1, f2, a); break; }
      case 3: { Dsp::PoleFilter<Dsp::ChebyshevII::HighShelfBase, 8> f; f.setup(order, fs, f1, a, b); break; }
      case 4: { Dsp::PoleFilter<Dsp::Elliptic::BandPassBase, 8> f; f.setup(order, fs, f1, f2, a, b); break; }
      case 5: { Dsp::PoleFilter<Dsp::Elliptic::LowPassBase, 8> f; f.setup(order, fs, f1, a, b); break; }
      case 6: {
        Dsp::Bessel::Workspace<8> w;
        Dsp::PoleFilter<Dsp::Bessel::LowShelfBase, 8> f;
        f.setup(order, fs, f1, a, &w);
        break;
      }
      case 7: {
        Dsp::Bessel::Workspace<6> w;
        Dsp::PoleFilter<Dsp::Bessel::BandStopBase, 8> f;
        f.setup(order, fs, f1, f2, &w);
        break;
      }
      case 8: {
        Dsp::Legendre::Workspace<8> w;
        Dsp::PoleFilter<Dsp::Legendre::BandPassBase, 8> f;
        f.setup(order, fs, f1, f2, &w);
        break;
      }
      case 9: { Dsp::PoleFilter<Dsp::Butterworth::BandShelfBase, 8> f; f.setup(order, fs, f1, f2, a); break; }
      case 10: { Dsp::RBJ::BandShelf s; s.setup(fs, f1, a, b); break; }
      default: { Dsp::RBJ::LowShelf s; s.setup(fs, f1, a, b); break; }
    }
  } catch (const std::logic_error&) {
    // The root finder may give up on absurd arguments; that is reported.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzBytes in(data, size);
  if (in.Byte() & 1) {
    driveFilter(in);
  } else {
    driveSetups(in);
  }
  return 0;
}
