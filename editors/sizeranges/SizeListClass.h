#pragma once
// The sizes of one size scale while it is edited, and their rules. A style's
// PLUs are numbered by the positions of its scale's sizes, so a saved scale
// keeps its number and order of sizes for good: only a new scale gets sizes
// added and removed, at most 99; an existing one may only have its sizes
// renamed. A size's position in the list is its offset, so offsets always run
// 0, 1, 2, ... without a gap.
#include <QString>
#include <QStringList>

class TSizeListClass {
 public:
  static constexpr int kMaxSizes = 99;
  static constexpr int kNameLength = 6;  // what the size name box takes

  enum class Result { Done, EmptyName, TooLong, Full, NoSize, Fixed };

  // A new scale without sizes: sizes may be added, renamed and removed.
  void StartNew();
  // The sizes of a saved scale in offset order: they may only be renamed.
  void Load(const QStringList& names);
  // No sizes, nothing may change until StartNew or Load.
  void Clear();

  bool Fixed() const { return fixed_; }
  int Count() const { return static_cast<int>(names_.size()); }
  const QStringList& Names() const { return names_; }
  QString Name(int offset) const { return names_.value(offset); }
  bool CanAdd() const { return !fixed_ && Count() < kMaxSizes; }

  // Appends a size as the last one.
  Result Add(const QString& name);
  // Gives the size at an offset a new name.
  Result Rename(int offset, const QString& name);
  // Removes the size at an offset; the ones after it move up.
  Result Remove(int offset);
  // The size selected after the one at `removed` went: the one before it,
  // none (-1) when the first went.
  static int SelectionAfterRemove(int removed) { return removed - 1; }

 private:
  static Result CheckName(const QString& name);

  QStringList names_;
  bool fixed_ = true;
};
