#pragma once

#include <cstdio>
#include <string>

// A one-line bar redrawn in place on a terminal; silent when the stream is
// not one, so logs and pipes stay clean.
class ProgressBar {
 public:
  ProgressBar(std::FILE* stream, int total);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void update(int done, const std::string& label);

 private:
  std::FILE* mStream;
  int mTotal;
  bool mShown = false;
};
