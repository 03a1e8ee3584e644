// Eight style editors saving at the same moment, each a program of its own
// on one database: outside the default test run (it starts eight windows),
// run by hand when the numbering or the colour check changes.
//
//   tests/support/pgtest.sh start /tmp/pg.env
//   KV_PG_STATE=/tmp/pg.env build/bench-tools/kvstylesave_stress [--engine sqlite|pg] [--programs 8]
//
// Two rounds, each program started, filled in and then told to save at once:
//   same colour  every program adds style STRESS1 in RED: exactly one may
//                make it, every other must be told the style has the colour;
//   new styles   every program adds a style of its own: every one is saved,
//                each under a root PLU of its own, none gives up on the lock.
// Prints one line per program and per round; exits 0 when both rounds hold.
#include <QApplication>
#include <QComboBox>
#include <QProcess>
#include <QSet>
#include <QTextStream>
#include <QToolButton>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "DMBRulesF.h"
#include "KvEdit.h"
#include "StyleKeeperDbFixture.h"

namespace {

using kdb::sql::Quote;
using kvtest::Engine;

const char* kScale = "STRESS SCALE";
constexpr int kSizes = 30;

QString Arg(const QStringList& args, const QString& name, const QString& fallback = {}) {
  const int i = static_cast<int>(args.indexOf(name));
  return i >= 0 && i + 1 < args.size() ? args[i + 1] : fallback;
}

// ----- one program ------------------------------------------------------------------------

// A style editor on the database the parent made: fills in a new style, says
// READY, waits for GO on its input, saves, and says what it was told.
int RunProgram(const QStringList& args) {
  const QString programDir = Arg(args, "--program-dir");
  const QString style = Arg(args, "--style-code");
  const QString colour = Arg(args, "--colour");
  kvfwtest::ModalAnswers answers;
  answers.Install();
  TDMDB dm;
  dm.SetProgramFile(programDir + "StyleKeeper");
  TDMBRules rules;
  TForm1 form(QStringList{}, nullptr);
  QTextStream out(stdout);
  if (form.TerminateRequested()) {
    out << "FAILED the window did not start: " << dm.LastError << Qt::endl;
    return 2;
  }
  form.show();
  form.SpButAdd->click();
  sktest::FillNewStyle(form, style, "STRESS " + style, colour, kScale,
                       [](QComboBox* c, const QString& name) { c->setCurrentIndex(TForm1::IndexOfName(c, name)); });
  out << "READY" << Qt::endl;
  std::string go;
  std::getline(std::cin, go);
  form.SpButSave->click();
  const QString told = (answers.boxes + answers.messages).join(" | ").replace('\n', ' ');
  out << "DONE " << (form.Mode() == "View" ? form.LoadedRootPLU() : QString("-")) << " " << told << Qt::endl;
  return 0;
}

// ----- the parent -------------------------------------------------------------------------

struct Outcome {
  QString rootPLU;  // "-" when nothing was saved
  QString told;
};

// Starts the programs, lets them save together, and collects what each said.
QList<Outcome> Round(const QString& programDir, const QStringList& styles, const QString& colour) {
  std::vector<std::unique_ptr<QProcess>> programs;
  for (const QString& style : styles) {
    auto p = std::make_unique<QProcess>();
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QCoreApplication::applicationFilePath(),
             {"--child", "--program-dir", programDir, "--style-code", style, "--colour", colour});
    programs.push_back(std::move(p));
  }
  for (auto& p : programs) {
    p->waitForStarted();
    while (p->state() == QProcess::Running && !p->canReadLine()) p->waitForReadyRead(60000);
    const QString line = QString::fromUtf8(p->readLine()).trimmed();
    if (line != "READY") std::cerr << "a program did not get ready: " << line.toStdString() << "\n";
  }
  for (auto& p : programs) p->write("GO\n");  // as close together as the machine allows
  QList<Outcome> outcomes;
  for (auto& p : programs) {
    p->waitForFinished(120000);
    const QString line = QString::fromUtf8(p->readAll()).trimmed();
    const QString rest = line.startsWith("DONE ") ? line.mid(5) : "- " + line;
    outcomes.append({rest.section(' ', 0, 0), rest.section(' ', 1)});
  }
  return outcomes;
}

int RunParent(const QStringList& args) {
  const Engine engine = Arg(args, "--engine", "pg") == "sqlite" ? Engine::SQLite : Engine::PostgreSQL;
  const int count = Arg(args, "--programs", "8").toInt();
  const kvtest::PrivateHome home;
  const QString programDir = kvtest::FreshFolder("bin");
  QList<QPair<QString, int>> sizes;
  for (int i = 0; i < kSizes; ++i) sizes.append({"S" + QString::number(i), i});
  kvfwtest::EditionDatabase database(
      engine, programDir, sktest::ShopData(false, [&](kdb::Database& db) { sktest::AddScale(db, kScale, sizes); }),
      sktest::ShopSettings());
  sktest::HandOverUser(engine);
  kdb::Database& db = database.Db();
  const auto value = [&db](const QString& sql) { return kvtest::Column(db, sql).value(0); };
  std::cout << "engine " << kvtest::EngineName(engine) << ", " << count << " programs\n";
  bool held = true;

  // Every program adds the same style and colour.
  const QList<Outcome> same = Round(programDir, QStringList(count, "STRESS1"), "RED");
  int saved = 0, told = 0;
  for (const Outcome& o : same) {
    std::cout << "  same colour: " << o.rootPLU.toStdString() << " " << o.told.toStdString() << "\n";
    if (o.rootPLU != "-") ++saved;
    if (o.told.contains("already has Colour: RED")) ++told;
  }
  const int roots = value("SELECT COUNT(DISTINCT ROOT_PLU) FROM PRODUCTS WHERE STYLE='STRESS1'").toInt();
  const bool sameHeld = saved == 1 && told == count - 1 && roots == 1;
  std::cout << "same colour: " << saved << " saved, " << told << " told, " << roots << " root PLU in the database: "
            << (sameHeld ? "held" : "FAILED") << "\n";
  held = held && sameHeld;

  // Every program adds a style of its own.
  QStringList styles;
  for (int i = 0; i < count; ++i) styles << "STRESS2-" + QString::number(i);
  const QList<Outcome> own = Round(programDir, styles, "RED");
  QSet<QString> distinct;
  int failed = 0;
  for (const Outcome& o : own) {
    std::cout << "  new styles: " << o.rootPLU.toStdString() << " " << o.told.toStdString() << "\n";
    if (o.rootPLU == "-" || !o.told.isEmpty()) ++failed;
    else distinct.insert(o.rootPLU);
  }
  const int rows = value("SELECT COUNT(*) FROM PRODUCTS WHERE STYLE LIKE 'STRESS2-%'").toInt();
  const bool ownHeld = failed == 0 && distinct.size() == count && rows == count * kSizes;
  std::cout << "new styles: " << distinct.size() << " saved under their own root PLUs, " << failed << " failed, "
            << rows << " rows: " << (ownHeld ? "held" : "FAILED") << "\n";
  held = held && ownHeld;
  return held ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  return args.contains("--child") ? RunProgram(args) : RunParent(args);
}
