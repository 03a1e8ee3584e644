#pragma once
// The comments page: the point-of-sale comment and the web comment of the
// shown root PLU, with the twelve buttons that put mark-up into the web
// comment, saved for this colour or every colour of the style.
#include <QString>

#include <memory>

#include "FormPartF.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TCommentsClass;

class TCommentsPage : public TFormPart {
  Q_OBJECT
 public:
  explicit TCommentsPage(TForm1& form);
  ~TCommentsPage() override;

  // "Comments": loads both comments of the loaded root PLU and shows the
  // page; unsaved edits are dropped.
  void Open();
  // The two Apply buttons.
  void SaveThisColour();
  void SaveAllColours();
  // Puts the texts around the web comment's selection (or at its caret) and
  // leaves the caret just after the closing text.
  void InsertHtmlTag(const QString& opening, const QString& closing);
  // The mark-up of one of the twelve buttons, by its name.
  void InsertTagOf(const char* component);

  QLabel* PanelCommentsStyle = nullptr;
  QPlainTextEdit* MemoPOSComments = nullptr;
  QPlainTextEdit* MemoOtherComments = nullptr;
  QToolButton* SpButCommentApplyThis = nullptr;
  QToolButton* SpButCommentApplyAll = nullptr;
  // One of the twelve mark-up buttons, by its name (THtmlTagClass::Tags()).
  QPushButton* TagButton(const char* component) const;

 private:
  std::unique_ptr<TCommentsClass> comments_;
  void Save(bool allColours, const char* where);
};
