// The session's one copy on Linux: the session bus when there is one, else a lock and
// a socket in $XDG_RUNTIME_DIR, else no guard at all.
#include "platform/single_instance.h"

#include <unistd.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusMessage>
#include <QVariantMap>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/linux/session_instances.h"

namespace tapestro {

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kApplicationInterface[] = "org.freedesktop.Application";
constexpr int kCallTimeoutMs = 10000;
// How long a quitting copy may take to let go of the session before Send gives up.
constexpr auto kQuitWait = std::chrono::seconds(5);
constexpr auto kQuitPoll = std::chrono::milliseconds(20);

// "/io/github/tapestro/Tapestro" for "io.github.tapestro.Tapestro", as the
// freedesktop rules derive an application's object path from its id.
QString ObjectPath(const std::string& applicationId) {
  QString path = "/" + QString::fromStdString(applicationId);
  return path.replace('.', '/').replace('-', '_');
}

// The object a later start calls.
class TApplicationObject final : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

 public:
  explicit TApplicationObject(TSingleInstance& owner) : owner_(owner) {}

 public slots:
  void Activate(const QVariantMap&) { Deliver(TInstanceCommand::Show); }
  // The program opens no files: opening shows the window.
  void Open(const QStringList&, const QVariantMap&) { Deliver(TInstanceCommand::Show); }
  void ActivateAction(const QString& name, const QVariantList&, const QVariantMap&) {
    const std::optional<TInstanceCommand> command = InstanceCommandNamed(name.toStdString());
    if (!command) {
      sendErrorReply(QDBusError::InvalidArgs, "no action named " + name);
      return;
    }
    Deliver(*command);
  }

 private:
  // Queued, so that the caller has its answer before a Quit ends the program.
  void Deliver(TInstanceCommand command) {
    QMetaObject::invokeMethod(
        &owner_, [owner = &owner_, command] { emit owner->CommandReceived(command); }, Qt::QueuedConnection);
  }

  TSingleInstance& owner_;
};

class TBusInstance final : public TSingleInstance {
 public:
  explicit TBusInstance(const std::string& applicationId)
      : name_(QString::fromStdString(applicationId)), path_(ObjectPath(applicationId)), object_(*this) {}

  ~TBusInstance() override {
    if (!claimed_) return;
    bus_.unregisterService(name_);
    bus_.unregisterObject(path_);
  }

  bool Claim() override {
    if (!bus_.registerObject(path_, &object_, QDBusConnection::ExportAllSlots)) return false;
    claimed_ = bus_.registerService(name_);
    if (!claimed_) bus_.unregisterObject(path_);
    return claimed_;
  }

  bool Send(TInstanceCommand command) override {
    QDBusMessage call;
    if (command == TInstanceCommand::Show) {
      call = QDBusMessage::createMethodCall(name_, path_, kApplicationInterface, "Activate");
      call << QVariantMap();
    } else {
      call = QDBusMessage::createMethodCall(name_, path_, kApplicationInterface, "ActivateAction");
      call << QString::fromUtf8(InstanceCommandWord(command)) << QVariantList() << QVariantMap();
    }
    if (bus_.call(call, QDBus::Block, kCallTimeoutMs).type() != QDBusMessage::ReplyMessage) return false;
    if (command == TInstanceCommand::Quit) {
      const auto deadline = Clock::now() + kQuitWait;
      while (bus_.interface()->isServiceRegistered(name_) && Clock::now() < deadline)
        std::this_thread::sleep_for(kQuitPoll);
    }
    return true;
  }

 private:
  QDBusConnection bus_ = QDBusConnection::sessionBus();
  QString name_;
  QString path_;
  TApplicationObject object_;
  bool claimed_ = false;
};

// No bus and no runtime folder: nothing to find another copy by.
class TLoneInstance final : public TSingleInstance {
 public:
  bool Claim() override { return true; }
  bool Send(TInstanceCommand) override { return false; }
};

// Whether the session names its bus: in the environment, or as the user's bus socket in
// the runtime folder. Otherwise asking for the bus would start one for this display
// (autolaunch), a tenth of a second on every start, where the runtime folder's lock
// does the same work.
bool SessionNamesItsBus(const char* runtime) {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (address != nullptr && address[0] != '\0') return true;
  return runtime != nullptr && runtime[0] == '/' && ::access((std::string(runtime) + "/bus").c_str(), F_OK) == 0;
}

}  // namespace

std::unique_ptr<TSingleInstance> CreateBusInstance(const std::string& applicationId) {
  return std::make_unique<TBusInstance>(applicationId);
}

std::unique_ptr<TSingleInstance> CreateSingleInstance(const std::string& applicationId) {
  // The runtime folder is the user's own, and only an absolute path counts.
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (SessionNamesItsBus(runtime) && QDBusConnection::sessionBus().isConnected())
    return CreateBusInstance(applicationId);
  if (runtime != nullptr && runtime[0] == '/') return CreateSocketInstance(runtime, applicationId);
  return std::make_unique<TLoneInstance>();
}

}  // namespace tapestro

#include "single_instance.moc"
