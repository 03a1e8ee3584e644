#include "WaitClass.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <vector>

#include "LoadingForm.h"

namespace {

struct Holder {
  TWaitClass* holder;
  QString message;
  QString info;
};

// The one wait window and the holders of the operations running, outermost
// first (one user-interface thread).
struct SharedWindow {
  QPointer<TFormLoading> form;
  std::vector<Holder> holders;
  QElapsedTimer running;     // since the outermost operation began
  QPointer<QTimer> appear;   // shows the window when the delay is over

  std::vector<Holder>::iterator Find(const TWaitClass* h) {
    return std::find_if(holders.begin(), holders.end(), [h](const Holder& e) { return e.holder == h; });
  }
  bool Visible() const { return form && form->isVisible(); }

  void ShowInnermost() {
    const Holder& top = holders.back();
    form->SetMessage(top.message);
    form->SetInfo(top.info);
    form->ShowLoading();
  }

  // The window with the innermost text, made when needed; every running
  // operation now has it.
  void Appear() {
    if (holders.empty()) return;
    if (appear) appear->stop();
    if (!form) form = new TFormLoading();
    for (Holder& h : holders) h.holder->Form = form;
    ShowInnermost();
  }

  // Shows the window now when the delay is over, else once the operation
  // lets events through after it.
  void AppearWhenDue() {
    const qint64 left = kui::WaitWindowDelay() - running.elapsed();
    if (left <= 0) return Appear();
    if (!QCoreApplication::instance()) return;
    if (!appear) {
      appear = new QTimer(QCoreApplication::instance());
      appear->setSingleShot(true);
      QObject::connect(appear, &QTimer::timeout, [this] {
        try {
          if (!holders.empty() && !Visible()) Appear();
        } catch (...) {
          // The work matters more than its wait window.
        }
      });
    }
    if (!appear->isActive()) appear->start(static_cast<int>(left));
  }

  void Hide() {
    if (appear) appear->stop();
    if (form) form->close();  // hidden, kept for the next operation
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
    const auto it = s.Find(this);
    if (it != s.holders.end()) {
      *it = {this, message, info};
    } else {
      if (s.holders.empty()) s.running.start();
      s.holders.push_back({this, message, info});
    }
    // An outer holder's new text waits until the inner operation is done.
    if (s.holders.back().holder != this) return;
    if (s.Visible()) {
      Form = s.form;
      s.ShowInnermost();
    } else {
      s.AppearWhenDue();
    }
  } catch (...) {
    // The work matters more than its wait window.
  }
}

void TWaitClass::Close() {
  Form = nullptr;
  try {
    SharedWindow& s = Shared();
    const auto it = s.Find(this);
    if (it == s.holders.end()) return;
    s.holders.erase(it);
    if (s.holders.empty())
      s.Hide();
    else if (s.Visible())
      s.ShowInnermost();  // the calling operation's texts again
  } catch (...) {
  }
}

void TWaitClass::FreeWindow() {
  SharedWindow& s = Shared();
  if (s.holders.empty()) delete s.form.data();
}
