#include "controls/folder_icons.h"

#include <QFile>
#include <QFileInfo>

namespace tapestro {

namespace {
constexpr int kSmallIconSize = 16;
}  // namespace

TFolderIcons::TFolderIcons() : folder_(provider_.icon(QAbstractFileIconProvider::Folder)) {
  const QPixmap open = folder_.pixmap(kSmallIconSize, QIcon::Normal, QIcon::On);
  openFolder_ = open.isNull() ? folder_ : QIcon(open);
}

QIcon TFolderIcons::TopLevel(const std::string& path) const {
  return provider_.icon(QFileInfo(QFile::decodeName(path.c_str())));
}

}  // namespace tapestro
