// The programs the style editor starts, on both engines: a double-click on a
// field's caption starts that list's editor by its program name and waits
// for it, then reads the list again and selects what was selected (with a
// stand-in editor of the test's own that changes the list after a while); an
// outside program that is not installed is simply not started; the info
// tab's history and web-copy programs get the loaded root PLU, unawaited.
#include "StyleKeeperDbFixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include "InfoPageF.h"
#include "PickList.h"
#include "Process.h"

namespace {

using kvtest::Engine;

// Sets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QByteArray& value) : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
    qputenv(name, value);
  }
  ~ScopedEnv() {
    if (had_)
      qputenv(name_, old_);
    else
      qunsetenv(name_);
  }

 private:
  const char* name_;
  QByteArray old_;
  bool had_;
};

class EditorLaunchDbTest : public sktest::StyleKeeperDbFixture {
 protected:
  static void DoubleClick(QLabel* label) { QTest::mouseDClick(label, Qt::LeftButton); }
};

TEST_P(EditorLaunchDbTest, TheWindowWaitsForTheEditorAndReadsItsListAgain) {
  TForm1& f = Start({"", "00000042"});
  // The stand-in is installed as the colours editor beside the program; it
  // adds a colour only after a while, so only a window that waited sees it.
  ASSERT_TRUE(QFile::copy(SK_STANDIN_EDITOR, programDir + "colours"));
  const QString mark = programDir + "standin.txt";
  ScopedEnv path("PATH", (programDir + ":").toUtf8() + qgetenv("PATH"));
  ScopedEnv sql("KV_STANDIN_SQL", "INSERT INTO PARAMETERS (NAME, TYPE, RATE) VALUES ('AQUA MARINE', 'COLOUR', 255)");
  ScopedEnv delay("KV_STANDIN_DELAY_MS", "400");
  ScopedEnv where("KV_STANDIN_MARK", mark.toUtf8());
  const int before = f.ComboBoxColours->count();

  DoubleClick(f.LabelColour);
  EXPECT_EQ(f.ComboBoxColours->count(), before + 1);
  EXPECT_NE(TForm1::IndexOfName(f.ComboBoxColours, "AQUA MARINE"), -1);
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxColours), "DENIM");
  // The editor ran in the style editor's own folder.
  EXPECT_EQ(QDir(QString::fromUtf8(kvtest::ReadAll(mark))).canonicalPath(), QDir(programDir).canonicalPath());
  EXPECT_TRUE(f.isEnabled());
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
}

TEST_P(EditorLaunchDbTest, EachCaptionStartsItsEditorByItsProgramName) {
  TForm1& f = Start({"", "00000042"});
  QList<kos::StartRequest> started;
  kos::ScopedStarter starter([&](const kos::StartRequest& r) {
    started << r;
    return false;
  });
  const std::pair<QLabel*, const char*> labels[] = {
      {f.LabelSupplier, "suppliers"},    {f.LabelColour, "colours"},   {f.LabelSeason, "seasons"},
      {f.LabelCat, "categories"},        {f.Label11, "departments"},  {f.Label12, "productgroups"},
      {f.LabelBrand, "brandnames"},      {f.LabelSizeScale, "sizeranges"}, {f.LabelVAT, "TaxRates"}};
  for (const auto& [label, program] : labels) {
    started.clear();
    DoubleClick(label);
    ASSERT_EQ(started.size(), 1) << program;
    EXPECT_EQ(started[0].name, program);
    EXPECT_TRUE(started[0].arguments.isEmpty());
    EXPECT_TRUE(started[0].wait) << program;
    EXPECT_EQ(started[0].workingFolder, dm->ExeFolder);
  }
  // Nothing started: the lists are read again all the same, and the style
  // keeps every choice.
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxSuppliers), "SOLENT DENIM");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxDepartments), "JEANS");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxProductGroups), "SLIM FIT");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxTaxRates), "STANDARD");

  // The info tab's two programs get the loaded root PLU and are not waited for.
  f.SpButStyleInfoClick();
  started.clear();
  f.ComboBoxRootPLU->setEditText("00000043");  // typed, not opened
  f.InfoPage->SpButInfoHist->click();
  f.InfoPage->SpButInfoContent->click();
  ASSERT_EQ(started.size(), 2);
  EXPECT_EQ(started[0].name, "ItemDataReport");
  EXPECT_EQ(started[1].name, "webcopy");
  for (const kos::StartRequest& r : started) {
    EXPECT_EQ(r.arguments, QStringList{"00000042"});
    EXPECT_FALSE(r.wait);
  }
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
}

TEST_P(EditorLaunchDbTest, AMissingProgramIsNoMessageAndTheChainStopsAtAnEmptyChoice) {
  TForm1& f = Start();
  f.SpButAddClick();
  f.ComboBoxCategories->setCurrentIndex(TForm1::IndexOfName(f.ComboBoxCategories, "MENSWEAR"));
  f.ComboBoxCategoriesSelect();
  const QStringList departments = kui::PickItems(f.ComboBoxDepartments);
  ASSERT_FALSE(departments.isEmpty());
  // No category chosen: only the categories are read again; the departments
  // list keeps what it holds.
  f.ComboBoxCategories->setCurrentIndex(-1);
  DoubleClick(f.Label12);  // productgroups is not installed
  EXPECT_EQ(f.ComboBoxCategories->currentIndex(), -1);
  EXPECT_EQ(kui::PickItems(f.ComboBoxDepartments), departments);
  EXPECT_TRUE(f.isEnabled());
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
  EXPECT_EQ(f.Mode(), "Add");
}

KV_DB_ENGINES(EditorLaunchDbTest);

}  // namespace
