#pragma once
// KvDialog: the base of the suite's modal dialogs.
//
//   class TFormStylesList : public kui::KvDialog { ... };
//   TFormStylesList dlg(parent);             // borderless by default
//   if (dlg.Execute()) { ... }                // true when closed with OK
//
// Execute always runs through ModalSeam (tests answer it there). Close the
// dialog with SetModalResult(kui::KvDialog::mrOk) (or mrCancel, ...), like
// the class library's ModalResult; accept()/reject() give mrOk/mrCancel.
// Escape closes with mrCancel. SetBorder(Border::Fixed) gives a dialog frame
// (caption bar, no resize); SetMaximised(true) opens it maximised.
#include <QDialog>

namespace kui {

class KvDialog : public QDialog {
  Q_OBJECT
 public:
  enum ModalResult { mrNone = 0, mrOk = QDialog::Accepted, mrCancel = 100, mrYes, mrNo, mrAbort };
  enum class Border { None, Fixed };

  explicit KvDialog(QWidget* parent = nullptr, Border border = Border::None);

  // Shows the dialog modally; true when it closed with mrOk.
  bool Execute();
  // Shows the dialog modally and gives the result it closed with.
  int ExecuteResult();

  int ModalResultValue() const { return modalResult_; }
  void SetModalResult(int result);  // mrNone keeps the dialog open

  void SetBorder(Border border);
  void SetMaximised(bool on) { maximised_ = on; }

  void done(int r) override;

 private:
  int modalResult_ = mrNone;
  bool maximised_ = false;
};

}  // namespace kui
