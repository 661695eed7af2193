#pragma once
// The top-level folders of the folder tree, where a system with drive letters would
// list its drives, and the notice that they changed (a volume mounted or removed).
#include <QObject>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tapestro {

struct TVolumeInfo {
  std::string path;     // ends in the path delimiter
  std::string caption;  // "Label (/media/usb)", or "(/media/usb)" when unreadable
  // Stands in for the volume serial number: changes when other media sit in the same
  // place; -1 when the volume cannot be read.
  int64_t serial = -1;
};

class TVolumeSource : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;
  // In display order; the order of any two folders never depends on the others.
  virtual std::vector<TVolumeInfo> TopLevelFolders() = 0;
  // The caption and serial of one top-level folder as they are now.
  virtual TVolumeInfo Describe(const std::string& path) = 0;
  // The folders volumes are mounted in (where a USB stick appears). A folder below one
  // of them stands on the volume mounted there: while that volume is absent, the folder
  // is missing with it, and no folder it leaves behind stands in for it.
  virtual std::vector<std::string> MountPlaces() const = 0;

 signals:
  // Emitted on the user-interface thread when volumes may have come or gone.
  void Changed();
};

// The system's volumes, watched for changes.
std::unique_ptr<TVolumeSource> CreateVolumeSource();

}  // namespace tapestro
