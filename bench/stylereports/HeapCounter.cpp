#include "HeapCounter.h"

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <malloc.h>
#include <stdlib.h>

extern "C" {
void* __libc_malloc(size_t size);
void __libc_free(void* p);
void* __libc_calloc(size_t n, size_t size);
void* __libc_realloc(void* p, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
}

namespace {

// libpq is otherwise loaded to bind among its own libraries, which would
// send its result buffers to libc's malloc, past this counter.
[[maybe_unused]] const bool sharedMalloc = setenv("KV_LIBPQ_SHARED_MALLOC", "1", 1) == 0;

std::atomic<bool> counting{false};
std::atomic<long long> inUse{0};
std::atomic<long long> peak{0};

void Took(void* p) {
  if (!p || !counting.load(std::memory_order_relaxed)) return;
  const long long size = static_cast<long long>(malloc_usable_size(p));
  const long long now = inUse.fetch_add(size, std::memory_order_relaxed) + size;
  long long seen = peak.load(std::memory_order_relaxed);
  while (now > seen && !peak.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
  }
}

void Gave(void* p) {
  if (!p || !counting.load(std::memory_order_relaxed)) return;
  inUse.fetch_sub(static_cast<long long>(malloc_usable_size(p)), std::memory_order_relaxed);
}

}  // namespace

namespace kvbench::heap {

void Start() {
  inUse = 0;
  peak = 0;
  counting = true;
}

Use Stop() {
  counting = false;
  return {inUse.load(), peak.load()};
}

}  // namespace kvbench::heap

extern "C" {

void* malloc(size_t size) {
  void* p = __libc_malloc(size);
  Took(p);
  return p;
}

void free(void* p) {
  Gave(p);
  __libc_free(p);
}

void* calloc(size_t n, size_t size) {
  void* p = __libc_calloc(n, size);
  Took(p);
  return p;
}

void* realloc(void* p, size_t size) {
  Gave(p);
  void* q = __libc_realloc(p, size);
  if (q) Took(q);
  else if (p && size) Took(p);  // a failed realloc keeps the old block
  return q;
}

void* memalign(size_t alignment, size_t size) {
  void* p = __libc_memalign(alignment, size);
  Took(p);
  return p;
}

void* aligned_alloc(size_t alignment, size_t size) { return memalign(alignment, size); }

int posix_memalign(void** out, size_t alignment, size_t size) {
  void* p = memalign(alignment, size);
  if (!p) return ENOMEM;
  *out = p;
  return 0;
}

}  // extern "C"
