#include "Folders.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace {

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QByteArray* value) : name_(name) {
    had_ = qEnvironmentVariableIsSet(name);
    old_ = qgetenv(name);
    if (value) qputenv(name, *value); else qunsetenv(name);
  }
  ~ScopedEnv() { if (had_) qputenv(name_, old_); else qunsetenv(name_); }
 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};

TEST(Folders, SpecialFoldersComeFromTheEnvironmentWithATrailingSlash) {
  const QByteArray user = "/tmp/kv-user-data", common = "/tmp/kv-common/";
  ScopedEnv u("XDG_DATA_HOME", &user), c("TESSARIN_COMMON_APPDATA", &common);
  EXPECT_EQ(kos::GetSpecialFolder(kos::CSIDL_APPDATA), "/tmp/kv-user-data/");
  EXPECT_EQ(kos::GetSpecialFolder(kos::CSIDL_COMMON_APPDATA), "/tmp/kv-common/");
  EXPECT_EQ(kos::GetSpecialFolder(5), "");
}

TEST(Folders, DefaultsWhenTheEnvironmentNamesNone) {
  const QByteArray home = "/tmp/kv-home";
  ScopedEnv h("HOME", &home), u("XDG_DATA_HOME", nullptr), c("TESSARIN_COMMON_APPDATA", nullptr);
  EXPECT_EQ(kos::GetSpecialFolder(kos::CSIDL_APPDATA), "/tmp/kv-home/.local/share/");
  EXPECT_EQ(kos::GetSpecialFolder(kos::CSIDL_COMMON_APPDATA), "/var/lib/");
}

TEST(Folders, CreateDirMakesOneLevelAndForceDirectoriesAll) {
  QTemporaryDir tmp;
  const QString base = tmp.path() + "/";
  EXPECT_FALSE(kos::CreateDir(base + "a/b/"));
  EXPECT_TRUE(kos::CreateDir(base + "a/"));
  EXPECT_FALSE(kos::CreateDir(base + "a/"));  // exists already
  EXPECT_TRUE(kos::ForceDirectories(base + "x/y/z/"));
  EXPECT_TRUE(kos::DirectoryExists(base + "x/y/z"));
  EXPECT_FALSE(kos::FileExists(base + "x"));
  EXPECT_EQ(kos::IncludeTrailingPathDelimiter("a"), "a/");
  EXPECT_EQ(kos::IncludeTrailingPathDelimiter("a/"), "a/");
  EXPECT_EQ(kos::IncludeTrailingPathDelimiter(""), "");
}

// Forty programs started at once on a first run make the same working
// folders: whoever makes one first, every program finds it and goes on.
TEST(Folders, AFolderMadeByAnotherProgramAtTheSameMomentIsFound) {
  QTemporaryDir tmp;
  const QString folder = tmp.path() + "/bologs/";
  constexpr int kPrograms = 40;
  std::atomic<int> waiting{kPrograms};
  std::vector<char> found(kPrograms, 0);
  std::vector<std::thread> programs;
  for (int i = 0; i < kPrograms; ++i) {
    programs.emplace_back([&, i] {
      --waiting;
      while (waiting.load() > 0) std::this_thread::yield();  // all start together
      found[size_t(i)] = kos::CreateDirOrFind(folder) ? 1 : 0;
    });
  }
  for (std::thread& t : programs) t.join();
  EXPECT_EQ(std::count(found.begin(), found.end(), 1), kPrograms);
  EXPECT_TRUE(kos::DirectoryExists(folder));

  // What is no folder afterwards is still a failure.
  QFile file(tmp.path() + "/labels");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EXPECT_FALSE(kos::CreateDirOrFind(tmp.path() + "/labels/"));
  EXPECT_FALSE(kos::CreateDirOrFind(tmp.path() + "/no/parent/"));
}

}  // namespace
