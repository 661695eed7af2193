// plasma-shell-recorder FILE: stands in for KDE Plasma's shell on the session bus and
// appends every script it is asked to evaluate to FILE, each followed by a line "--".
#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>
#include <QObject>
#include <cstdio>

class TPlasmaShellRecorder : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")

 public:
  explicit TPlasmaShellRecorder(QString path) : path_(std::move(path)) {}

 public slots:
  QString evaluateScript(const QString& script) {
    QFile file(path_);
    if (file.open(QIODevice::Append)) file.write(script.toUtf8() + "--\n");
    return QString();
  }

 private:
  QString path_;
};

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: plasma-shell-recorder FILE\n");
    return 2;
  }
  TPlasmaShellRecorder recorder(QString::fromLocal8Bit(argv[1]));
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.registerObject("/PlasmaShell", &recorder, QDBusConnection::ExportAllSlots) ||
      !bus.registerService("org.kde.PlasmaShell")) {
    std::fprintf(stderr, "cannot register on the session bus\n");
    return 1;
  }
  return application.exec();
}

#include "plasma_shell_recorder.moc"
