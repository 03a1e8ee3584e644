// The comments page on both engines: the two comments of the loaded colour,
// saved for its sizes or for every colour of the style; another user's change
// since the page was loaded is refused by name or kept when this page did not
// touch it; a failed read is no empty page; the twelve mark-up buttons.
#include "StyleKeeperDbFixture.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextCursor>
#include <QToolButton>

#include "CommentsPageF.h"
#include "HtmlTagClass.h"

namespace {

using kvtest::Engine;

class CommentsPageDbTest : public sktest::StyleKeeperDbFixture {
 protected:
  TForm1& OpenComments() {
    Exec("UPDATE PRODUCTS SET COMMENTS = 'Soft denim', POS_COMMENTS = 'Try the belt' WHERE ROOT_PLU = '00000042'");
    Exec("UPDATE PRODUCTS SET COMMENTS = 'Black denim', POS_COMMENTS = 'None' WHERE ROOT_PLU = '00000043'");
    TForm1& f = Start({"", "00000042"});
    f.SpButStyleInfoClick();
    f.SpButInfoCommentsClick();
    return f;
  }
  QStringList Comments(const QString& column, const QString& rootPLU) {
    return Column("SELECT " + column + " FROM PRODUCTS WHERE ROOT_PLU = '" + rootPLU + "' ORDER BY PLU");
  }
  static QStringList Three(const QString& text) { return {text, text, text}; }
};

TEST_P(CommentsPageDbTest, ThisColourSavesItsSizesAllColoursTheWholeStyle) {
  TForm1& f = OpenComments();
  TCommentsPage& page = *f.CommentsPage;
  EXPECT_EQ(f.PageCtrlSF->currentWidget(), f.TabShComments);
  EXPECT_EQ(page.PanelCommentsStyle->text(), "JEAN01");
  EXPECT_EQ(page.MemoOtherComments->toPlainText(), "Soft denim");
  EXPECT_EQ(page.MemoPOSComments->toPlainText(), "Try the belt");
  kvtest::SaveScreenshot(&f, "StyleKeeperComments");

  page.MemoOtherComments->setPlainText("It's <b>soft</b> denim");
  page.SpButCommentApplyThis->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Comments were saved successfully"});
  EXPECT_EQ(Comments("COMMENTS", "00000042"), Three("It's <b>soft</b> denim"));
  EXPECT_EQ(Comments("COMMENTS", "00000043"), Three("Black denim"));

  ClearShownTexts();
  page.SpButCommentApplyAll->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Comments were saved successfully"});
  EXPECT_EQ(Comments("COMMENTS", "00000043"), Three("It's <b>soft</b> denim"));
  EXPECT_EQ(Comments("POS_COMMENTS", "00000043"), Three("Try the belt"));

  // Nothing changed for this colour: nothing is written, and no success is claimed.
  ClearShownTexts();
  page.SpButCommentApplyThis->click();
  EXPECT_EQ(ShownTexts(), QStringList{"The comments have not been changed."});
}

TEST_P(CommentsPageDbTest, AnotherUsersChangeIsRefusedByNameOrKept) {
  TForm1& f = OpenComments();
  TCommentsPage& page = *f.CommentsPage;
  kvtest::DbHandle other = Connect();
  // The other user changes the point-of-sale comment; this page the web one.
  other.db->Execute("UPDATE PRODUCTS SET POS_COMMENTS = 'Belt 20% off' WHERE ROOT_PLU = '00000042'");
  page.MemoOtherComments->setPlainText("Stretch denim");
  page.SpButCommentApplyThis->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Comments were saved successfully"});
  EXPECT_EQ(Comments("COMMENTS", "00000042"), Three("Stretch denim"));
  EXPECT_EQ(Comments("POS_COMMENTS", "00000042"), Three("Belt 20% off"));

  // Now both change the web comment: the later save is refused.
  other.db->Execute("UPDATE PRODUCTS SET COMMENTS = 'Raw denim' WHERE ROOT_PLU = '00000042'");
  page.MemoOtherComments->setPlainText("Washed denim");
  ClearShownTexts();
  page.SpButCommentApplyThis->click();
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_TRUE(ShownTexts()[0].startsWith("Other Comments or Web Comments was changed by another user"))
      << ShownTexts()[0].toStdString();
  EXPECT_EQ(Comments("COMMENTS", "00000042"), Three("Raw denim"));
  // Copying to every colour would overwrite the other user's point-of-sale
  // comment too: refused as well, nothing written anywhere.
  ClearShownTexts();
  page.SpButCommentApplyAll->click();
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_NE(ShownTexts()[0].indexOf("changed by another user"), -1);
  EXPECT_EQ(Comments("COMMENTS", "00000043"), Three("Black denim"));
  EXPECT_TRUE(f.isEnabled());
}

TEST_P(CommentsPageDbTest, AFailedReadIsNoEmptyPage) {
  TForm1& f = Start({"", "00000042"});
  Exec("ALTER TABLE PRODUCTS RENAME COLUMN POS_COMMENTS TO POS_NOTES");
  f.SpButStyleInfoClick();
  f.SpButInfoCommentsClick();
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_TRUE(ShownTexts()[0].startsWith("Unable to load the comments.")) << ShownTexts()[0].toStdString();
  EXPECT_EQ(f.PageCtrlSF->currentWidget(), f.TabShInfo);
  EXPECT_NE(LogText().indexOf("TForm1::SpButInfoCommentsClick"), -1);
  EXPECT_TRUE(f.isEnabled());
}

TEST_P(CommentsPageDbTest, TheTagButtonsWrapTheSelectionOrGoInAtTheCaret) {
  TForm1& f = OpenComments();
  QPlainTextEdit* memo = f.CommentsPage->MemoOtherComments;
  const auto select = [memo](int start, int length) {
    QTextCursor c = memo->textCursor();
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    memo->setTextCursor(c);
  };
  memo->setPlainText("a red dress");
  select(2, 3);
  f.CommentsPage->TagButton("ButtonTagBold")->click();
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
  EXPECT_EQ(memo->toPlainText(), "a <b>red</b> dress");
  EXPECT_EQ(memo->textCursor().position(), 12);
  EXPECT_FALSE(memo->textCursor().hasSelection());
  f.CommentsPage->TagButton("ButtonTagBR")->click();
  EXPECT_EQ(memo->toPlainText(), "a <b>red</b><br /> dress");
  // One undo takes a tag away again.
  memo->undo();
  EXPECT_EQ(memo->toPlainText(), "a <b>red</b> dress");

  // Each button puts its own mark-up round the selection.
  for (const THtmlTagClass::Tag& tag : THtmlTagClass::Tags()) {
    memo->setPlainText("x");
    select(0, 1);
    f.CommentsPage->TagButton(tag.component)->click();
    EXPECT_EQ(memo->toPlainText(), tag.opening + "x" + tag.closing) << tag.component;
  }
}

KV_DB_ENGINES(CommentsPageDbTest);

}  // namespace
