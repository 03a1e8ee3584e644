#include "CodeListModeClass.h"

TCodeListModeClass::Controls TCodeListModeClass::Shown() const {
  const bool editing = Editing();
  return {!editing, editing, !editing, editing};
}

QString TCodeListModeClass::CurrentID() const {
  if (keeping_ == Keeping::Member) return QString::number(CurrentIntID());
  return id_;
}

int TCodeListModeClass::CurrentIntID() const {
  bool ok = false;
  const int id = id_.trimmed().toInt(&ok);
  return ok ? id : 0;
}

bool TCodeListModeClass::HasRecord() const {
  return keeping_ == Keeping::Member ? CurrentIntID() != 0 : !id_.isEmpty();
}

void TCodeListModeClass::SetCurrentID(const QString& id) {
  id_ = keeping_ == Keeping::Member ? QString::number(QString(id).trimmed().toInt()) : id;
}

void TCodeListModeClass::ClearRecord() { id_.clear(); }

void TCodeListModeClass::SetView() { mode_ = kView; }

void TCodeListModeClass::StartAdd() {
  mode_ = kAdd;
  ClearRecord();
}

bool TCodeListModeClass::StartEdit() {
  if (!HasRecord()) return false;
  mode_ = kEdit;
  return true;
}

bool TCodeListModeClass::CancelReloads() const { return keeping_ == Keeping::Member || Editing(); }

bool TCodeListModeClass::RenamesProducts(bool added) const { return keeping_ == Keeping::Member || !added; }
