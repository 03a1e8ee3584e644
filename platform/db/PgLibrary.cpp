#include "PgLibrary.h"

#include <dlfcn.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include "KvDb.h"
#include "StartTrace.h"

namespace kdb {

namespace {

constexpr const char* kLibraryNames[] = {"libpq.so.5", "libpq.so"};

// libpq and its own libraries (TLS, Kerberos, LDAP: thousands of symbols bound
// at load) look their symbols up among themselves first, not through the
// Qt libraries the program has loaded already: that halves the load. They
// share no data with the program (every value crosses through libpq's
// functions), so nothing can bind to two copies. The address sanitizer's
// run-time refuses such a load. A program that counts its own malloc (a
// memory benchmark) sets KV_LIBPQ_SHARED_MALLOC so that libpq's allocations
// reach it too.
#if defined(RTLD_DEEPBIND) && !defined(__SANITIZE_ADDRESS__)
constexpr int kLoadFlags = RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND;
#else
constexpr int kLoadFlags = RTLD_NOW | RTLD_LOCAL;
#endif

std::mutex& LoadMutex() {
  static std::mutex m;
  return m;
}
std::atomic<const PgLibrary*> loaded{nullptr};

const PgLibrary* Load() {
  kos::TraceStep("libpq load begun");
  void* handle = nullptr;
  QString why;
  for (const char* name : kLibraryNames) {
    handle = dlopen(name, qEnvironmentVariableIsEmpty("KV_LIBPQ_SHARED_MALLOC") ? kLoadFlags
                                                                                  : RTLD_NOW | RTLD_LOCAL);
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
  kos::TraceStep("libpq loaded");
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

TlsWarmUp::TlsWarmUp() {
  // The TLS library libpq loaded, if it is OpenSSL 3 (already loaded: no
  // load happens here).
  void* ssl = dlopen("libssl.so.3", RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
  if (!ssl) return;
  using Init = int (*)(std::uint64_t, const void*);
  using Method = const void* (*)();
  using NewContext = void* (*)(const void*);
  using FreeContext = void (*)(void*);
  const auto init = reinterpret_cast<Init>(dlsym(ssl, "OPENSSL_init_ssl"));
  const auto method = reinterpret_cast<Method>(dlsym(ssl, "TLS_method"));
  const auto make = reinterpret_cast<NewContext>(dlsym(ssl, "SSL_CTX_new"));
  const auto release = reinterpret_cast<FreeContext>(dlsym(ssl, "SSL_CTX_free"));
  if (!init || !method || !make || !release) {
    dlclose(ssl);
    return;
  }
  constexpr std::uint64_t kLoadConfig = 0x40;  // OPENSSL_INIT_LOAD_CONFIG, as libpq asks
  try {
    thread_ = std::thread([=] {
      if (init(kLoadConfig, nullptr) == 1) {
        if (void* context = make(method())) release(context);
      }
      dlclose(ssl);
    });
  } catch (const std::system_error&) {
    dlclose(ssl);  // no thread: libpq does it as ever
  }
}

TlsWarmUp::~TlsWarmUp() {
  if (thread_.joinable()) thread_.join();
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
