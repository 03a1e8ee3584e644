#pragma once
// A lookup of a dataset's fields by name with a sorted cache, for loops that
// read the same dozen fields on every record: each name costs one linear
// search of the dataset's fields per cache, every later lookup a bisection.
//
//   KVDBFieldListClass fields;
//   fields.Fields = DMDB->DBQueryRemote1;     // not owned
//   for (...) grid->SetCell(1, row, fields.FieldByName("style")->AsString());
//
// Names are compared case-sensitively, in the cache and against the names
// of the dataset's columns as the engine spells them (Field::SqlName): the
// lower-case names of a lower-case SELECT list on both engines.
// The cache holds the dataset's field objects: call Clear whenever the
// dataset runs another statement (its fields are made anew).
#include <QString>

#include <memory>
#include <utility>
#include <vector>

namespace kdb {
class DataSet;
class Field;
}  // namespace kdb

// A sorted list of names, each with the field it stands for; sorting and
// searching use the ordinal comparison, so "Style" and "style" differ.
class KVFieldIndexStringListClass {
 public:
  static int CompareStrings(const QString& a, const QString& b);

  int Count() const { return static_cast<int>(items_.size()); }
  void Clear() { items_.clear(); }
  bool Sorted() const { return sorted_; }
  void SetSorted(bool on);

  // The index of the name, or -1.
  int IndexOf(const QString& name) const;
  // Adds the name (at its sorted place when sorted); returns its index.
  int AddObject(const QString& name, kdb::Field* field);
  const QString& Strings(int index) const { return items_.at(index).first; }
  kdb::Field* Objects(int index) const { return items_.at(index).second; }

 private:
  std::vector<std::pair<QString, kdb::Field*>> items_;
  bool sorted_ = false;
};

class KVDBFieldListClass {
 public:
  KVDBFieldListClass();
  ~KVDBFieldListClass();
  KVDBFieldListClass(const KVDBFieldListClass&) = delete;
  KVDBFieldListClass& operator=(const KVDBFieldListClass&) = delete;

  // Forgets every cached field.
  void Clear();
  // The field of that exact name, or nullptr.
  kdb::Field* FieldByName(const QString& name);

  const KVFieldIndexStringListClass& Index() const { return *index_; }
  // How many times the dataset's fields were searched (a cache miss each).
  int Searches() const { return searches_; }

  kdb::DataSet* Fields = nullptr;  // the dataset being read; not owned

 private:
  std::unique_ptr<KVFieldIndexStringListClass> index_;
  int searches_ = 0;
};
