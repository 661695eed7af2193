#include "controls/folder_name_order.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QFile>
#include <QLocale>
#include <algorithm>
#include <numeric>

namespace tapestro {

namespace {

QCollator FolderCollator() {
  QLocale locale = QLocale::system();
  // English has no tailoring of its own: its collation is the root collation.
  if (locale.language() == QLocale::C) locale = QLocale(QLocale::English);
  QCollator collator(locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  collator.setNumericMode(false);
  return collator;
}

}  // namespace

void SortFolderNames(std::vector<std::string>& names) {
  const QCollator collator = FolderCollator();
  // One key per name instead of a collation per comparison: large folders sort fast.
  std::vector<QCollatorSortKey> keys;
  keys.reserve(names.size());
  for (const std::string& name : names) keys.push_back(collator.sortKey(QFile::decodeName(name.c_str())));
  std::vector<size_t> order(names.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const int byCollation = keys[a].compare(keys[b]);
    return byCollation != 0 ? byCollation < 0 : names[a] < names[b];
  });
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (size_t index : order) sorted.push_back(std::move(names[index]));
  names.swap(sorted);
}

}  // namespace tapestro
