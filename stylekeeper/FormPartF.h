#pragma once
// A part of the style editor's window that one unit builds, wires and
// handles: a tab sheet of the page control (a page) or a bar. The window
// (TForm1) creates its parts once and keeps them for the run; a part's
// controls belong to the part, and the handler names the window is known by
// stay members of TForm1, thin entry points into the part.
//
//   class TImagePage : public TFormPart {
//    public:
//     explicit TImagePage(TForm1& form) : TFormPart(form, "TabShImage", "Image") { ... }
//   };
//
// A page registers its own focus colour for its entry fields; its keys are
// hooked on its own controls (TControlEventsClass, grid key events).
#include <QObject>
#include <QString>

#include <functional>

class QAbstractButton;
class QVBoxLayout;
class QWidget;
class TForm1;

class TFormPart : public QObject {
  Q_OBJECT
 public:
  // A bar: its controls go where the window places them.
  explicit TFormPart(TForm1& form);
  // A page: a new tab sheet of the window's page control, with its title
  // (none when empty) at the top.
  TFormPart(TForm1& form, const char* sheetName, const QString& title);

  TForm1& Form;
  QWidget* Sheet = nullptr;  // the tab sheet of a page; nullptr for a bar

  // Makes this page the window's active sheet.
  void ShowSheet();

 protected:
  // The sheet's vertical layout, below the title.
  QVBoxLayout* SheetLayout() const;
  // Runs the handler on a click under the window's handler net: a failure
  // is logged with `where` ("TForm1::SpButTabImageClick"), told and the
  // window enabled again.
  void OnClick(QAbstractButton* button, const char* where, std::function<void()> handler);
};
