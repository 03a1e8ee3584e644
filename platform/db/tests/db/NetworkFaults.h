#pragma once
// Network faults for the connection tests: a PostgreSQL server of the test's
// own that can be stopped and started again without disturbing the tests
// running beside it, and a TCP relay that can stall the line between client
// and server (nothing passes, nothing is refused, as on a dead link).
#include <QMap>
#include <QString>

#include <atomic>
#include <thread>
#include <vector>

namespace dbtest {

// Started by the constructor, removed by the destructor (pgtest.sh).
class PrivateServer {
 public:
  PrivateServer();
  ~PrivateServer();
  PrivateServer(const PrivateServer&) = delete;
  PrivateServer& operator=(const PrivateServer&) = delete;

  int Port() const { return vars_.value("PGPORT").toInt(); }
  bool Stop();
  bool Start();

 private:
  QString state_;
  QMap<QString, QString> vars_;
  void Script(const QString& cmd);
  bool PgCtl(QStringList args);
};

// Listens on a loopback port of its own and relays every connection to the
// target port, until Stall(true): then it reads nothing from either side
// (whatever is sent waits in the sockets' buffers) until Stall(false).
class StallRelay {
 public:
  explicit StallRelay(int targetPort);
  ~StallRelay();
  StallRelay(const StallRelay&) = delete;
  StallRelay& operator=(const StallRelay&) = delete;

  int Port() const { return port_; }
  void Stall(bool on) { stalled_ = on; }

 private:
  int target_;
  int listen_ = -1;
  int port_ = 0;
  std::atomic<bool> stalled_{false};
  std::atomic<bool> stop_{false};
  std::vector<std::pair<int, int>> pairs_;  // client, server
  std::thread thread_;
  void Loop();
};

}  // namespace dbtest
