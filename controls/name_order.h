#pragma once
// The order of file and folder names: the user locale's linguistic order without
// regard to case (digits compared one by one, so "10" comes before "2"). Under the
// C/POSIX locale the root collation stands in, so that a.jpg still sorts before B.jpg.
// The image file list and the folder tree share it (see file_listing.h).
#include <QCollator>
#include <QCollatorSortKey>
#include <QString>
#include <string>
#include <string_view>

namespace tapestro {

class TNameOrder {
 public:
  TNameOrder();
  // Negative, zero or positive. Names the collation finds equal (such as a.jpg and
  // A.jpg, which a Linux folder can hold both) are told apart by their bytes, so the
  // order is total and never depends on the order the names were found in.
  int Compare(std::string_view a, std::string_view b) const;
  // For ordering many names: compute once per name, compare keys many times.
  QCollatorSortKey SortKey(std::string_view name) const;

  // File system names are bytes; the locale works on text.
  static QString ToText(std::string_view name);

 private:
  QCollator collator_;
};

}  // namespace tapestro
