#include "PgLibrary.h"

#include <dlfcn.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "KvDb.h"

namespace kdb {

namespace {

constexpr const char* kLibraryNames[] = {"libpq.so.5", "libpq.so"};

std::mutex& LoadMutex() {
  static std::mutex m;
  return m;
}
std::atomic<const PgLibrary*> loaded{nullptr};

const PgLibrary* Load() {
  void* handle = nullptr;
  QString why;
  for (const char* name : kLibraryNames) {
    handle = dlopen(name, RTLD_NOW | RTLD_LOCAL);
    if (handle) break;
    if (why.isEmpty()) why = QString::fromLocal8Bit(dlerror());
  }
  if (!handle) throw DbError("The PostgreSQL client library could not be loaded: " + why);
  auto* lib = new PgLibrary;  // kept for the run, as the library is
#define KV_LIBPQ_RESOLVE(name)                                                              \
  lib->name = reinterpret_cast<decltype(lib->name)>(dlsym(handle, #name));                 \
  if (!lib->name) {                                                                         \
    delete lib;                                                                             \
    throw DbError("The PostgreSQL client library has no function " + QString(#name));      \
  }
  KV_LIBPQ_FUNCTIONS(KV_LIBPQ_RESOLVE)
#undef KV_LIBPQ_RESOLVE
  return lib;
}

}  // namespace

const PgLibrary& LibPq() {
  if (const PgLibrary* lib = loaded.load(std::memory_order_acquire)) return *lib;
  // A preload running in the background is waited for here.
  const std::lock_guard<std::mutex> lock(LoadMutex());
  if (const PgLibrary* lib = loaded.load(std::memory_order_relaxed)) return *lib;
  const PgLibrary* lib = Load();
  loaded.store(lib, std::memory_order_release);
  return *lib;
}

void PreloadServerClient() {
  if (loaded.load(std::memory_order_acquire)) return;
  try {
    std::thread([] {
      try {
        LibPq();
      } catch (const DbError&) {
        // The connect loads it again and reports why it cannot.
      }
    }).detach();
  } catch (const std::system_error&) {
    // No thread: the connect loads it.
  }
}

}  // namespace kdb
