#include "controls/name_order.h"

#include <QFile>
#include <QLocale>

namespace tapestro {

namespace {

QLocale CollationLocale() {
  const QLocale system = QLocale::system();
  // Qt compares code points under the C locale (so "Z" < "a" in its sort keys); the
  // English collation carries no tailoring and equals the root collation.
  if (system.language() == QLocale::C) return QLocale(QLocale::English, QLocale::UnitedStates);
  return system;
}

}  // namespace

TNameOrder::TNameOrder() : collator_(CollationLocale()) {
  collator_.setCaseSensitivity(Qt::CaseInsensitive);
  collator_.setNumericMode(false);
}

QString TNameOrder::ToText(std::string_view name) {
  return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

int TNameOrder::Compare(std::string_view a, std::string_view b) const {
  const int order = collator_.compare(ToText(a), ToText(b));
  if (order != 0) return order;
  return a.compare(b);
}

QCollatorSortKey TNameOrder::SortKey(std::string_view name) const { return collator_.sortKey(ToText(name)); }

}  // namespace tapestro
