#include "WaitClass.h"

#include "LoadingForm.h"

TWaitClass::~TWaitClass() { Close(); }

void TWaitClass::Show(const QString& message, const QString& info) {
  try {
    if (!Form) Form = new TFormLoading();
    Form->SetMessage(message);
    Form->SetInfo(info);
    Form->ShowLoading();
  } catch (...) {
    // The work matters more than its wait window.
  }
}

void TWaitClass::Close() {
  if (!Form) return;
  TFormLoading* form = Form;
  Form = nullptr;
  form->close();
  delete form;
}
