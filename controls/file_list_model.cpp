#include "controls/file_list_model.h"

#include "controls/file_icons.h"
#include "controls/name_order.h"

namespace tapestro {

void TFileListModel::Assign(std::vector<TRzFileInfo> entries) {
  beginResetModel();
  items_.Assign(std::move(entries));
  endResetModel();
}

int TFileListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : items_.Count(); }

QVariant TFileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= items_.Count()) return {};
  const TRzFileInfo& entry = items_.Info(index.row());
  switch (role) {
    case Qt::DisplayRole:
      return TNameOrder::ToText(entry.Name);
    case Qt::DecorationRole:
      // Asked only for rows on screen, so the icons cost nothing for a long list.
      return FileIcon(entry);
    default:
      return {};
  }
}

}  // namespace tapestro
