#pragma once
// kui::KvApplication: the application object of every program of the suite.
// It delivers every event as QApplication does, under a net: an exception
// that escapes an event handler (a click, a key, a timer, a queued call) does
// not end the program. The net
//   - logs it through the error reporter (KuiGuard.h) under the handler's
//     qualified name when the handler gave one (HandlerName, Named), else
//     under "KvApplication::notify" and the window and object that got the
//     event;
//   - gives the window back: when no busy guard is running any more, the
//     window of the event is enabled again and a wait cursor left behind
//     is removed;
//   - shows the exception's message (by default in a critical message box
//     through the modal seam, captioned with the application's display name;
//     the framework shows it in its own message window);
// and the event loop goes on.
//
//   int main(int argc, char** argv) {
//     kui::KvApplication app(argc, argv);
//     ...
//     return app.exec();
//   }
//
// It also starts the run's text quickly: the application's font asks for
// text laid out without OpenType shaping where the script needs none (Latin
// text measures in half the time; scripts that need shaping still get it),
// and the system's font configuration, the slowest part of the first text
// measurement, is read beside the start of the application object. A program
// with work that needs no text (its data start-up) may go on with it while
// the configuration is still being read:
//
//     kui::KvApplication app(argc, argv, kui::KvApplication::FontConfigWait::BeforeFirstWindow);
//     ... open the database, read the user ...
//     kui::KvApplication::AwaitFontConfig();  // before any window is made
#include <QApplication>

#include <functional>

namespace kui {

class KvApplication : public QApplication {
  Q_OBJECT
 public:
  // When the program waits for the font configuration: at the end of the
  // constructor, or when it calls AwaitFontConfig before it makes its first
  // window (a modal window and ShowWindow wait for it too).
  enum class FontConfigWait { InConstructor, BeforeFirstWindow };
  KvApplication(int& argc, char** argv, FontConfigWait wait = FontConfigWait::InConstructor);
  // A run that ends before any window still waits for the reading.
  ~KvApplication() override;

  // Waits until the font configuration read at start is read; at once when
  // it is, or when no reading was started.
  static void AwaitFontConfig();

  bool notify(QObject* receiver, QEvent* event) override;

  // How the message of an escaped exception reaches the user.
  using ShowError = std::function<void(const QString& message)>;
  static void SetShowError(ShowError show);  // empty: the default box

  // Told of every exception the net catches, after it was logged and before
  // it is shown; answering false leaves it unshown. Test programs use it to
  // fail a test that did not expect an escape.
  using Watcher = std::function<bool(const QString& where, const QString& what)>;
  static void SetWatcher(Watcher watcher);

  // The message box of the default ShowError (also the last word of a run,
  // when nothing else can be shown).
  static void ShowErrorBox(const QString& message);

 private:
  int depth_ = 0;  // nested deliveries (modal loops, pumped events)
  // Starts reading the font configuration before QApplication starts.
  static int& ReadFontConfigFirst(int& argc);
};

}  // namespace kui
