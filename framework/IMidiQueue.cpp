#include "framework/IMidiQueue.h"

#include <cstdlib>
#include <cstring>

IMidiQueue::IMidiQueue(int size) : mGrow(size > 0 ? size : 0) {
  if (mGrow > 0) {
    mBuf = static_cast<IMidiMsg*>(std::malloc(sizeof(IMidiMsg) * static_cast<std::size_t>(mGrow)));
    if (mBuf) mSize = mGrow;
  }
}

IMidiQueue::~IMidiQueue() { std::free(mBuf); }

void IMidiQueue::Add(const IMidiMsg* msg) {
  if (!msg) return;
  if (mBack >= mSize) {
    if (mFront > 0) {
      std::memmove(static_cast<void*>(mBuf), mBuf + mFront, sizeof(IMidiMsg) * (mBack - mFront));
      mBack -= mFront;
      mFront = 0;
    } else {
      if (mGrow <= 0) return;
      const long long newSize = (static_cast<long long>(mSize) / mGrow + 1) * mGrow;
      if (newSize > 0x7FFFFFFF / static_cast<long long>(sizeof(IMidiMsg))) return;
      void* grown = std::realloc(mBuf, sizeof(IMidiMsg) * static_cast<std::size_t>(newSize));
      if (!grown) return;
      mBuf = static_cast<IMidiMsg*>(grown);
      mSize = static_cast<int>(newSize);
    }
  }

  int at = mBack;
  if (mBack > mFront && msg->mOffset < mBuf[mBack - 1].mOffset) {
    // Usually messages arrive in order; otherwise scan back for the last one
    // not later than this message and go right after it.
    at = mFront;
    for (int i = mBack - 2; i >= mFront; --i) {
      if (mBuf[i].mOffset <= msg->mOffset) {
        at = i + 1;
        break;
      }
    }
    std::memmove(static_cast<void*>(mBuf + at + 1), mBuf + at, sizeof(IMidiMsg) * (mBack - at));
  }
  mBuf[at] = *msg;
  ++mBack;
}

void IMidiQueue::Remove() {
  if (mFront < mBack) ++mFront;
}

IMidiMsg* IMidiQueue::Peek() const { return mFront < mBack ? mBuf + mFront : nullptr; }

void IMidiQueue::Flush(int nFrames) {
  if (mFront > 0) {
    mBack -= mFront;
    if (mBack > 0) std::memmove(static_cast<void*>(mBuf), mBuf + mFront, sizeof(IMidiMsg) * mBack);
    mFront = 0;
  }
  for (int i = 0; i < mBack; ++i) mBuf[i].mOffset -= nFrames;
}
