#include "controls/file_icons.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QHash>

#include "base/path.h"
#include "base/text.h"
#include "controls/name_order.h"

namespace tapestro {

QIcon FileIcon(const TRzFileInfo& entry) {
  static QFileIconProvider provider;
  static QHash<QString, QIcon> byExtension;
  if (entry.IsDirectory) {
    static const QIcon folder = provider.icon(QAbstractFileIconProvider::Folder);
    return folder;
  }
  const QString extension = TNameOrder::ToText(LowerCase(ExtractFileExt(entry.Name)));
  auto found = byExtension.constFind(extension);
  if (found != byExtension.constEnd()) return *found;
  QIcon icon = provider.icon(QFileInfo(TNameOrder::ToText(entry.Name)));
  if (icon.isNull()) icon = provider.icon(QAbstractFileIconProvider::File);
  byExtension.insert(extension, icon);
  return icon;
}

}  // namespace tapestro
