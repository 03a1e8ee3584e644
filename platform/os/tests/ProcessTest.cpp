#include "Process.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <vector>

using kos::StartRequest;

// Readable words in failure messages.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

struct SplitCase {
  const char* line;
  QStringList words;
};

TEST(SplitCommandLine, FollowsTheWindowsRules) {
  const std::vector<SplitCase> cases = {
      {"prog a b", {"prog", "a", "b"}},
      {"  prog \t a\t\tb  ", {"prog", "a", "b"}},
      {R"("/opt/my tools/prog" "a b" c)", {"/opt/my tools/prog", "a b", "c"}},
      {R"(prog "" x "")", {"prog", "", "x", ""}},
      {R"(prog a"b c"d)", {"prog", "ab cd"}},
      {R"(prog a\b c\\d)", {"prog", R"(a\b)", R"(c\\d)"}},
      {R"(prog a\"b)", {"prog", R"(a"b)"}},
      {R"(prog a\\"b c")", {"prog", R"(a\b c)"}},
      {R"(prog a\\\"b)", {"prog", R"(a\"b)"}},
      {R"(prog "a\\" b)", {"prog", R"(a\)", "b"}},
      // "" inside quotes: a literal quote that also ends the quoting
      {R"(prog "a""b" c)", {"prog", R"(a"b c)"}},
      {R"(prog """x y)", {"prog", R"("x)", "y"}},
      {R"(prog "open to the end)", {"prog", "open to the end"}},
      {R"("pr\og"x y)", {R"(pr\og)", "x", "y"}},
      {"", {}},
      {"   ", {}},
  };
  for (const SplitCase& c : cases) {
    EXPECT_EQ(kos::SplitCommandLine(QString::fromUtf8(c.line)), c.words) << c.line;
  }
}

class ProgramFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    oldPath_ = qgetenv("PATH");
    QDir().mkpath(First());
    QDir().mkpath(OnPath());
    MakeScript(First() + "/tool");
    MakeScript(OnPath() + "/tool");
    MakeScript(OnPath() + "/other");
    QFile data(First() + "/data");
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    qputenv("PATH", OnPath().toUtf8());
  }
  void TearDown() override { qputenv("PATH", oldPath_); }

  QString First() const { return root_.path() + "/first"; }
  QString OnPath() const { return root_.path() + "/onpath"; }

  static void MakeScript(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nexit 0\n");
    f.close();
    f.setPermissions(f.permissions() | QFile::ExeOwner);
  }

  QTemporaryDir root_;
  QByteArray oldPath_;
};

TEST_F(ProgramFolders, FirstFolderThenPath) {
  EXPECT_EQ(kos::FindProgram("tool", First()), First() + "/tool");
  EXPECT_EQ(kos::FindProgram("tool"), OnPath() + "/tool");
  EXPECT_EQ(kos::FindProgram("other", First()), OnPath() + "/other");
  EXPECT_EQ(kos::FindProgram(First() + "/tool", OnPath()), First() + "/tool");
  EXPECT_EQ(kos::FindProgramIn("Other.exe", OnPath()), OnPath() + "/other");
  EXPECT_EQ(kos::FindProgramIn("other", First()), "") << "one folder only";
}

TEST_F(ProgramFolders, WindowsNamesStillFindThePrograms) {
  EXPECT_EQ(kos::FindProgram("tool.exe", First()), First() + "/tool");
  EXPECT_EQ(kos::FindProgram("Tool.EXE", First()), First() + "/tool");
  EXPECT_EQ(kos::FindProgram("OTHER", First()), OnPath() + "/other");
}

TEST_F(ProgramFolders, NoProgramGivesEmpty) {
  EXPECT_EQ(kos::FindProgram("missing", First()), "");
  EXPECT_EQ(kos::FindProgram("data", First()), "") << "a file that is not executable";
  EXPECT_EQ(kos::FindProgram("", First()), "");
  EXPECT_EQ(kos::FindProgram(First() + "/missing"), "");
}

// Runs real children through /bin/sh.
class Children : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    oldCurrent_ = QDir::currentPath();
  }
  void TearDown() override { QDir::setCurrent(oldCurrent_); }

  QString Read(const QString& name) const {
    QFile f(dir_.path() + "/" + name);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
  }
  // Waits (bounded) for a child that was not waited for to write its file.
  bool Appears(const QString& name) const {
    QElapsedTimer t;
    t.start();
    while (!QFileInfo::exists(dir_.path() + "/" + name)) {
      if (t.elapsed() > 10000) return false;
      QThread::msleep(20);
    }
    return true;
  }
  QString Canonical() const { return QFileInfo(dir_.path()).canonicalFilePath(); }

  QTemporaryDir dir_;
  QString oldCurrent_;
};

TEST_F(Children, FolderZeroIsTheCallersCurrentFolder) {
  ASSERT_TRUE(QDir::setCurrent(dir_.path()));
  EXPECT_TRUE(kos::StartProgram(R"(sh -c "pwd -P > where.txt")", "0", true));
  EXPECT_EQ(Read("where.txt"), Canonical());
}

TEST_F(Children, GivenFolderIsTheChildsCurrentFolder) {
  QTemporaryDir elsewhere;
  ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
  EXPECT_TRUE(kos::StartProgram(R"(sh -c "pwd -P > where.txt")", dir_.path(), true));
  EXPECT_EQ(Read("where.txt"), Canonical());
}

TEST_F(Children, WaitBlocksUntilTheChildEnds) {
  EXPECT_TRUE(kos::StartProgram(R"(sh -c "sleep 0.3; echo 'a b' > done.txt")", dir_.path(), true));
  EXPECT_EQ(Read("done.txt"), "a b");
}

TEST_F(Children, WithoutWaitTheChildRunsOn) {
  EXPECT_TRUE(kos::StartProgram(R"(sh -c "echo started > run.txt")", dir_.path(), false));
  EXPECT_TRUE(Appears("run.txt"));
}

TEST_F(Children, MissingProgramOrFolderGivesFalse) {
  EXPECT_FALSE(kos::StartProgram("kv-no-such-program x", "0", true));
  EXPECT_FALSE(kos::StartProgram("kv-no-such-program x", "0", false));
  EXPECT_FALSE(kos::StartProgram("", "0", true));
  EXPECT_FALSE(kos::StartProgram(R"(sh -c "exit 0")", dir_.path() + "/missing", true));
}

TEST_F(Children, ShellOpenStartsAProgramInTheWorkingFolder) {
  EXPECT_TRUE(kos::ShellOpen("sh", R"(-c "echo opened > shell.txt")", dir_.path()));
  EXPECT_TRUE(Appears("shell.txt"));
  EXPECT_FALSE(kos::ShellOpen("kv-no-such-program", {}, dir_.path()));
}

// The seam sees every start and decides its result.
class Seam : public ::testing::Test {
 protected:
  std::vector<StartRequest> seen_;
  bool answer_ = true;
  kos::ScopedStarter starter_{[this](const StartRequest& r) {
    seen_.push_back(r);
    return answer_;
  }};
};

TEST_F(Seam, StartProgramHandsOverTheWholeRequest) {
  EXPECT_TRUE(kos::StartProgram(R"(kv-editor "12" "two words")", "/some/folder", true));
  answer_ = false;
  EXPECT_FALSE(kos::StartProgram("sh", "0", false));
  ASSERT_EQ(seen_.size(), 2u);
  EXPECT_EQ(seen_[0].via, StartRequest::Via::Process);
  EXPECT_EQ(seen_[0].name, "kv-editor");
  EXPECT_EQ(seen_[0].program, "") << "not found, the seam still sees it";
  EXPECT_EQ(seen_[0].arguments, QStringList({"12", "two words"}));
  EXPECT_EQ(seen_[0].workingFolder, "/some/folder");
  EXPECT_TRUE(seen_[0].wait);
  EXPECT_EQ(seen_[1].program, kos::FindProgram("sh"));
  EXPECT_EQ(seen_[1].workingFolder, "") << "folder 0: the caller's own";
  EXPECT_FALSE(seen_[1].wait);
}

TEST_F(Seam, ShellOpenOfProgramsAndWebAddresses) {
  kos::ShellOpen("SizeRatios", R"("7")");
  kos::ShellOpen("https://example.com/help");
  kos::ShellOpen("sh");
  ASSERT_EQ(seen_.size(), 3u);
  for (const StartRequest& r : seen_) {
    EXPECT_EQ(r.via, StartRequest::Via::Shell);
    EXPECT_FALSE(r.wait);
  }
  EXPECT_EQ(seen_[0].name, "SizeRatios");
  EXPECT_EQ(seen_[0].arguments, QStringList({"7"}));
  EXPECT_EQ(seen_[1].name, "https://example.com/help");
  EXPECT_EQ(seen_[1].arguments, QStringList({"https://example.com/help"}));
  EXPECT_EQ(seen_[1].program, kos::FindProgram("xdg-open"));
  EXPECT_EQ(seen_[2].program, kos::FindProgram("sh"));
  EXPECT_TRUE(seen_[2].arguments.isEmpty());
}

TEST(StarterSeam, EndOfScopeRestoresRealStarts) {
  {
    kos::ScopedStarter refuse([](const StartRequest&) { return false; });
    EXPECT_FALSE(kos::StartProgram(R"(sh -c "exit 0")", "0", true));
  }
  EXPECT_TRUE(kos::StartProgram(R"(sh -c "exit 0")", "0", true));
}

}  // namespace
