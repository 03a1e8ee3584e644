// kvbench_bare_signin: the server edition's start-up floor, a bare Qt main
// window that shows once a session is signed in to the server (the style
// editor cannot show before it has one). The client library loads and the
// sign-in runs on a thread from the top of main, while Qt starts. The
// connection string comes in KV_BARE_CONNINFO; a failed sign-in ends the
// program without a window.
#include <dlfcn.h>
#include <libpq-fe.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "KvMainWindow.h"
#include "KvShownProbe.h"

int main(int argc, char** argv) {
  const char* conninfo = std::getenv("KV_BARE_CONNINFO");
  if (!conninfo) return 2;
  bool signedIn = false;
  std::thread signIn([&] {
    // Loaded as the suite loads it: its own libraries bind among themselves.
    void* pq = dlopen("libpq.so.5", RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND);
    if (!pq) return;
    const auto connect = reinterpret_cast<decltype(&PQconnectdb)>(dlsym(pq, "PQconnectdb"));
    const auto status = reinterpret_cast<decltype(&PQstatus)>(dlsym(pq, "PQstatus"));
    // The session stays open for the run, as the program's does.
    signedIn = connect && status && status(connect(conninfo)) == CONNECTION_OK;
  });
  QApplication app(argc, argv);
  KvInstallShownProbe();
  kui::KvMainWindow w;
  signIn.join();
  if (!signedIn) {
    std::fputs("sign-in failed\n", stderr);
    return 1;
  }
  w.ShowWindow();
  return QApplication::exec();
}
