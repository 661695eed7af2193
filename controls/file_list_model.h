#pragma once
// The rows of the image file list for its view; the items stay the one copy of the
// listed names.
#include <QAbstractListModel>

#include "controls/file_list_items.h"

namespace tapestro {

class TFileListModel final : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  const TFileListItems& Items() const { return items_; }
  void Assign(std::vector<TRzFileInfo> entries);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  TFileListItems items_;
};

}  // namespace tapestro
