// Second look at the user hand-over file and the form-wide font smoothing:
// an empty file and the kinds of button a form smooths.
#include "KvFwTestSupport.h"

#include <QPushButton>
#include <QToolButton>

using kvtest::ReadAll;

namespace {

class ReviewUtilsTest : public kvfwtest::ModuleTest<> {};

TEST_F(ReviewUtilsTest, AnEmptyHandOverFileHasNoLineAndKeepsTheNameHeldBefore) {
  WriteSettings("[Database]\nDBHost=server\n");
  auto m = Module();
  ASSERT_TRUE(m->Init());
  m->UserName = "EARLIER";
  kvtest::WriteFile(m->UserFileName(), "");
  EXPECT_FALSE(m->LoadUser(m->DBQueryRemote1, false));
  EXPECT_EQ(m->UserName, "EARLIER");  // no first line: nothing read
  EXPECT_TRUE(m->StaffID.isEmpty());
  const QByteArray log = ReadAll(m->LogFileName);
  EXPECT_TRUE(log.contains("TDMDB::LoadUser\r\n")) << log.toStdString();
  EXPECT_TRUE(log.contains("List index out of bounds (0)")) << log.toStdString();

  // A file of one empty line, by contrast, does give an (empty) user name.
  kvtest::WriteFile(m->UserFileName(), "\r\n");
  EXPECT_FALSE(m->LoadUser(m->DBQueryRemote1, false));
  EXPECT_EQ(m->UserName, "");
}

TEST_F(ReviewUtilsTest, SmoothFormFontsLeavesPushButtonsButTakesToolButtons) {
  auto m = Module();
  QWidget form;
  struct OkButton : QPushButton {};  // a derived push button stays plain too
  auto* push = new QPushButton(&form);
  auto* derived = new OkButton();
  derived->setParent(&form);
  auto* tool = new QToolButton(&form);
  auto smoothed = [](QWidget* w) { return (w->font().styleStrategy() & QFont::PreferAntialias) != 0; };

  m->SmoothFormFonts(&form);
  EXPECT_FALSE(smoothed(push));
  EXPECT_FALSE(smoothed(derived));
  EXPECT_TRUE(smoothed(tool));
}

}  // namespace
