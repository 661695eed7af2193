#include "platform/linux/mount_watcher.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace tapestro {

TMountWatcher::TMountWatcher(const std::string& mountTable, QObject* parent) : QObject(parent) {
  fd_ = ::open(mountTable.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Exception);
  // Each poll that reports the change also clears it, so one signal per change.
  connect(notifier_.get(), &QSocketNotifier::activated, this, &TMountWatcher::Changed);
}

TMountWatcher::~TMountWatcher() {
  notifier_.reset();
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace tapestro
