#include "KVFieldListClass.h"

#include "KvDb.h"

#include <algorithm>

// ----- KVFieldIndexStringListClass ------------------------------------------------

int KVFieldIndexStringListClass::CompareStrings(const QString& a, const QString& b) {
  return QString::compare(a, b, Qt::CaseSensitive);
}

void KVFieldIndexStringListClass::SetSorted(bool on) {
  sorted_ = on;
  if (!on) return;
  std::stable_sort(items_.begin(), items_.end(), [](const auto& x, const auto& y) {
    return CompareStrings(x.first, y.first) < 0;
  });
}

int KVFieldIndexStringListClass::IndexOf(const QString& name) const {
  if (!sorted_) {
    for (int i = 0; i < Count(); ++i)
      if (CompareStrings(items_[i].first, name) == 0) return i;
    return -1;
  }
  const auto it = std::lower_bound(items_.begin(), items_.end(), name, [](const auto& x, const QString& n) {
    return CompareStrings(x.first, n) < 0;
  });
  if (it == items_.end() || CompareStrings(it->first, name) != 0) return -1;
  return static_cast<int>(it - items_.begin());
}

int KVFieldIndexStringListClass::AddObject(const QString& name, kdb::Field* field) {
  if (!sorted_) {
    items_.emplace_back(name, field);
    return Count() - 1;
  }
  const auto it = std::upper_bound(items_.begin(), items_.end(), name, [](const QString& n, const auto& x) {
    return CompareStrings(n, x.first) < 0;
  });
  const auto at = items_.insert(it, {name, field});
  return static_cast<int>(at - items_.begin());
}

// ----- KVDBFieldListClass ------------------------------------------------------------

KVDBFieldListClass::KVDBFieldListClass() : index_(std::make_unique<KVFieldIndexStringListClass>()) {
  Clear();
}

KVDBFieldListClass::~KVDBFieldListClass() = default;

void KVDBFieldListClass::Clear() {
  index_->Clear();
  index_->SetSorted(true);
}

kdb::Field* KVDBFieldListClass::FieldByName(const QString& name) {
  const int cached = index_->IndexOf(name);
  if (cached >= 0) return index_->Objects(cached);
  if (!Fields) return nullptr;
  ++searches_;
  for (int i = 0; i < Fields->FieldCount(); ++i) {
    kdb::Field& field = Fields->Fields(i);
    if (field.SqlName() == name) {
      index_->AddObject(name, &field);
      return &field;
    }
  }
  return nullptr;
}
