// Start-up: the time from starting `menuhost` and `StyleKeeper` to their main
// window on the catalogue, against a bare Qt window started the same way
// (same environment, offscreen). Each program runs with KV_EXIT_WHEN_SHOWN,
// prints "shown" when its main window is exposed and quits; the time to that
// line is a sample. The launcher always runs single-user (SQLite); the style
// editor runs on both engines, on PostgreSQL from a folder of its own without
// the launcher beside it. A server's program cannot show before it has
// signed in (client library, TLS, password exchange with a new server
// process), which the bare window never does: that row also times a bare
// window that signs in first, printed beside as signin_ms and signin_ratio.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <vector>

#include "CatalogueCacheClass.h"
#include "KvBenchCompare.h"

namespace {

using kvtest::Engine;

const QString kBin = QStringLiteral(KV_BIN_DIR) + "/";
const QString kBare = QStringLiteral(KV_BARE_WINDOW);
const QString kBareSignIn = QStringLiteral(KV_BARE_SIGNIN);

// A libpq connection string for the catalogue's server, each value quoted.
QString ConnInfo(const kvtest::DbFacts& f) {
  const auto quoted = [](QString v) { return "'" + v.replace("\\", "\\\\").replace("'", "\\'") + "'"; };
  return "host=" + quoted(f.host) + " port=" + QString::number(f.port) + " dbname=" + quoted(f.database) +
         " user=" + quoted(f.user) + " password=" + quoted(f.password) + " gssencmode=disable";
}

void Write(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
    throw kdb::DbError("Cannot write " + path);
}

// Milliseconds from the start of a program to its "shown" line.
double TimeToShown(const QString& program, const QProcessEnvironment& env) {
  QProcess p;
  p.setProcessEnvironment(env);
  p.setProcessChannelMode(QProcess::SeparateChannels);
  QElapsedTimer t;
  t.start();
  p.start(program, {});
  QByteArray out;
  while (!out.contains("shown\n")) {
    if (!p.waitForReadyRead(60000)) {
      p.kill();
      p.waitForFinished();
      throw kdb::DbError(program + " showed no main window: " + QString::fromUtf8(p.readAllStandardError()).left(300));
    }
    out += p.readAllStandardOutput();
  }
  const double ms = double(t.nsecsElapsed()) / 1e6;
  if (!p.waitForFinished(30000)) p.kill();
  return ms;
}

// The settings the programs of one engine need, in a private home.
struct Edition {
  QTemporaryDir home;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  QString styleKeeper = kBin + "StyleKeeper";

  explicit Edition(Engine e) {
    const kvcat::CatalogueDb c = kvcat::EnsureCatalogue(e, kvcat::SizeFromEnvironment());
    const QString h = home.path() + "/";
    env.insert("HOME", h);
    env.insert("XDG_DATA_HOME", h + "data");
    env.insert("XDG_RUNTIME_DIR", h);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KV_EXIT_WHEN_SHOWN", "1");
    // The launcher's fixed user, handed over as the launcher writes it.
    const QByteArray user = "1\r\n1\r\n";
    if (e == Engine::SQLite) {
      env.insert("TESSARIN_COMMON_APPDATA", c.commonFolder);
      Write(c.facts.localDataFolder + "user.txt", user);
      return;
    }
    // The multi-user edition: the program in a folder without the launcher.
    env.insert("TESSARIN_COMMON_APPDATA", h + "common");
    env.insert("TESSARIN_DB_PORT", QString::number(c.facts.port));
    env.insert("KV_BARE_CONNINFO", ConnInfo(c.facts));
    const QString folder = h + "data/Tarnwick/TessarinVELT/";
    Write(folder + "SetupVELT.ini",
          "[Database]\nDBHost=" + c.facts.host.toUtf8() + "\nDBLiveName=" + c.facts.database.toUtf8() + "\n");
    Write(folder + "user.txt", user);
    styleKeeper = h + "programs/StyleKeeper";
    QDir().mkpath(h + "programs");
    if (!QFile::copy(kBin + "StyleKeeper", styleKeeper)) throw kdb::DbError("Cannot copy StyleKeeper");
  }
};

void BM_StartUp(benchmark::State& state, Engine e, bool launcher) {
  std::unique_ptr<Edition> ed;
  try {
    ed = std::make_unique<Edition>(e);
  } catch (const std::exception& x) {
    state.SkipWithError(x.what());
    return;
  }
  const QString program = launcher ? kBin + "menuhost" : ed->styleKeeper;
  const bool signIn = !launcher && e == Engine::PostgreSQL;
  kvbench::Comparison row(state, QString::fromStdString(kvtest::EngineName(e)), kvbench::kGoalStartUp);
  std::vector<double> signInMs;
  try {
    for (auto _ : state) {
      row.AddOurs(TimeToShown(program, ed->env));
      row.AddBaseline(TimeToShown(kBare, ed->env));
      if (signIn) signInMs.push_back(TimeToShown(kBareSignIn, ed->env));
    }
  } catch (const kdb::DbError& x) {
    state.SkipWithError(x.Message().toStdString().c_str());
  }
  row.Report();
  if (!signInMs.empty() && state.counters.count("ours_ms")) {
    const double ms = kvbench::Median(signInMs);
    state.counters["signin_ms"] = ms;
    if (ms > 0) state.counters["signin_ratio"] = state.counters["ours_ms"] / ms;
  }
}

const bool registered = [] {
  // Each sample is one start of each program; starts vary by a few ms from
  // one to the next, so the medians take 25 of them.
  const int runs = kvcat::SizeFromEnvironment().name == "small" ? 1 : 25;
  kvbench::AddRow("StartUp/menuhost/SQLite", BM_StartUp, Engine::SQLite, true)->Iterations(runs);
  for (Engine e : {Engine::SQLite, Engine::PostgreSQL})
    kvbench::AddRow("StartUp/StyleKeeper/" + kvtest::EngineName(e), BM_StartUp, e, false)->Iterations(runs);
  return true;
}();

}  // namespace

int main(int argc, char** argv) { return kvbench::RunBenchmarks(argc, argv); }
