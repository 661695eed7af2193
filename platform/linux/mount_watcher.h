#pragma once
// Tells when the mount table changes. The kernel marks an open mount table with an
// exceptional condition (POLLPRI) at every mount and unmount, so the watcher costs no
// wake-up while nothing happens.
#include <QObject>
#include <memory>
#include <string>

class QSocketNotifier;

namespace tapestro {

class TMountWatcher final : public QObject {
  Q_OBJECT

 public:
  // Watches the given table (another process's /proc/PID/mounts in tests).
  explicit TMountWatcher(const std::string& mountTable = "/proc/self/mounts", QObject* parent = nullptr);
  ~TMountWatcher() override;

  // False when the table could not be opened; nothing is then reported.
  bool IsWatching() const { return notifier_ != nullptr; }

 signals:
  // On the thread that owns the watcher (the user-interface thread).
  void Changed();

 private:
  int fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace tapestro
