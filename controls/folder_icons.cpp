#include "controls/folder_icons.h"

#include <QFile>
#include <QFileInfo>

namespace tapestro {

namespace {

constexpr int kSmallIconSize = 16;

// The provider's icons hold renderings up to 128 pixels, which the tree never draws;
// only the small one it draws is kept, so the large ones are freed at once.
QIcon Small(const QIcon& icon, QIcon::State state) {
  const QPixmap pixmap = icon.pixmap(kSmallIconSize, QIcon::Normal, state);
  return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

}  // namespace

// A provider keeps what it has rendered for as long as it lives: one is made per look.
TFolderIcons::TFolderIcons() {
  const QIcon folder = QFileIconProvider().icon(QAbstractFileIconProvider::Folder);
  folder_ = Small(folder, QIcon::Off);
  const QIcon open = Small(folder, QIcon::On);
  openFolder_ = open.isNull() ? folder_ : open;
}

QIcon TFolderIcons::TopLevel(const std::string& path) const {
  return Small(QFileIconProvider().icon(QFileInfo(QFile::decodeName(path.c_str()))), QIcon::Off);
}

}  // namespace tapestro
