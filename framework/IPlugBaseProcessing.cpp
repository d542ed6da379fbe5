#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/IPlugBase.h"

// Channel configuration, connections and the float/double glue around
// ProcessDoubleReplacing. Nothing here allocates once SetBlockSize has run.
// Host buffers are attached for one render: the render converts or fills
// only those, then lets them go, so a buffer attached for an earlier render
// is never read or written again.

bool IPlugBase::LegalIO(int nIn, int nOut) const {
  for (int i = 0; i < mChannelIO.GetSize(); ++i) {
    const ChannelIO* io = mChannelIO.Get(i);
    if ((nIn < 0 || io->mIn == nIn) && (nOut < 0 || io->mOut == nOut)) return true;
  }
  return false;
}

void IPlugBase::LimitToStereoIO() {
  if (NInChannels() > 2) SetInputChannelConnections(2, NInChannels() - 2, false);
  for (int i = 2; i < NOutChannels(); ++i) mOutChannels.Get(i)->mConnected = true;
}

void IPlugBase::SetInputChannelConnections(int idx, int n, bool connected) {
  const int end = std::min(idx + n, NInChannels());
  for (int i = std::max(idx, 0); i < end; ++i) {
    InChannel* channel = mInChannels.Get(i);
    channel->mConnected = connected;
    if (!connected) *channel->mSrc = channel->mScratchBuf.Get();
  }
}

void IPlugBase::SetOutputChannelConnections(int idx, int n, bool connected) {
  const int end = std::min(idx + n, NOutChannels());
  for (int i = std::max(idx, 0); i < end; ++i) {
    OutChannel* channel = mOutChannels.Get(i);
    channel->mConnected = connected;
    if (!connected) *channel->mDest = channel->mScratchBuf.Get();
  }
}

bool IPlugBase::IsInChannelConnected(int chIdx) const {
  const InChannel* channel = mInChannels.Get(chIdx);
  return channel && channel->mConnected;
}

bool IPlugBase::IsOutChannelConnected(int chIdx) const {
  const OutChannel* channel = mOutChannels.Get(chIdx);
  return channel && channel->mConnected;
}

void IPlugBase::SetInputLabel(int idx, const char* label) {
  if (InChannel* channel = mInChannels.Get(idx)) channel->mLabel.Set(label);
}

void IPlugBase::SetOutputLabel(int idx, const char* label) {
  if (OutChannel* channel = mOutChannels.Get(idx)) channel->mLabel.Set(label);
}

const char* IPlugBase::GetInputLabel(int idx) const {
  const InChannel* channel = mInChannels.Get(idx);
  return channel ? channel->mLabel.Get() : "";
}

const char* IPlugBase::GetOutputLabel(int idx) const {
  const OutChannel* channel = mOutChannels.Get(idx);
  return channel ? channel->mLabel.Get() : "";
}

namespace {
void SetBusLabel(WDL_PtrList<WDL_String>* labels, int idx, const char* label) {
  if (idx != 0 && idx != 1) return;
  labels->Delete(idx, true);
  WDL_String* text = new WDL_String(label);
  if (!labels->Insert(std::min(idx, labels->GetSize()), text)) delete text;
}
}  // namespace

void IPlugBase::SetInputBusLabel(int idx, const char* label) {
  SetBusLabel(&mInputBusLabels, idx, label);
}

void IPlugBase::SetOutputBusLabel(int idx, const char* label) {
  SetBusLabel(&mOutputBusLabels, idx, label);
}

bool IPlugBase::IsSampleRateSupported(double sampleRate) const { return std::isfinite(sampleRate) && sampleRate > 0.0; }

void IPlugBase::SetBlockSize(int blockSize) {
  if (blockSize < 0) blockSize = 0;
  if (blockSize == mBlockSize) return;
  bool allResized = true;
  auto resize = [&](WDL_TypedBuf<double>* scratch, double** entry, bool connected) {
    double* oldScratch = scratch->Get();
    scratch->Resize(blockSize);
    allResized &= scratch->GetSize() == blockSize;
    if (scratch->GetSize() > 0) std::memset(scratch->Get(), 0, sizeof(double) * scratch->GetSize());
    // The storage may have moved; an entry left on the old scratch would dangle.
    if (!connected || !*entry || *entry == oldScratch) *entry = scratch->Get();
  };
  for (int i = 0; i < NInChannels(); ++i) {
    InChannel* channel = mInChannels.Get(i);
    resize(&channel->mScratchBuf, channel->mSrc, channel->mConnected);
  }
  for (int i = 0; i < NOutChannels(); ++i) {
    OutChannel* channel = mOutChannels.Get(i);
    resize(&channel->mScratchBuf, channel->mDest, channel->mConnected);
  }
  // Without room for a whole block the glue renders silence rather than overrun.
  mBlockSize = allResized ? blockSize : 0;
}

void IPlugBase::ZeroScratchBuffers() {
  auto zero = [](WDL_TypedBuf<double>& scratch) {
    if (scratch.GetSize() > 0) std::memset(scratch.Get(), 0, sizeof(double) * scratch.GetSize());
  };
  for (int i = 0; i < NInChannels(); ++i) zero(mInChannels.Get(i)->mScratchBuf);
  for (int i = 0; i < NOutChannels(); ++i) zero(mOutChannels.Get(i)->mScratchBuf);
}

void IPlugBase::AttachInputBuffers(int idx, int n, double** buffers, int) {
  const int end = std::min(idx + n, NInChannels());
  int next = 0;
  for (int i = std::max(idx, 0); i < end; ++i) {
    InChannel* channel = mInChannels.Get(i);
    if (!channel->mConnected) continue;
    channel->mFSrc = nullptr;
    *channel->mSrc = buffers ? buffers[next++] : channel->mScratchBuf.Get();
  }
}

void IPlugBase::AttachInputBuffers(int idx, int n, float** buffers, int nFrames) {
  const int first = std::max(idx, 0);
  const int end = std::min(idx + n, NInChannels());
  int next = 0;
  for (int i = first; i < end; ++i) {
    InChannel* channel = mInChannels.Get(i);
    if (!channel->mConnected) continue;
    channel->mFSrc = buffers ? buffers[next++] : nullptr;
    *channel->mSrc = channel->mScratchBuf.Get();
  }
  ConvertInputChunk(first, end, 0, std::min(nFrames, mBlockSize));
}

void IPlugBase::AttachOutputBuffers(int idx, int n, double** buffers) {
  const int end = std::min(idx + n, NOutChannels());
  int next = 0;
  for (int i = std::max(idx, 0); i < end; ++i) {
    OutChannel* channel = mOutChannels.Get(i);
    if (!channel->mConnected) continue;
    channel->mFDest = nullptr;
    *channel->mDest = buffers ? buffers[next++] : channel->mScratchBuf.Get();
  }
}

void IPlugBase::AttachOutputBuffers(int idx, int n, float** buffers) {
  const int end = std::min(idx + n, NOutChannels());
  int next = 0;
  for (int i = std::max(idx, 0); i < end; ++i) {
    OutChannel* channel = mOutChannels.Get(i);
    if (!channel->mConnected) continue;
    *channel->mDest = channel->mScratchBuf.Get();
    channel->mFDest = buffers ? buffers[next++] : nullptr;
  }
}

void IPlugBase::ConvertInputChunk(int first, int end, int offset, int nFrames) {
  for (int i = first; i < end; ++i) {
    InChannel* channel = mInChannels.Get(i);
    double* scratch = channel->mScratchBuf.Get();
    if (!channel->mConnected || !scratch || nFrames <= 0) continue;
    if (channel->mFSrc) {
      const float* src = channel->mFSrc + offset;
      for (int s = 0; s < nFrames; ++s) scratch[s] = src[s];
    } else {
      std::memset(scratch, 0, sizeof(double) * nFrames);
    }
  }
}

void IPlugBase::ConvertOutputChunk(int offset, int nFrames, bool accumulate) {
  for (int i = 0; i < NOutChannels(); ++i) {
    OutChannel* channel = mOutChannels.Get(i);
    const double* src = *channel->mDest;
    if (!channel->mConnected || !channel->mFDest || !src) continue;
    float* dest = channel->mFDest + offset;
    if (accumulate) {
      for (int s = 0; s < nFrames; ++s) dest[s] += static_cast<float>(src[s]);
    } else {
      for (int s = 0; s < nFrames; ++s) dest[s] = static_cast<float>(src[s]);
    }
  }
}

namespace {
// Input i to output i where both exist, silence on the further outputs.
template <class T>
void CopyInputsToOutputs(T** inputs, T** outputs, int nIn, int nOut, int nFrames) {
  for (int i = 0; i < nOut; ++i) {
    if (!outputs[i]) continue;
    if (i < nIn && inputs[i]) {
      std::memmove(outputs[i], inputs[i], sizeof(T) * nFrames);
    } else {
      std::memset(outputs[i], 0, sizeof(T) * nFrames);
    }
  }
}
}  // namespace

void IPlugBase::PassThroughDoubles(double** inputs, double** outputs, int nFrames) {
  CopyInputsToOutputs(inputs, outputs, NInChannels(), NOutChannels(), nFrames);
}

void IPlugBase::ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames) {
  PassThroughDoubles(inputs, outputs, nFrames);
}

void IPlugBase::ProcessSingleReplacing(float** inputs, float** outputs, int nFrames) {
  CopyInputsToOutputs(inputs, outputs, NInChannels(), NOutChannels(), nFrames);
}

template <class ChunkFunc>
void IPlugBase::RenderInChunks(int nFrames, ChunkFunc renderChunk) {
  for (int offset = 0; offset < nFrames; offset += mBlockSize) {
    renderChunk(offset, std::min(mBlockSize, nFrames - offset));
  }
}

void IPlugBase::SilenceHostOutputs(double, int nFrames) {
  for (int i = 0; i < NOutChannels(); ++i) {
    OutChannel* channel = mOutChannels.Get(i);
    if (channel->mConnected && *channel->mDest && *channel->mDest != channel->mScratchBuf.Get()) {
      std::memset(*channel->mDest, 0, sizeof(double) * nFrames);
    }
  }
}

void IPlugBase::SilenceHostOutputs(float, int nFrames) {
  for (int i = 0; i < NOutChannels(); ++i) {
    OutChannel* channel = mOutChannels.Get(i);
    if (channel->mConnected && channel->mFDest) {
      std::memset(channel->mFDest, 0, sizeof(float) * nFrames);
    }
  }
}

void IPlugBase::ReleaseHostBuffers() {
  for (int i = 0; i < NInChannels(); ++i) {
    InChannel* channel = mInChannels.Get(i);
    channel->mFSrc = nullptr;
    *channel->mSrc = channel->mScratchBuf.Get();
  }
  for (int i = 0; i < NOutChannels(); ++i) {
    OutChannel* channel = mOutChannels.Get(i);
    channel->mFDest = nullptr;
    *channel->mDest = channel->mScratchBuf.Get();
  }
}

void IPlugBase::ProcessFloatChunks(int nFrames, bool passThrough, bool accumulate) {
  if (nFrames <= 0) return;
  if (mBlockSize <= 0) {
    if (!accumulate) SilenceHostOutputs(0.0f, nFrames);
    ReleaseHostBuffers();
    return;
  }
  // Connected inputs that this render gave no buffer are silent.
  for (int i = 0; i < NInChannels(); ++i) {
    InChannel* channel = mInChannels.Get(i);
    if (channel->mConnected && !channel->mFSrc) ConvertInputChunk(i, i + 1, 0, std::min(nFrames, mBlockSize));
  }
  RenderInChunks(nFrames, [&](int offset, int n) {
    // The first chunk was converted when the inputs were attached.
    if (offset > 0) ConvertInputChunk(0, NInChannels(), offset, n);
    if (passThrough) {
      PassThroughDoubles(mInData.Get(), mOutData.Get(), n);
    } else {
      ProcessDoubleReplacing(mInData.Get(), mOutData.Get(), n);
    }
    ConvertOutputChunk(offset, n, accumulate);
  });
  ReleaseHostBuffers();
}

void IPlugBase::ProcessBuffers(float, int nFrames) { ProcessFloatChunks(nFrames, false, false); }

void IPlugBase::PassThroughBuffers(float, int nFrames) {
  OnBypassedRender();
  ProcessFloatChunks(nFrames, true, false);
}

void IPlugBase::ProcessBuffersAccumulating(float, int nFrames) {
  ProcessFloatChunks(nFrames, false, true);
}

void IPlugBase::ProcessDoubleChunks(int nFrames, bool passThrough) {
  if (nFrames <= 0) return;
  if (mBlockSize <= 0) {
    SilenceHostOutputs(0.0, nFrames);
    ReleaseHostBuffers();
    return;
  }
  double** inputs = mInChunkData.Get();
  double** outputs = mOutChunkData.Get();
  RenderInChunks(nFrames, [&](int offset, int n) {
    // Host buffers move on with the chunk; scratch buffers hold one block only.
    for (int i = 0; i < NInChannels(); ++i) {
      double* entry = mInData.Get()[i];
      const bool host = entry && entry != mInChannels.Get(i)->mScratchBuf.Get();
      inputs[i] = host ? entry + offset : entry;
    }
    for (int i = 0; i < NOutChannels(); ++i) {
      double* entry = mOutData.Get()[i];
      const bool host = entry && entry != mOutChannels.Get(i)->mScratchBuf.Get();
      outputs[i] = host ? entry + offset : entry;
    }
    if (passThrough) {
      PassThroughDoubles(inputs, outputs, n);
    } else {
      ProcessDoubleReplacing(inputs, outputs, n);
    }
  });
  ReleaseHostBuffers();
}

void IPlugBase::ProcessBuffers(double, int nFrames) { ProcessDoubleChunks(nFrames, false); }

void IPlugBase::PassThroughBuffers(double, int nFrames) {
  OnBypassedRender();
  ProcessDoubleChunks(nFrames, true);
}
