#include "KvDialog.h"

#include "ModalSeam.h"

namespace kui {

KvDialog::KvDialog(QWidget* parent, Border border) : QDialog(parent) { SetBorder(border); }

void KvDialog::SetBorder(Border border) {
  Qt::WindowFlags f = Qt::Dialog;
  if (border == Border::None) f |= Qt::FramelessWindowHint;
  else f |= Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint;
  setWindowFlags(f);
}

int KvDialog::ExecuteResult() {
  modalResult_ = mrNone;
  if (maximised_) setWindowState(windowState() | Qt::WindowMaximized);
  const int shown = ModalSeam::Exec(*this);
  if (modalResult_ != mrNone) return modalResult_;
  return shown == QDialog::Accepted ? static_cast<int>(mrOk) : static_cast<int>(mrCancel);
}

bool KvDialog::Execute() { return ExecuteResult() == mrOk; }

void KvDialog::SetModalResult(int result) {
  if (result != mrNone) done(result);
}

void KvDialog::done(int r) {
  // reject() arrives as 0, which is mrNone here: it means Cancel.
  modalResult_ = r == QDialog::Rejected ? static_cast<int>(mrCancel) : r;
  QDialog::done(r);
}

}  // namespace kui
