// The order of the image file list (the rotation order) and of folder names.
#include <QCollatorSortKey>
#include <algorithm>
#include <cmath>

#include "controls/file_listing.h"
#include "controls/name_order.h"

namespace tapestro {

namespace {

class TListOrder {
 public:
  explicit TListOrder(const std::vector<TRzFileInfo>& entries) : entries_(entries) {
    const TNameOrder order;
    keys_.reserve(entries.size());
    for (const TRzFileInfo& entry : entries) keys_.push_back(order.SortKey(entry.Name));
  }

  // A total order: folders first, then the collation key, then the bytes, so equal
  // keys (a.jpg beside A.jpg) never leave the result to the sort's whims.
  bool Less(size_t a, size_t b) const {
    if (entries_[a].IsDirectory != entries_[b].IsDirectory) return entries_[a].IsDirectory;
    const int byKey = keys_[a].compare(keys_[b]);
    if (byKey != 0) return byKey < 0;
    return entries_[a].Name < entries_[b].Name;
  }

 private:
  const std::vector<TRzFileInfo>& entries_;
  std::vector<QCollatorSortKey> keys_;
};

// Quicksort of [left, right] with the middle record, taken at the start of each pass,
// as pivot. It recurses into the smaller side only, so the stack stays shallow, and a
// folder whose names defeat the pivot choice hands the rest to an O(n log n) sort
// rather than taking quadratic time; the order is total, so the result is the same.
void QuickSort(std::vector<size_t>& index, const TListOrder& order, long left, long right, int depthLeft) {
  const auto less = [&](size_t a, size_t b) { return order.Less(a, b); };
  while (left < right) {
    if (depthLeft-- == 0) {
      std::sort(index.begin() + left, index.begin() + right + 1, less);
      return;
    }
    long i = left;
    long j = right;
    const size_t pivot = index[static_cast<size_t>((left + right) / 2)];
    do {
      while (less(index[i], pivot)) ++i;
      while (less(pivot, index[j])) --j;
      if (i <= j) {
        std::swap(index[i], index[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - left < right - i) {
      if (left < j) QuickSort(index, order, left, j, depthLeft);
      left = i;
    } else {
      if (i < right) QuickSort(index, order, i, right, depthLeft);
      right = j;
    }
  }
}

}  // namespace

void SortFileList(std::vector<TRzFileInfo>& entries) {
  if (entries.size() < 2) return;
  const TListOrder order(entries);
  std::vector<size_t> index(entries.size());
  for (size_t i = 0; i < index.size(); ++i) index[i] = i;
  const int depthLimit = 2 * static_cast<int>(std::log2(static_cast<double>(entries.size()))) + 2;
  QuickSort(index, order, 0, static_cast<long>(entries.size()) - 1, depthLimit);

  std::vector<TRzFileInfo> sorted;
  sorted.reserve(entries.size());
  for (size_t i : index) sorted.push_back(std::move(entries[i]));
  entries.swap(sorted);
}

void SortNames(std::vector<std::string>& names) {
  std::vector<TRzFileInfo> entries;
  entries.reserve(names.size());
  for (std::string& name : names) entries.push_back(TRzFileInfo{std::move(name), true});
  SortFileList(entries);
  names.clear();
  for (TRzFileInfo& entry : entries) names.push_back(std::move(entry.Name));
}

}  // namespace tapestro
