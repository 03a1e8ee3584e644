#include "NetworkFaults.h"

#include "KvTestSupport.h"

#include <QFile>
#include <QProcess>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace dbtest {

PrivateServer::PrivateServer() : state_(kvtest::TempRoot() + "/private-pg.env") {
  Script("start");
  QFile f(state_);
  if (!f.open(QIODevice::ReadOnly)) return;
  for (const QByteArray& line : f.readAll().split('\n')) {
    const int eq = line.indexOf('=');
    if (eq > 0) vars_[QString(line.left(eq))] = QString(line.mid(eq + 1));
  }
}

PrivateServer::~PrivateServer() { Script("stop"); }

bool PrivateServer::Stop() { return PgCtl({"-m", "fast", "-w", "stop"}); }

bool PrivateServer::Start() {
  return PgCtl(
      {"-o", "-p " + vars_.value("PGPORT"), "-l", vars_.value("PGSOCKETDIR") + "/server.log", "-w", "start"});
}

void PrivateServer::Script(const QString& cmd) {
  QProcess::execute(qEnvironmentVariable("KV_SOURCE_DIR") + "/tests/support/pgtest.sh", {cmd, state_});
}

// postgres refuses to run as root: then it runs as the postgres user.
bool PrivateServer::PgCtl(QStringList args) {
  args = QStringList{"/usr/lib/postgresql/15/bin/pg_ctl", "-D", vars_.value("PGDATADIR")} + args;
  if (geteuid() == 0) args = QStringList{"-u", "postgres", "--"} + args;
  const QString program = args.takeFirst();
  return QProcess::execute(geteuid() == 0 ? "runuser" : program, geteuid() == 0 ? QStringList{program} + args : args) ==
         0;
}

namespace {

sockaddr_in Loopback(int port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(quint16(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return a;
}

bool SendAll(int fd, const char* p, ssize_t n) {
  while (n > 0) {
    const ssize_t w = send(fd, p, size_t(n), MSG_NOSIGNAL);
    if (w <= 0) return false;
    p += w;
    n -= w;
  }
  return true;
}

}  // namespace

StallRelay::StallRelay(int targetPort) : target_(targetPort) {
  listen_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a = Loopback(0);
  bind(listen_, reinterpret_cast<sockaddr*>(&a), sizeof a);
  listen(listen_, 16);
  socklen_t len = sizeof a;
  getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &len);
  port_ = ntohs(a.sin_port);
  thread_ = std::thread([this] { Loop(); });
}

StallRelay::~StallRelay() {
  stop_ = true;
  thread_.join();
  for (auto [c, s] : pairs_) close(c), close(s);
  close(listen_);
}

void StallRelay::Loop() {
  while (!stop_) {
    std::vector<pollfd> fds{{listen_, POLLIN, 0}};
    const bool stalled = stalled_;
    if (!stalled)
      for (auto [c, s] : pairs_) fds.push_back({c, POLLIN, 0}), fds.push_back({s, POLLIN, 0});
    if (poll(fds.data(), fds.size(), 20) <= 0) continue;
    if (fds[0].revents & POLLIN) {
      const int c = accept(listen_, nullptr, nullptr);
      const int s = socket(AF_INET, SOCK_STREAM, 0);
      sockaddr_in a = Loopback(target_);
      if (c >= 0 && connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
        pairs_.push_back({c, s});
      } else {
        close(c), close(s);
      }
    }
    if (stalled) continue;
    std::vector<std::pair<int, int>> open;
    for (size_t k = 0; k < pairs_.size(); ++k) {
      auto [c, s] = pairs_[k];
      bool alive = true;
      for (int side = 0; side < 2 && alive; ++side) {
        const pollfd& p = fds[1 + 2 * k + size_t(side)];
        if (!(p.revents & (POLLIN | POLLHUP | POLLERR))) continue;
        char buf[16384];
        const ssize_t n = recv(p.fd, buf, sizeof buf, 0);
        alive = n > 0 && SendAll(side == 0 ? s : c, buf, n);
      }
      if (alive) {
        open.push_back({c, s});
      } else {
        close(c), close(s);
      }
    }
    pairs_ = std::move(open);
  }
}

}  // namespace dbtest
