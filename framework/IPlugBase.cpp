#include "framework/IPlugBase.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/TextCopy.h"

void GetVersionParts(int version, int* major, int* minor, int* revision) {
  if (major) *major = version >> 16;
  if (minor) *minor = (version >> 8) & 0xFF;
  if (revision) *revision = version & 0xFF;
}

int GetDecimalVersion(int version) {
  const int major = (version >> 16) & 0xFFFF;
  return 10000 * major + 100 * ((version >> 8) & 0xFF) + (version & 0xFF);
}

void GetVersionStr(int version, char* text) {
  if (!text) return;
  int major, minor, revision;
  GetVersionParts(version, &major, &minor, &revision);
  std::snprintf(text, MAX_VERSION_STR_LEN, "v%d.%d.%d", major, minor, revision);
}

namespace {
// Appends one configuration per blank-separated "in-out" item; an item that
// does not match reads as 0 for what is missing.
void ParseChannelIO(const char* text, WDL_PtrList<IPlugBase::ChannelIO>* list, int* nIn,
                    int* nOut) {
  *nIn = *nOut = 0;
  if (!text) return;
  for (const char* item = text; item;) {
    int in = 0, out = 0;
    std::sscanf(item, "%d-%d", &in, &out);
    IPlugBase::ChannelIO* io = new IPlugBase::ChannelIO{in, out};
    if (!list->Add(io)) delete io;
    if (in > *nIn) *nIn = in;
    if (out > *nOut) *nOut = out;
    item = std::strchr(item, ' ');
    if (item) ++item;
  }
}
}  // namespace

IPlugBase::IPlugBase(int nParams, const char* channelIOStr, int nPresets, const char* effectName,
                     const char* productName, const char* mfrName, int vendorVersion, int uniqueID,
                     int mfrID, int latency, bool /*plugDoesMidi*/, bool plugDoesChunks,
                     bool plugIsInst, EAPI plugAPI)
    : mUniqueID(uniqueID),
      mMfrID(mfrID),
      mVersion(vendorVersion),
      mAPI(plugAPI),
      mStateChunks(plugDoesChunks),
      mIsInst(plugIsInst),
      mLatency(latency) {
  for (int i = 0; i < nParams; ++i) {
    IParam* param = new IParam;
    if (!mParams.Add(param)) delete param;
  }
  for (int i = 0; i < nPresets; ++i) {
    IPreset* preset = new IPreset;
    if (!mPresets.Add(preset)) delete preset;
  }
  CopyText(mEffectName, effectName, sizeof(mEffectName));
  CopyText(mProductName, productName, sizeof(mProductName));
  CopyText(mMfrName, mfrName, sizeof(mMfrName));

  int nIn = 0, nOut = 0;
  ParseChannelIO(channelIOStr, &mChannelIO, &nIn, &nOut);
  mInData.Resize(nIn);
  mOutData.Resize(nOut);
  mInChunkData.Resize(nIn);
  mOutChunkData.Resize(nOut);
  nIn = mInData.GetSize();
  nOut = mOutData.GetSize();
  for (int i = 0; i < nIn; ++i) mInData.Get()[i] = nullptr;
  for (int i = 0; i < nOut; ++i) mOutData.Get()[i] = nullptr;
  for (int i = 0; i < nIn; ++i) {
    InChannel* channel = new InChannel;
    channel->mSrc = mInData.Get() + i;
    if (!mInChannels.Add(channel)) delete channel;
  }
  for (int i = 0; i < nOut; ++i) {
    OutChannel* channel = new OutChannel;
    channel->mDest = mOutData.Get() + i;
    if (!mOutChannels.Add(channel)) delete channel;
  }
}

IPlugBase::~IPlugBase() {
  delete mGraphics;
  mGraphics = nullptr;
  mParams.Empty(true);
  mPresets.Empty(true);
  mInChannels.Empty(true);
  mOutChannels.Empty(true);
  mChannelIO.Empty(true);
  mInputBusLabels.Empty(true);
  mOutputBusLabels.Empty(true);
}

void IPlugBase::Reset() { WDL_MutexLock lock(&mMutex); }

void IPlugBase::OnParamChange(int) { WDL_MutexLock lock(&mMutex); }

void IPlugBase::OnActivate(bool) { WDL_MutexLock lock(&mMutex); }

void IPlugBase::ProcessMidiMsg(IMidiMsg* msg) { SendMidiMsg(msg); }

bool IPlugBase::MidiNoteName(int, char* text) {
  if (text) text[0] = '\0';
  return false;
}

bool IPlugBase::SerializeState(ByteChunk* chunk) { return SerializeParams(chunk); }

int IPlugBase::UnserializeState(ByteChunk* chunk, int startPos) {
  return UnserializeParams(chunk, startPos);
}

bool IPlugBase::CompareState(const unsigned char* data, int dataSize, int startPos) {
  const int n = NParams();
  if (n == 0) return true;
  const long long needed = (static_cast<long long>(startPos) + n) * static_cast<long long>(sizeof(double));
  if (!data || startPos < 0 || dataSize < needed) return false;
  for (int i = 0; i < n; ++i) {
    double incoming;
    std::memcpy(&incoming, data + (static_cast<std::size_t>(startPos) + i) * sizeof(double),
                sizeof(double));
    const float ours = static_cast<float>(GetParam(i)->Value());
    if (!(std::fabs(ours - static_cast<float>(incoming)) < 1e-05f)) return false;
  }
  return true;
}

void IPlugBase::SetParameterFromGUI(int paramIdx, double normalizedValue) {
  WDL_MutexLock lock(&mMutex);
  IParam* param = GetParam(paramIdx);
  // A refused value changes nothing, so there is nothing to tell or apply.
  if (!param || !param->SetNormalized(normalizedValue)) return;
  InformHostOfParamChange(paramIdx, IParam::ClampNormalized(normalizedValue));
  OnParamChange(paramIdx);
}

void IPlugBase::AttachGraphics(IPlugGUI* graphics) {
  if (!graphics) return;
  WDL_MutexLock lock(&mMutex);
  for (int i = 0; i < NParams(); ++i) {
    graphics->SetParameterFromPlug(i, GetParam(i)->GetNormalized(), true);
  }
  graphics->PrepDraw();
  // A second editor replaces the first, which the object owned.
  if (mGraphics != graphics) delete mGraphics;
  mGraphics = graphics;
}

void IPlugBase::RedrawParamControls() {
  if (!mGraphics) return;
  for (int i = 0; i < NParams(); ++i) {
    mGraphics->SetParameterFromPlug(i, GetParam(i)->Value(), false);
  }
}

void IPlugBase::OnParamReset() {
  ParamSetScope set(this);
  for (int i = 0; i < NParams(); ++i) OnParamChange(i);
}

IPlugBase::ParamSetScope::ParamSetScope(IPlugBase* plug) : mLock(&plug->mMutex), mPlug(plug) {
  if (mPlug->mParamSetDepth++ == 0) mPlug->BeginParamSet();
}

IPlugBase::ParamSetScope::~ParamSetScope() {
  if (--mPlug->mParamSetDepth == 0) mPlug->EndParamSet();
}

void IPlugBase::DirtyParameters() {
  WDL_MutexLock lock(&mMutex);
  for (int i = 0; i < NParams(); ++i) InformHostOfParamChange(i, GetParam(i)->GetNormalized());
}

int IPlugBase::GetEffectVersion(bool decimal) const {
  return decimal ? GetDecimalVersion(mVersion) : mVersion;
}

void IPlugBase::GetEffectVersionStr(char* text) const { GetVersionStr(mVersion, text); }

int IPlugBase::GetHostVersion(bool decimal) {
  GetHost();
  return decimal ? GetDecimalVersion(mHostVersion) : mHostVersion;
}

void IPlugBase::GetHostVersionStr(char* text) {
  GetHost();
  GetVersionStr(mHostVersion, text);
}

void IPlugBase::SetHost(const char* name, int version) {
  mHost = LookUpHost(name);
  mHostVersion = version;
}

const char* IPlugBase::GetAPIString() {
  switch (GetAPI()) {
    case kAPIVST2: return "VST2";
    case kAPIVST3: return "VST3";
    case kAPIAU: return "AU";
    case kAPIRTAS: return "RTAS";
    case kAPIAAX: return "AAX";
    case kAPISA: return "Standalone";
    default: return "";
  }
}

double IPlugBase::GetSamplesPerBeat() {
  const double tempo = GetTempo();
  return tempo > 0.0 ? mSampleRate * 60.0 / tempo : 0.0;
}

bool IPlugBase::SendMidiMsgs(WDL_TypedBuf<IMidiMsg>* msgs) {
  bool allSent = true;
  if (!msgs) return allSent;
  for (int i = 0; i < msgs->GetSize(); ++i) allSent &= SendMidiMsg(msgs->Get() + i);
  return allSent;
}
