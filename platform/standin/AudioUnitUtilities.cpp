#include "platform/standin/AudioUnitUtilities.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace {

std::mutex gSinkLock;
std::vector<std::pair<standin::AUEventSink, void*>> gSinks;

}  // namespace

void standin::AddAUEventSink(AUEventSink sink, void* userData) {
  std::lock_guard<std::mutex> lock(gSinkLock);
  gSinks.emplace_back(sink, userData);
}

void standin::RemoveAUEventSink(AUEventSink sink, void* userData) {
  std::lock_guard<std::mutex> lock(gSinkLock);
  auto it = std::find(gSinks.begin(), gSinks.end(), std::make_pair(sink, userData));
  if (it != gSinks.end()) gSinks.erase(it);
}

OSStatus AUEventListenerNotify(AUEventListenerRef, void*, const AudioUnitEvent* event) {
  if (!event) return paramErr;
  std::vector<std::pair<standin::AUEventSink, void*>> sinks;
  {
    std::lock_guard<std::mutex> lock(gSinkLock);
    sinks = gSinks;
  }
  for (const auto& sink : sinks) sink.first(sink.second, *event);
  return noErr;
}
