#pragma once
// One axis of KvStringGrid (its rows or its columns): how many lines, their
// sizes and where each one starts. Only sizes that differ from the default are
// stored, so a grid of 100,000 rows costs nothing here until rows get heights
// of their own. A size of 0 or below hides the line (a hidden column still
// holds its cells). Every visible line is followed by a 1 pixel grid line.
//
// Positions are in pixels from the start of line 0, the grid lines included.
#include <map>
#include <vector>

namespace kui {

class KvGridAxis {
 public:
  explicit KvGridAxis(int count = 0, int defaultSize = 64);

  int Count() const { return count_; }
  // Fewer lines drop the sizes of the lines cut off; more lines get the default.
  void SetCount(int count);

  int DefaultSize() const { return default_; }
  // Changing the default gives every line the new default (individual sizes go).
  void SetDefaultSize(int size);

  // The size of line i as set (-1 for a hidden line); the default for lines
  // beyond the count.
  int Size(int i) const;
  void SetSize(int i, int size);
  bool Visible(int i) const { return Size(i) > 0; }

  // Pixels taken by line i with its grid line (0 when hidden).
  int Extent(int i) const;
  // Start of line i; Pos(Count()) is the whole length.
  int Pos(int i) const;
  // The visible line that covers pixel p, or -1 when p lies before line 0 or
  // after the last line.
  int IndexAt(int p) const;

  // Moves the stored sizes with lines inserted (+1) or deleted (-1) at i.
  void Shift(int from, int by);

 private:
  int ExtentOf(int size) const { return size > 0 ? size + 1 : 0; }
  void Rebuild() const;

  int count_;
  int default_;
  std::map<int, int> sizes_;  // line -> size, only where it differs from the default
  // Cache over sizes_: sorted lines and the sum of their extent differences
  // from the default before each of them (prefix_[k] = sum over keys_[0..k-1]).
  mutable std::vector<int> keys_;
  mutable std::vector<long long> prefix_;
  mutable bool dirty_ = true;
};

}  // namespace kui
