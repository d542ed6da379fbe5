#include "tools/thudrokka/ProgressBar.h"

#include <unistd.h>

namespace {
constexpr int kWidth = 30;
constexpr std::size_t kLabelWidth = 32;
}  // namespace

ProgressBar::ProgressBar(std::FILE* stream, int total)
    : mStream(isatty(fileno(stream)) ? stream : nullptr), mTotal(total > 0 ? total : 1) {}

ProgressBar::~ProgressBar() {
  if (mShown) std::fputc('\n', mStream);
}

void ProgressBar::update(int done, const std::string& label) {
  if (!mStream) return;
  const int filled = done * kWidth / mTotal;
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.resize(kWidth, '.');
  std::string shown = label.substr(0, kLabelWidth);
  shown.resize(kLabelWidth, ' ');
  std::fprintf(mStream, "\r[%s] %d/%d %s", bar.c_str(), done, mTotal, shown.c_str());
  std::fflush(mStream);
  mShown = true;
}
