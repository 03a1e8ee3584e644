#include "Process.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace kos {

namespace {

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

// The words after the program, from position i on (argument rules).
QStringList SplitArguments(const QString& line, qsizetype i) {
  QStringList words;
  QString word;
  bool inWord = false, quoted = false;
  const qsizetype n = line.size();
  while (i < n) {
    const QChar c = line[i];
    if (IsBlank(c) && !quoted) {
      if (inWord) words << word;
      word.clear();
      inWord = false;
      ++i;
      continue;
    }
    inWord = true;
    if (c == u'\\') {
      qsizetype end = i;
      while (end < n && line[end] == u'\\') ++end;
      const qsizetype count = end - i;
      const bool beforeQuote = end < n && line[end] == u'"';
      word += QString(beforeQuote ? count / 2 : count, u'\\');
      i = end;
      if (beforeQuote && count % 2 == 1) {  // an escaped, literal quote
        word += u'"';
        ++i;
      }
      continue;
    }
    if (c == u'"') {
      if (quoted && i + 1 < n && line[i + 1] == u'"') {
        word += u'"';  // "" inside quotes: a literal quote, and the quoting ends
        quoted = false;
        i += 2;
      } else {
        quoted = !quoted;
        ++i;
      }
      continue;
    }
    word += c;
    ++i;
  }
  if (inWord) words << word;
  return words;
}

QStringList PathFolders() {
  return qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
}

bool IsProgramFile(const QFileInfo& info) { return info.isFile() && info.isExecutable(); }

QString FindExact(const QStringList& folders, const QString& name) {
  for (const QString& folder : folders) {
    const QFileInfo info(QDir(folder), name);
    if (IsProgramFile(info)) return info.absoluteFilePath();
  }
  return {};
}

QString FindIgnoringCase(const QStringList& folders, const QString& name) {
  for (const QString& folder : folders) {
    const QDir dir(folder);
    const QStringList files = dir.entryList(QDir::Files | QDir::Executable);
    for (const QString& file : files) {
      if (file.compare(name, Qt::CaseInsensitive) == 0) return dir.absoluteFilePath(file);
    }
  }
  return {};
}

QString FindInFolders(const QStringList& folders, const QString& name) {
  if (name.isEmpty()) return {};
  QStringList names{name};
  if (name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) names << name.chopped(4);
  for (const QString& n : names) {
    const QString found = FindExact(folders, n);
    if (!found.isEmpty()) return found;
  }
  for (const QString& n : names) {
    const QString found = FindIgnoringCase(folders, n);
    if (!found.isEmpty()) return found;
  }
  return {};
}

Starter& CurrentStarter() {
  static Starter starter = StartProcess;
  return starter;
}

QString RunningProgramFolder() {
  return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
}

bool IsWebAddress(const QString& text) {
  static const QRegularExpression scheme(QStringLiteral("^(https?|mailto):"),
                                         QRegularExpression::CaseInsensitiveOption);
  return scheme.match(text).hasMatch();
}

}  // namespace

QStringList SplitCommandLine(const QString& commandLine) {
  const qsizetype n = commandLine.size();
  qsizetype i = 0;
  while (i < n && IsBlank(commandLine[i])) ++i;
  if (i == n) return {};
  QString program;
  if (commandLine[i] == u'"') {
    const qsizetype close = commandLine.indexOf(u'"', i + 1);
    const qsizetype end = close < 0 ? n : close;
    program = commandLine.mid(i + 1, end - i - 1);
    i = close < 0 ? n : close + 1;
  } else {
    while (i < n && !IsBlank(commandLine[i])) program += commandLine[i++];
  }
  QStringList words{program};
  words << SplitArguments(commandLine, i);
  return words;
}

QString FindProgram(const QString& name, const QString& firstFolder) {
  if (name.contains(u'/')) {
    const QFileInfo path(name);
    return FindInFolders({path.absolutePath()}, path.fileName());
  }
  QStringList folders = PathFolders();
  if (!firstFolder.isEmpty()) folders.prepend(firstFolder);
  return FindInFolders(folders, name);
}

QString FindProgramIn(const QString& name, const QString& folder) {
  if (name.contains(u'/') || folder.isEmpty()) return {};
  return FindInFolders({folder}, name);
}

bool StartProcess(const StartRequest& request) {
  if (request.program.isEmpty()) return false;
  if (!request.workingFolder.isEmpty() && !QFileInfo(request.workingFolder).isDir()) return false;
  if (!request.wait) {
    return QProcess::startDetached(request.program, request.arguments, request.workingFolder);
  }
  // A plain blocking wait: the caller's thread (and its windows) stop until
  // the child ends; no events are processed meanwhile.
  QProcess child;
  child.setProgram(request.program);
  child.setArguments(request.arguments);
  child.setWorkingDirectory(request.workingFolder);
  child.setProcessChannelMode(QProcess::ForwardedChannels);
  child.setInputChannelMode(QProcess::ForwardedInputChannel);
  child.start();
  if (!child.waitForStarted(-1)) return false;
  child.waitForFinished(-1);
  return true;
}

void SetStarter(Starter starter) {
  CurrentStarter() = starter ? std::move(starter) : Starter(StartProcess);
}

bool StartProgram(const QString& commandLine, const QString& workingFolder, bool wait) {
  QStringList words = SplitCommandLine(commandLine);
  StartRequest request;
  if (!words.isEmpty()) {
    request.name = words.takeFirst();
    request.program = FindProgram(request.name, RunningProgramFolder());
  }
  request.arguments = words;
  request.workingFolder = workingFolder == QLatin1String("0") ? QString() : workingFolder;
  request.wait = wait;
  return CurrentStarter()(request);
}

bool ShellOpen(const QString& file, const QString& parameters, const QString& workingFolder) {
  StartRequest request;
  request.via = StartRequest::Via::Shell;
  request.name = file;
  request.workingFolder = workingFolder;
  const QDir base(workingFolder.isEmpty() ? QDir::currentPath() : workingFolder);
  if (IsWebAddress(file)) {
    request.program = FindProgram(QStringLiteral("xdg-open"));
    request.arguments = QStringList{file};
  } else if (!file.isEmpty()) {
    const QString local = file.contains(u'/') ? base.absoluteFilePath(file) : file;
    request.program = FindProgram(local, base.absolutePath());
    request.arguments = SplitArguments(parameters, 0);
    if (request.program.isEmpty() && QFileInfo(base, file).isFile()) {
      // A document: the desktop opens it with the program it belongs to.
      request.program = FindProgram(QStringLiteral("xdg-open"));
      request.arguments = QStringList{base.absoluteFilePath(file)};
    }
  }
  return CurrentStarter()(request);
}

}  // namespace kos
