// sorametext: the process entry. One instance at a time; it creates the main window on the data
// folder and runs the event loop. Ending the session or a SIGTERM/SIGHUP closes the window the
// normal way, so everything is saved.
#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QLockFile>
#include <QSessionManager>
#include <QTranslator>
#include <chrono>

#include "app/firstpaintexit.h"
#include "mainwin/desktop.h"
#include "mainwin/qt/mainform.h"
#include "mainwin/qt/termination.h"
#include "store/instancelock.h"

namespace {

QString Env(const char* name) { return QString::fromLocal8Bit(qgetenv(name)); }

}  // namespace

int main(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("sorametext"));
  QApplication::setApplicationDisplayName(QStringLiteral("ソラメtext"));

  // Qt's own dialogs and buttons speak Japanese like the rest of the program.
  QTranslator qtTranslator;
  if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTranslator);

  // A second start ends silently; the running instance is not told.
  const QString lockPath = QString::fromStdString(store::InstanceLockPath());
  const QString lockDir = QFileInfo(lockPath).absolutePath();
  if (!QFileInfo::exists(lockDir)) {
    QDir().mkpath(lockDir);
    chmod(QFile::encodeName(lockDir).constData(), 0700);
  }
  QLockFile lock(lockPath);
  if (!lock.tryLock(0)) return 0;

  // The data folder beside the executable (or the user's data home); tests name their own.
  QString data = Env("SORAMETEXT_DATA_DIR");
  if (data.isEmpty()) {
    data = QString::fromStdString(mainwin::ChooseDataFolder(QCoreApplication::applicationDirPath().toStdString(),
                                                            Env("XDG_DATA_HOME").toStdString(),
                                                            Env("HOME").toStdString()));
  } else if (!data.endsWith(QLatin1Char('/'))) {
    data += QLatin1Char('/');
  }

  FirstPaintExit firstPaint(start);
  if (!Env("SORAMETEXT_EXIT_AFTER_FIRST_PAINT").isEmpty()) app.installEventFilter(&firstPaint);

  mainwin::qt::TMainForm window({data});
  mainwin::qt::TerminationWatcher watcher;
  QObject::connect(&watcher, &mainwin::qt::TerminationWatcher::terminationRequested, &window, &QWidget::close);
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager&) { window.close(); });
  // However the loop ends, the close steps run before the window is destroyed.
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] { window.RunCloseSteps(); });
  window.show();
  return app.exec();
}
