#include <cmath>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dsp/Bessel.h"
#include "dsp/Butterworth.h"
#include "dsp/ChebyshevI.h"
#include "dsp/ChebyshevII.h"
#include "dsp/Elliptic.h"
#include "dsp/SmoothedFilterDesign.h"
#include "tests/dsp/ReferenceTable.h"

namespace {

const int kMaxOrder = 8;

struct Case {
  std::string family;
  std::string btype;
  int order;
  double fs;
  double f1;
  double f2;
  double arg1;
  double arg2;
  std::vector<double> magnitudes;
};

template <class Design>
std::vector<double> magnitudesOf(const Design& design, const std::vector<double>& freqs) {
  std::vector<double> m;
  for (double f : freqs) m.push_back(std::abs(design.response(f)));
  return m;
}

// Runs the family's setup for the case: cutoff for low and high pass,
// centre and width for the band designs, then the family's own arguments.
template <class Base, class... Extra>
std::vector<double> designed(const Case& c, const std::vector<double>& freqs, Extra... extra) {
  auto filter = std::make_unique<Dsp::PoleFilter<Base, kMaxOrder>>();
  if constexpr (Base::kDigitalPolesPerAnalogPole == 2) {
    filter->setup(c.order, c.fs, c.f1, c.f2, extra...);
  } else {
    filter->setup(c.order, c.fs, c.f1, extra...);
  }
  return magnitudesOf(*filter, freqs);
}

template <class LowPass, class HighPass, class BandPass, class BandStop, class... Extra>
std::vector<double> byType(const Case& c, const std::vector<double>& freqs, Extra... extra) {
  if (c.btype == "lowpass") return designed<LowPass>(c, freqs, extra...);
  if (c.btype == "highpass") return designed<HighPass>(c, freqs, extra...);
  if (c.btype == "bandpass") return designed<BandPass>(c, freqs, extra...);
  return designed<BandStop>(c, freqs, extra...);
}

std::vector<double> compute(const Case& c, const std::vector<double>& freqs) {
  using namespace Dsp;
  if (c.family == "butterworth") {
    return byType<Butterworth::LowPassBase, Butterworth::HighPassBase, Butterworth::BandPassBase,
                  Butterworth::BandStopBase>(c, freqs);
  }
  if (c.family == "chebyshev1") {
    return byType<ChebyshevI::LowPassBase, ChebyshevI::HighPassBase, ChebyshevI::BandPassBase,
                  ChebyshevI::BandStopBase>(c, freqs, c.arg1);
  }
  if (c.family == "chebyshev2") {
    return byType<ChebyshevII::LowPassBase, ChebyshevII::HighPassBase, ChebyshevII::BandPassBase,
                  ChebyshevII::BandStopBase>(c, freqs, c.arg1);
  }
  if (c.family == "bessel") {
    Bessel::Workspace<kMaxOrder> workspace;
    return byType<Bessel::LowPassBase, Bessel::HighPassBase, Bessel::BandPassBase,
                  Bessel::BandStopBase>(c, freqs, static_cast<Bessel::WorkspaceBase*>(&workspace));
  }
  return byType<Elliptic::LowPassBase, Elliptic::HighPassBase, Elliptic::BandPassBase,
                Elliptic::BandStopBase>(c, freqs, c.arg1, c.arg2);
}

// The same design through the filter interface, where the instrument wraps
// one; empty otherwise.
std::vector<double> throughFilter(const Case& c, const std::vector<double>& freqs) {
  using namespace Dsp;
  std::unique_ptr<Filter> filter;
  if (c.family == "butterworth" && c.order <= 2) {
    if (c.btype == "highpass") {
      filter = std::make_unique<SmoothedFilterDesign<Butterworth::Design::HighPass<2>, 2, DirectFormI>>(512);
    } else if (c.btype == "bandpass") {
      filter = std::make_unique<SmoothedFilterDesign<Butterworth::Design::BandPass<2>, 2, DirectFormI>>(512);
    } else if (c.btype == "bandstop") {
      filter = std::make_unique<SmoothedFilterDesign<Butterworth::Design::BandStop<2>, 2, DirectFormI>>(512);
    }
  } else if (c.family == "chebyshev1" && c.order <= 4) {
    if (c.btype == "lowpass") {
      filter = std::make_unique<SmoothedFilterDesign<ChebyshevI::Design::LowPass<4>, 2, DirectFormII>>(512);
    } else if (c.btype == "highpass") {
      filter = std::make_unique<SmoothedFilterDesign<ChebyshevI::Design::HighPass<4>, 2, DirectFormII>>(512);
    }
  }
  if (!filter) return {};

  Params p;
  p[0] = c.fs;
  p[1] = c.order;
  p[2] = c.f1;
  p[3] = c.btype == "bandpass" || c.btype == "bandstop" ? c.f2 : c.arg1;
  filter->setParams(p);
  return magnitudesOf(*filter, freqs);
}

// Largest relative error where the reference magnitude exceeds 1e-6.
double worstError(const std::vector<double>& expected, const std::vector<double>& actual) {
  double worst = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (expected[i] > 1e-6) {
      worst = std::max(worst, std::fabs(actual[i] - expected[i]) / expected[i]);
    }
  }
  return worst;
}

TEST(ReferenceResponse, MagnitudesMatchTheReferenceDesigns) {
  const auto table = dsptest::readReferenceTable("responses.csv");
  ASSERT_GT(table.size(), 1u);
  ASSERT_EQ(table[0][0], "freqs");
  const std::vector<double> freqs = dsptest::toDoubles(table[0], 1);

  std::map<std::string, double> worst;
  int wrapped = 0;
  for (std::size_t r = 1; r < table.size(); ++r) {
    const auto& row = table[r];
    ASSERT_EQ(row.size(), 8 + freqs.size());
    const Case c{row[0], row[1], std::stoi(row[2]), std::stod(row[3]), std::stod(row[4]),
                 std::stod(row[5]), std::stod(row[6]), std::stod(row[7]),
                 dsptest::toDoubles(row, 8)};
    std::ostringstream trace;
    trace << c.family << " " << c.btype << " order " << c.order << " fs " << c.fs << " f "
          << c.f1 << "/" << c.f2 << " args " << c.arg1 << "/" << c.arg2;
    SCOPED_TRACE(trace.str());

    const double error = worstError(c.magnitudes, compute(c, freqs));
    EXPECT_LE(error, 1e-7);
    worst[c.family] = std::max(worst[c.family], error);

    const std::vector<double> filtered = throughFilter(c, freqs);
    if (!filtered.empty()) {
      ++wrapped;
      EXPECT_LE(worstError(c.magnitudes, filtered), 1e-7) << "through the filter interface";
    }
  }
  for (const auto& [family, error] : worst) {
    std::ostringstream text;
    text << error;
    RecordProperty(family, text.str());
  }
  EXPECT_EQ(worst.size(), 5u);
  EXPECT_GT(wrapped, 0);
}

}  // namespace
