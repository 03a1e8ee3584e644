#pragma once
// Starting other programs: a command line the way Windows reads one, the
// search for the program file, and the shell's "open".
//
// Every start goes through one replaceable starter, so tests can see what a
// program would start without starting anything (see ScopedStarter).
#include <QString>
#include <QStringList>

#include <functional>

namespace kos {

// Splits a command line into its words by the rules of CommandLineToArgvW:
// blanks and tabs separate words; double quotes group a word (and may sit
// inside one: a"b c"d is one word); 2n backslashes before a quote give n
// backslashes and the quote groups, 2n+1 give n backslashes and a literal
// quote; other backslashes are literal; "" inside a quoted part is a literal
// quote that ends the quoted part. The first word is the program: a quote
// there only groups (no backslash rules). Blanks before the program are skipped.
QStringList SplitCommandLine(const QString& commandLine);

// Finds the program file of a name. A name with a "/" is a path (relative to
// the current folder). A bare name is looked for in `firstFolder` (when not
// empty), then in every folder of PATH. Windows names still work: when the
// name itself is not found, a trailing ".exe" is dropped, and then the name is
// matched ignoring case. Returns the absolute file path, or "" when there is
// no such executable file.
QString FindProgram(const QString& name, const QString& firstFolder = {});
// The same search in one folder only (is the program in this folder?).
QString FindProgramIn(const QString& name, const QString& folder);

// What a start asks for; the starter gets it whole.
struct StartRequest {
  enum class Via { Process, Shell };
  Via via = Via::Process;
  QString name;           // the program (or document, or web address) as named
  QString program;        // the file that runs; "" when none was found
  QStringList arguments;
  QString workingFolder;  // "" = the caller's current folder
  bool wait = false;      // block until the child has ended
};

// A starter returns whether the child started.
using Starter = std::function<bool(const StartRequest&)>;

// The real starter: false when `program` is empty or the child cannot be
// started; with wait it blocks (no event loop, no time-out) until the child ends.
bool StartProcess(const StartRequest& request);

// Replaces the starter for every start; an empty function restores StartProcess.
void SetStarter(Starter starter);

// Installs a starter for one scope (tests).
class ScopedStarter {
 public:
  explicit ScopedStarter(Starter starter) { SetStarter(std::move(starter)); }
  ~ScopedStarter() { SetStarter({}); }
  ScopedStarter(const ScopedStarter&) = delete;
  ScopedStarter& operator=(const ScopedStarter&) = delete;
};

// Starts the program of a command line. The program is looked for in the
// running program's own folder, then on PATH. The working folder "0" (or "")
// means the caller's current folder. With wait the caller blocks until the
// child ends. Returns whether the child started; a program that cannot be
// found or started gives false and nothing else (no message, no log).
bool StartProgram(const QString& commandLine, const QString& workingFolder, bool wait);

// The shell's "open". A web address (http:, https:, mailto:) opens in the
// desktop's browser (xdg-open, not waited for). Otherwise `file` is a program
// (looked for in the working folder, then on PATH), started without waiting
// with `parameters` split like a command line; a file that is no program is
// handed to xdg-open. The working folder "" means the caller's current
// folder. Returns whether something was started; callers may ignore it.
bool ShellOpen(const QString& file, const QString& parameters = {},
               const QString& workingFolder = {});

}  // namespace kos
