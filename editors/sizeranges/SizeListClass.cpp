#include "SizeListClass.h"

void TSizeListClass::StartNew() {
  names_.clear();
  fixed_ = false;
}

void TSizeListClass::Load(const QStringList& names) {
  names_ = names;
  fixed_ = true;
}

void TSizeListClass::Clear() {
  names_.clear();
  fixed_ = true;
}

TSizeListClass::Result TSizeListClass::CheckName(const QString& name) {
  if (name.isEmpty()) return Result::EmptyName;
  if (name.size() > kNameLength) return Result::TooLong;
  return Result::Done;
}

TSizeListClass::Result TSizeListClass::Add(const QString& name) {
  if (fixed_) return Result::Fixed;
  if (Count() >= kMaxSizes) return Result::Full;
  if (const Result r = CheckName(name); r != Result::Done) return r;
  names_.append(name);
  return Result::Done;
}

TSizeListClass::Result TSizeListClass::Rename(int offset, const QString& name) {
  if (offset < 0 || offset >= Count()) return Result::NoSize;
  if (const Result r = CheckName(name); r != Result::Done) return r;
  names_[offset] = name;
  return Result::Done;
}

TSizeListClass::Result TSizeListClass::Remove(int offset) {
  if (offset < 0 || offset >= Count()) return Result::NoSize;
  if (fixed_) return Result::Fixed;
  names_.removeAt(offset);
  return Result::Done;
}
