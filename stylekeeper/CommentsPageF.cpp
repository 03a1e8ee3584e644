// The comments page: layout, wiring and handlers, with the TForm1 entry
// points of those handlers. Reading and writing the comments is
// TCommentsClass's; the mark-up is THtmlTagClass's.
#include "CommentsPageF.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

#include "CommentsClass.h"
#include "DataModF.h"
#include "HtmlTagClass.h"
#include "InfoPageF.h"
#include "KvBusyGuard.h"
#include "KvEdit.h"
#include "StyleKeeperControls.h"
#include "StyleKeeperForm.h"

void TForm1::SpButInfoCommentsClick() { CommentsPage->Open(); }
void TForm1::SpButCommentApplyThisClick() { CommentsPage->SaveThisColour(); }
void TForm1::SpButCommentApplyAllClick() { CommentsPage->SaveAllColours(); }
void TForm1::InsertHtmlTag(const QString& opening, const QString& closing) {
  CommentsPage->InsertHtmlTag(opening, closing);
}
void TForm1::ButtonTagBoldClick() { CommentsPage->InsertTagOf("ButtonTagBold"); }
void TForm1::ButtonTagItalicClick() { CommentsPage->InsertTagOf("ButtonTagItalic"); }
void TForm1::ButtonTagUnderlineClick() { CommentsPage->InsertTagOf("ButtonTagUnderline"); }
void TForm1::ButtonTagBulletClick() { CommentsPage->InsertTagOf("ButtonTagBullet"); }
void TForm1::ButtonTahParaClick() { CommentsPage->InsertTagOf("ButtonTahPara"); }
void TForm1::ButtonTagH1Click() { CommentsPage->InsertTagOf("ButtonTagH1"); }
void TForm1::ButtonTagH2Click() { CommentsPage->InsertTagOf("ButtonTagH2"); }
void TForm1::ButtonH3Click() { CommentsPage->InsertTagOf("ButtonH3"); }
void TForm1::ButtonTagImageClick() { CommentsPage->InsertTagOf("ButtonTagImage"); }
void TForm1::ButtonTagLinkClick() { CommentsPage->InsertTagOf("ButtonTagLink"); }
void TForm1::ButtonTagBRClick() { CommentsPage->InsertTagOf("ButtonTagBR"); }
void TForm1::ButtonTagHRClick() { CommentsPage->InsertTagOf("ButtonTagHR"); }

namespace {

constexpr int kTagColumns = 6;

QPlainTextEdit* MakeMemo(QWidget* parent, const char* name) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(name);
  memo->setTabChangesFocus(true);
  return memo;
}

// The TForm1 handler of each mark-up button, so the log names it.
using TagHandler = void (TForm1::*)();
struct TagHandlerOf {
  const char* component;
  const char* where;
  TagHandler handler;
};
constexpr TagHandlerOf kTagHandlers[] = {
    {"ButtonTagBold", "TForm1::ButtonTagBoldClick", &TForm1::ButtonTagBoldClick},
    {"ButtonTagItalic", "TForm1::ButtonTagItalicClick", &TForm1::ButtonTagItalicClick},
    {"ButtonTagUnderline", "TForm1::ButtonTagUnderlineClick", &TForm1::ButtonTagUnderlineClick},
    {"ButtonTagBullet", "TForm1::ButtonTagBulletClick", &TForm1::ButtonTagBulletClick},
    {"ButtonTahPara", "TForm1::ButtonTahParaClick", &TForm1::ButtonTahParaClick},
    {"ButtonTagH1", "TForm1::ButtonTagH1Click", &TForm1::ButtonTagH1Click},
    {"ButtonTagH2", "TForm1::ButtonTagH2Click", &TForm1::ButtonTagH2Click},
    {"ButtonH3", "TForm1::ButtonH3Click", &TForm1::ButtonH3Click},
    {"ButtonTagImage", "TForm1::ButtonTagImageClick", &TForm1::ButtonTagImageClick},
    {"ButtonTagLink", "TForm1::ButtonTagLinkClick", &TForm1::ButtonTagLinkClick},
    {"ButtonTagBR", "TForm1::ButtonTagBRClick", &TForm1::ButtonTagBRClick},
    {"ButtonTagHR", "TForm1::ButtonTagHRClick", &TForm1::ButtonTagHRClick},
};

}  // namespace

TCommentsPage::TCommentsPage(TForm1& form)
    : TFormPart(form, "TabShComments", "Comments"), comments_(std::make_unique<TCommentsClass>()) {
  QVBoxLayout* layout = SheetLayout();
  PanelCommentsStyle = skui::MakePanel(Sheet, "PanelCommentsStyle", QString());
  layout->addWidget(PanelCommentsStyle, 0, Qt::AlignLeft);

  layout->addWidget(skui::MakeLabel(Sheet, "LabelPOSComments", "POS Comments or Add-On Sales Comments:"));
  MemoPOSComments = MakeMemo(Sheet, "MemoPOSComments");
  layout->addWidget(MemoPOSComments, 1);

  layout->addWidget(skui::MakeLabel(Sheet, "LabelOtherComments", "Other Comments or Web Comments:"));
  auto* tags = new QGridLayout;
  int i = 0;
  for (const TagHandlerOf& t : kTagHandlers) {
    auto* b = new QPushButton(THtmlTagClass::Of(t.component).caption, Sheet);
    b->setObjectName(t.component);
    // The memo keeps the focus, and with it the selection the tag goes round.
    b->setFocusPolicy(Qt::NoFocus);
    tags->addWidget(b, i / kTagColumns, i % kTagColumns);
    OnClick(b, t.where, [&form, h = t.handler] { (form.*h)(); });
    ++i;
  }
  layout->addLayout(tags);
  MemoOtherComments = MakeMemo(Sheet, "MemoOtherComments");
  layout->addWidget(MemoOtherComments, 2);

  auto* buttons = new QHBoxLayout;
  SpButCommentApplyThis = skui::MakeButton(Sheet, "SpButCommentApplyThis", "Apply Only To This Colour", 200);
  SpButCommentApplyAll = skui::MakeButton(Sheet, "SpButCommentApplyAll", "Apply To All Colours", 200);
  buttons->addStretch(1);
  buttons->addWidget(SpButCommentApplyThis);
  buttons->addWidget(SpButCommentApplyAll);
  layout->addLayout(buttons);

  OnClick(SpButCommentApplyThis, "TForm1::SpButCommentApplyThisClick", [&form] { form.SpButCommentApplyThisClick(); });
  OnClick(SpButCommentApplyAll, "TForm1::SpButCommentApplyAllClick", [&form] { form.SpButCommentApplyAllClick(); });
}

TCommentsPage::~TCommentsPage() = default;

QPushButton* TCommentsPage::TagButton(const char* component) const {
  return Sheet->findChild<QPushButton*>(component);
}

void TCommentsPage::Open() {
  const QString rootPLU = Form.LoadedRootPLU();
  if (rootPLU.isEmpty()) {
    DMDB->ShowMessage("Please select a style.");
    return;
  }
  try {
    kui::KvBusyGuard busy(&Form, "Loading comments please wait...");
    PanelCommentsStyle->setText(Form.EditSupplierStyle->text());
    comments_->Load(*DMDB->DBQueryRemote1, rootPLU);
  } catch (const std::exception& e) {
    // Empty memos would pass for a colour without comments, and a save
    // from them would wipe the stored ones: the page is not shown.
    DMDB->LogException(e, "TForm1::SpButInfoCommentsClick");
    DMDB->ShowMessage("Unable to load the comments.\n" + TDMDB::ExceptionMessage(e));
    return;
  }
  MemoOtherComments->setPlainText(comments_->Web);
  MemoPOSComments->setPlainText(comments_->POS);
  ShowSheet();
}

void TCommentsPage::SaveThisColour() { Save(false, "TForm1::SpButCommentApplyThisClick"); }

void TCommentsPage::SaveAllColours() { Save(true, "TForm1::SpButCommentApplyAllClick"); }

void TCommentsPage::Save(bool allColours, const char* where) {
  if (!comments_->Loaded()) return;
  int written = 0;
  try {
    kui::KvBusyGuard busy(&Form, "Please wait...");
    written = comments_->Save(*DMDB->DBDatabaseRemote, *DMDB->DBTableR1, *DMDB->DBQueryRemote2,
                              allColours ? TCommentsClass::Scope::Style : TCommentsClass::Scope::Colour,
                              MemoOtherComments->toPlainText(), MemoPOSComments->toPlainText());
  } catch (const kdb::EditConflict& e) {
    DMDB->ShowMessage(e.Message());
    return;
  } catch (const std::exception& e) {
    DMDB->LogException(e, where);
    DMDB->ShowMessage("The comments were not saved.\n\n" + TDMDB::ExceptionMessage(e));
    return;
  }
  DMDB->ShowMessage(written > 0 ? QStringLiteral("Comments were saved successfully")
                                : QStringLiteral("The comments have not been changed."));
}

void TCommentsPage::InsertHtmlTag(const QString& opening, const QString& closing) {
  QTextCursor cursor = MemoOtherComments->textCursor();
  const int start = cursor.selectionStart();
  const int length = cursor.selectionEnd() - start;
  const THtmlTagClass::Insertion r =
      THtmlTagClass::Insert(MemoOtherComments->toPlainText(), start, length, opening, closing);
  // One edit of the memo of its own, so a single undo takes the tags away again.
  cursor.beginEditBlock();
  cursor.setPosition(start);
  cursor.setPosition(start + length, QTextCursor::KeepAnchor);
  cursor.insertText(r.text.mid(start, r.caret - start));
  cursor.endEditBlock();
  cursor.setPosition(r.caret);
  MemoOtherComments->setTextCursor(cursor);
  MemoOtherComments->setFocus();
}

void TCommentsPage::InsertTagOf(const char* component) {
  const THtmlTagClass::Tag& tag = THtmlTagClass::Of(component);
  InsertHtmlTag(tag.opening, tag.closing);
}
