#include "controls/file_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <string_view>

#include "base/text.h"
#include "platform/system_services.h"

namespace tapestro {

// ---- Reading a folder ----

namespace {

bool MatchesAnyPart(const std::vector<std::string>& parts, const char* name) {
  for (const std::string& part : parts)
    if (!part.empty() && ::fnmatch(part.c_str(), name, FNM_CASEFOLD) == 0) return true;
  return false;
}

// The attribute bits of one entry. readOnlyWanted asks for the read-only bit, which
// needs a stat; everything else comes from the name and the entry's type.
uint32_t Attributes(int folderFd, const dirent& entry, bool readOnlyWanted) {
  uint32_t attributes = entry.d_name[0] == '.' ? kAttrHidden : 0;
  unsigned char type = entry.d_type;
  struct stat info {};
  bool statted = false;
  if (type == DT_LNK || type == DT_UNKNOWN || readOnlyWanted) {
    // Follow links: a link to a picture is listed like the picture.
    if (::fstatat(folderFd, entry.d_name, &info, 0) != 0) return attributes | kAttrSystem;
    statted = true;
    type = S_ISREG(info.st_mode) ? DT_REG : S_ISDIR(info.st_mode) ? DT_DIR : DT_UNKNOWN;
  }
  if (type == DT_DIR)
    attributes |= kAttrDirectory;
  else if (type != DT_REG)
    attributes |= kAttrSystem;
  if (statted && (info.st_mode & 0222) == 0) attributes |= kAttrReadOnly;
  return attributes;
}

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

}  // namespace

std::vector<TRzFileInfo> ListFolder(const std::string& folder, const std::string& mask,
                                    const TListingOptions& options) {
  std::vector<TRzFileInfo> entries;
  const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
  if (!dir) return entries;

  const std::vector<std::string> parts = SplitAt(mask, ';');
  const uint32_t filter = options.FileTypes.AttributeFilter();
  const bool acceptAll = options.FileTypes.Contains(TFileType::ftNormal);
  // Entries of these kinds stay unseen unless the filter names them.
  const uint32_t unseen = (kAttrHidden | kAttrSystem | kAttrVolumeID | kAttrDirectory) & ~filter;
  const bool readOnlyWanted = !acceptAll && (filter & kAttrReadOnly) != 0;
  const int folderFd = ::dirfd(dir.get());

  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name(entry->d_name);
    if (name == "." || name == "..") continue;
    if (!MatchesAnyPart(parts, entry->d_name)) continue;
    const uint32_t attributes = Attributes(folderFd, *entry, readOnlyWanted);
    if ((attributes & unseen) != 0) continue;
    if (!acceptAll && (attributes & filter) == 0) continue;
    entries.push_back(TRzFileInfo{std::string(name), (attributes & kAttrDirectory) != 0});
    if (entries.size() == kBusyCursorIndex + 1 && options.OnManyEntries) options.OnManyEntries();
  }
  if (entries.size() > 1) SortFileList(entries);
  return entries;
}

// ---- The order ----

namespace {

QLocale CollationLocale() {
  const QLocale system = QLocale::system();
  // Qt compares code points under the C locale (so "Z" < "a" in its sort keys); the
  // English collation carries no tailoring and equals the root collation.
  if (system.language() == QLocale::C) return QLocale(QLocale::English, QLocale::UnitedStates);
  return system;
}

// The English collation, which is the root collation (and stands for the C locale
// here), gives each printable ASCII character one weight, in this order, a letter the
// same in either case, and compares names weight by weight at the strength we use. A
// name made of these characters alone is ordered by them directly: the collator's
// order, without loading the collation data and code (about 2 MiB resident for the
// program's life) or computing its keys. The tests hold it against the collator.
constexpr std::string_view kAsciiOrder = " _-,;:!?.'\"()[]{}@*/\\&#%`^+<=>|~$0123456789abcdefghijklmnopqrstuvwxyz";

class TAsciiWeights {
 public:
  TAsciiWeights() {
    for (size_t i = 0; i < kAsciiOrder.size(); ++i) {
      const auto c = static_cast<unsigned char>(kAsciiOrder[i]);
      weights_[c] = static_cast<char>(i + 1);
      if (c >= 'a' && c <= 'z') weights_[c - 'a' + 'A'] = weights_[c];
    }
  }
  // The weights of name's characters; none when a character has no weight of its own.
  std::optional<std::string> Of(std::string_view name) const {
    std::string weights(name.size(), '\0');
    for (size_t i = 0; i < name.size(); ++i) {
      const auto c = static_cast<unsigned char>(name[i]);
      if (c >= weights_.size() || weights_[c] == 0) return std::nullopt;
      weights[i] = weights_[c];
    }
    return weights;
  }

 private:
  std::array<char, 128> weights_{};
};

// The locale's collation of file system names, which are bytes while the locale works
// on text. The collator is made only for names the ASCII weights cannot order.
class TNameOrder {
 public:
  TNameOrder() : locale_(CollationLocale()) {}

  // As the name is shown, so that the order is the one the user reads.
  static QString ToText(std::string_view name) { return QString::fromStdString(DisplayFileName(name)); }

  // The ASCII weights of name, where they give the locale's order.
  std::optional<std::string> AsciiWeights(std::string_view name) const {
    if (locale_.language() != QLocale::English) return std::nullopt;
    static const TAsciiWeights weights;
    return weights.Of(name);
  }

  int Compare(std::string_view a, std::string_view b) {
    const std::optional<std::string> weightsA = AsciiWeights(a);
    const std::optional<std::string> weightsB = weightsA ? AsciiWeights(b) : std::nullopt;
    const int order = weightsB ? weightsA->compare(*weightsB) : Collator().compare(ToText(a), ToText(b));
    if (order != 0) return order;
    return a.compare(b);
  }

  // For ordering many names: computed once per name, compared many times.
  QCollatorSortKey SortKey(std::string_view name) { return Collator().sortKey(ToText(name)); }

 private:
  QCollator& Collator() {
    if (!collator_) {
      collator_.emplace(locale_);
      collator_->setCaseSensitivity(Qt::CaseInsensitive);
      collator_->setNumericMode(false);
    }
    return *collator_;
  }

  QLocale locale_;
  std::optional<QCollator> collator_;
};

class TListOrder {
 public:
  // By the ASCII weights when every name has them, else by the collator's keys.
  explicit TListOrder(const std::vector<TRzFileInfo>& entries) : entries_(entries) {
    TNameOrder order;
    weights_.reserve(entries.size());
    for (const TRzFileInfo& entry : entries) {
      std::optional<std::string> weights = order.AsciiWeights(entry.Name);
      if (!weights) break;
      weights_.push_back(std::move(*weights));
    }
    if (weights_.size() == entries.size()) return;
    weights_.clear();
    keys_.reserve(entries.size());
    for (const TRzFileInfo& entry : entries) keys_.push_back(order.SortKey(entry.Name));
  }

  // A total order: folders first, then the collation, then the bytes, so equal keys
  // (a.jpg beside A.jpg) never leave the result to the sort's whims.
  bool Less(size_t a, size_t b) const {
    if (entries_[a].IsDirectory != entries_[b].IsDirectory) return entries_[a].IsDirectory;
    const int byKey = keys_.empty() ? weights_[a].compare(weights_[b]) : keys_[a].compare(keys_[b]);
    if (byKey != 0) return byKey < 0;
    return entries_[a].Name < entries_[b].Name;
  }

 private:
  const std::vector<TRzFileInfo>& entries_;
  std::vector<std::string> weights_;
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

int CompareNames(std::string_view a, std::string_view b) { return TNameOrder().Compare(a, b); }

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

// ---- The folder listed already ----

namespace {

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return TNameOrder::ToText(a).toLower() == TNameOrder::ToText(b).toLower();
}

bool IsOtherExistingFolder(const std::string& current, const std::string& requested) {
  struct stat a {};
  struct stat b {};
  if (::stat(requested.c_str(), &b) != 0 || !S_ISDIR(b.st_mode)) return false;
  if (::stat(current.c_str(), &a) != 0) return true;
  return a.st_dev != b.st_dev || a.st_ino != b.st_ino;
}

}  // namespace

bool SameFolder(const std::string& current, const std::string& requested) {
  if (current == requested) return true;
  return SameNameIgnoringCase(current, requested) && !IsOtherExistingFolder(current, requested);
}

}  // namespace tapestro
