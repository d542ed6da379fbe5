#pragma once

#include <dlfcn.h>

#include <atomic>

namespace testsupport {

// For a function this program interposes: the next definition after this
// program's, normally the C library's. Looked up once into cache, without a
// guarded static, whose guard might itself lock or open.
template <class Function>
Function nextDefinition(std::atomic<Function>& cache, const char* name) {
  Function f = cache.load(std::memory_order_relaxed);
  if (!f) {
    f = reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
    cache.store(f, std::memory_order_relaxed);
  }
  return f;
}

}  // namespace testsupport
