#include "KvGridAxis.h"

#include <algorithm>
#include <limits>

namespace kui {

KvGridAxis::KvGridAxis(int count, int defaultSize)
    : count_(std::max(0, count)), default_(defaultSize) {}

void KvGridAxis::SetCount(int count) {
  count = std::max(0, count);
  if (count < count_) {
    sizes_.erase(sizes_.lower_bound(count), sizes_.end());
    dirty_ = true;
  }
  count_ = count;
}

void KvGridAxis::SetDefaultSize(int size) {
  default_ = size;
  sizes_.clear();
  dirty_ = true;
}

int KvGridAxis::Size(int i) const {
  const auto it = sizes_.find(i);
  return it == sizes_.end() ? default_ : it->second;
}

void KvGridAxis::SetSize(int i, int size) {
  if (i < 0 || i >= count_) return;
  if (size <= 0) size = -1;
  if (size == default_) sizes_.erase(i);
  else sizes_[i] = size;
  dirty_ = true;
}

int KvGridAxis::Extent(int i) const { return ExtentOf(Size(i)); }

void KvGridAxis::Rebuild() const {
  keys_.clear();
  prefix_.assign(1, 0);
  const int def = ExtentOf(default_);
  for (const auto& [line, size] : sizes_) {
    keys_.push_back(line);
    prefix_.push_back(prefix_.back() + ExtentOf(size) - def);
  }
  dirty_ = false;
}

int KvGridAxis::Pos(int i) const {
  if (dirty_) Rebuild();
  i = std::clamp(i, 0, count_);
  const auto k = std::lower_bound(keys_.begin(), keys_.end(), i) - keys_.begin();
  const long long pos = static_cast<long long>(i) * ExtentOf(default_) + prefix_[k];
  return static_cast<int>(std::min<long long>(pos, std::numeric_limits<int>::max()));
}

int KvGridAxis::IndexAt(int p) const {
  if (p < 0 || count_ == 0 || p >= Pos(count_)) return -1;
  // The last line starting at or before p; hidden lines start where the next
  // visible one does, so the line found is visible.
  int lo = 0, hi = count_ - 1;
  while (lo < hi) {
    const int mid = lo + (hi - lo + 1) / 2;
    if (Pos(mid) <= p) lo = mid;
    else hi = mid - 1;
  }
  return Extent(lo) > 0 ? lo : -1;
}

void KvGridAxis::Shift(int from, int by) {
  std::map<int, int> moved;
  for (const auto& [line, size] : sizes_) {
    if (line < from) moved[line] = size;
    else if (by > 0 || line >= from - by) moved[line + by] = size;
  }
  sizes_.swap(moved);
  dirty_ = true;
}

}  // namespace kui
