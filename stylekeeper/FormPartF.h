#pragma once
// A part of the style editor's window that one unit builds, wires and
// handles: a tab sheet of the page control (a page) or a bar. The window
// (TForm1) creates its bars with itself and each page on its first use
// (TPageSlot), and keeps them for the run; a part's controls belong to the
// part, and the handler names the window is known by stay members of TForm1,
// thin entry points into the part.
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
#include <utility>

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

// A page of the window made on its first use: the window and its handlers
// name it as they would a page made with the window (StockPage->Grid), and
// the first such use makes it. Building the thirteen pages and laying them
// out was half of the window's start; most runs open a few of them. Code that
// only resets a page to what a new one shows asks IfMade() and leaves a page
// not made alone.
template <class T>
class TPageSlot {
 public:
  TPageSlot() = default;
  TPageSlot(const TPageSlot&) = delete;
  TPageSlot& operator=(const TPageSlot&) = delete;

  // `make` builds the page; `prepare` then brings it to the window's present
  // state (settings, mode), with the slot already naming it.
  void SetMaker(std::function<T*()> make, std::function<void(T&)> prepare) {
    make_ = std::move(make);
    prepare_ = std::move(prepare);
  }
  T* Get() const {
    if (!made_ && make_) {
      made_ = make_();
      if (prepare_) prepare_(*made_);
    }
    return made_;
  }
  T* operator->() const { return Get(); }
  operator T*() const { return Get(); }
  // The page when it has been made, else nullptr (nothing is made).
  T* IfMade() const { return made_; }
  // The page when it has been made and is `only` (any made page when `only`
  // is nullptr).
  T* IfMade(const TFormPart* only) const {
    return made_ && (!only || only == static_cast<const TFormPart*>(made_)) ? made_ : nullptr;
  }

 private:
  std::function<T*()> make_;
  std::function<void(T&)> prepare_;
  mutable T* made_ = nullptr;
};
