#include "WaitClass.h"

#include <QPointer>

#include <algorithm>
#include <vector>

#include "LoadingForm.h"

namespace {

struct Holder {
  const TWaitClass* holder;
  QString message;
  QString info;
};

// The one wait window and the holders that show it, outermost first (one
// user-interface thread).
struct SharedWindow {
  QPointer<TFormLoading> form;
  std::vector<Holder> holders;

  std::vector<Holder>::iterator Find(const TWaitClass* h) {
    return std::find_if(holders.begin(), holders.end(), [h](const Holder& e) { return e.holder == h; });
  }
  void ShowInnermost() {
    const Holder& top = holders.back();
    form->SetMessage(top.message);
    form->SetInfo(top.info);
    form->ShowLoading();
  }
};

SharedWindow& Shared() {
  static SharedWindow s;
  return s;
}

}  // namespace

TWaitClass::~TWaitClass() { Close(); }

void TWaitClass::Show(const QString& message, const QString& info) {
  try {
    SharedWindow& s = Shared();
    if (!s.form) s.form = new TFormLoading();
    const auto it = s.Find(this);
    if (it == s.holders.end())
      s.holders.push_back({this, message, info});
    else
      *it = {this, message, info};
    Form = s.form;
    // An outer holder's new text waits until the inner operation is done.
    if (s.holders.back().holder == this) s.ShowInnermost();
  } catch (...) {
    // The work matters more than its wait window.
  }
}

void TWaitClass::Close() {
  if (!Form) return;
  Form = nullptr;
  try {
    SharedWindow& s = Shared();
    const auto it = s.Find(this);
    if (it != s.holders.end()) s.holders.erase(it);
    if (!s.form) return;
    if (s.holders.empty())
      s.form->close();  // hidden, kept for the next operation
    else
      s.ShowInnermost();  // the calling operation's texts again
  } catch (...) {
  }
}

void TWaitClass::FreeWindow() {
  SharedWindow& s = Shared();
  if (s.holders.empty()) delete s.form.data();
}
