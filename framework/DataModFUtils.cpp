// TDMDB: pick lists, program start and small utilities.
#include "DataModF.h"

#include "FileVersion.h"
#include "Format.h"
#include "KuiFont.h"
#include "PickList.h"
#include "Process.h"
#include "Utils.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolButton>

namespace {

// The rows of a pick-list statement as "name=id" items, in the statement's
// order. With defaultIndex, it receives the index of the last row whose
// parent_id equals its own id (-1 when none). A failed statement gives an
// empty list (the failure is in the log).
QStringList PickRows(TDMDB& m, const QString& statement, const QString& where,
                     int* defaultIndex = nullptr) {
  QStringList items;
  if (defaultIndex) *defaultIndex = -1;
  kdb::Query* q = m.DBQueryBRules;
  if (!m.RunQuery(statement, q) || !q->Active()) return items;
  try {
    for (q->First(); !q->Eof(); q->Next()) {
      kdb::Field& id = q->FieldByName("id");
      items << q->FieldByName("name").AsString() + "=" + id.AsString();
      if (defaultIndex && q->FieldByName("parent_id").AsInteger() == id.AsInteger())
        *defaultIndex = static_cast<int>(items.size() - 1);
    }
  } catch (const std::exception& e) {
    m.LogException(e, where);
  }
  return items;
}

QString ParamListSql(const QString& type) {
  return "select id, name, parent_id from parameters where type = " + kdb::sql::Quote(type) +
         " order by name";
}

QString BranchListSql(bool all) {
  return QString("select name, id from branches") + (all ? "" : " where id not in (2, 3)") +
         " order by name asc";
}

// The kinds of control whose font a form smooths: labels, panels, edit
// boxes, speed buttons (tool buttons), memos and date-time pickers, with the
// classes derived from them. Push buttons, lists and grids keep their own fonts.
bool TakesSmoothFont(const QWidget* w) {
  if (qobject_cast<const QLabel*>(w) || qobject_cast<const QLineEdit*>(w) ||
      qobject_cast<const QToolButton*>(w) ||
      qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
      qobject_cast<const QDateTimeEdit*>(w))
    return true;
  // A panel is a plain frame; scrolling views (lists, grids) derive from a
  // frame too but are no panels.
  return qobject_cast<const QFrame*>(w) && !qobject_cast<const QAbstractScrollArea*>(w);
}

}  // namespace

// ----- pick lists --------------------------------------------------------------

int TDMDB::GetParamList(QStringList& strings, const QString& type, bool withDefault) {
  SQLText = ParamListSql(type);
  int index = -1;
  strings = PickRows(*this, SQLText, "TDMDB::GetParamList", withDefault ? &index : nullptr);
  return index;
}

int TDMDB::GetParamList(QComboBox* combo, const QString& type, bool withDefault) {
  QStringList items;
  const int index = GetParamList(items, type, withDefault);
  kui::SetPickItems(combo, items);
  return index;
}

int TDMDB::GetParamList(QListWidget* list, const QString& type, bool withDefault) {
  QStringList items;
  const int index = GetParamList(items, type, withDefault);
  kui::SetPickItems(list, items);
  return index;
}

void TDMDB::GetBranchList(QStringList& strings, bool all) {
  SQLText = BranchListSql(all);
  strings = PickRows(*this, SQLText, "TDMDB::GetBranchList");
}

void TDMDB::GetBranchList(QComboBox* combo, bool all) {
  QStringList items;
  GetBranchList(items, all);
  kui::SetPickItems(combo, items);
}

void TDMDB::GetBranchList(QListWidget* list, bool all) {
  QStringList items;
  GetBranchList(items, all);
  kui::SetPickItems(list, items);
}

// ----- program start -------------------------------------------------------------

bool TDMDB::RunProgram(const QString& commandLine, const QString& folder, bool wait) {
  // The folder "0" leaves the child in the caller's current folder.
  return kos::StartProgram(commandLine, folder, wait);
}

// ----- fonts ------------------------------------------------------------------------

void TDMDB::SmoothFont(QFont& font) { kui::SmoothFont(font); }

void TDMDB::SmoothFormFonts(QWidget* owner) {
  if (!owner) return;
  for (QWidget* w : owner->findChildren<QWidget*>()) {
    if (!TakesSmoothFont(w)) continue;
    QFont f = w->font();
    SmoothFont(f);
    w->setFont(f);
  }
}

// ----- small conversions ---------------------------------------------------------------

QString TDMDB::GetFileVersion(const QString& fileName, bool withV) {
  const QString version = kos::GetFileVersion(fileName);
  return withV ? "v" + version : version;
}

Currency TDMDB::TextToCurrency(const QString& text) { return kos::TextToCurrency(text); }

quint32 TDMDB::ContrastFontColour(qint64 colour) {
  // A colour is a 32-bit value; wider numbers keep their low 32 bits, so -1
  // in any width is "no colour".
  return static_cast<quint32>(kos::ContrastTextColour(static_cast<int>(static_cast<quint32>(colour))));
}
