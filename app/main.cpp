// sorametext: the process entry. One instance per user: a second start asks the running one to
// show its window and ends. The first chooses the data folder, locks it for the whole run,
// creates the main window on it and runs the event loop. Ending the session or a SIGTERM/SIGHUP
// closes the window the normal way, so everything is saved; what cannot be saved then, with
// nobody to ask, goes to the recovery folder.
#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLocale>
#include <QLockFile>
#include <QMessageBox>
#include <QPointer>
#include <QSessionManager>
#include <QThread>
#include <QTimer>
#include <QTranslator>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>

#include "app/commandline.h"
#include "app/firstpaintexit.h"
#include "mainwin/desktop.h"
#include "mainwin/qt/actionicons.h"
#include "mainwin/qt/mainform.h"
#include "mainwin/qt/termination.h"
#include "store/folderlock.h"
#include "store/instancelock.h"

namespace {

const QString kCaption = QStringLiteral("ソラメtext");
constexpr char kShowRequest[] = "show\n";
constexpr char kShown[] = "shown\n";

QString Env(const char* name) { return QString::fromLocal8Bit(qgetenv(name)); }
std::string Bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString Path(const std::string& bytes) { return QFile::decodeName(QByteArray::fromStdString(bytes)); }

// A second start: the running program is asked to show its window. False when it did not answer.
bool AskRunningToShow(const QString& socketPath) {
  QLocalSocket socket;
  socket.connectToServer(socketPath);
  if (!socket.waitForConnected(2000)) return false;
  socket.write(kShowRequest);
  if (!socket.waitForBytesWritten(2000)) return false;
  while (!socket.canReadLine())
    if (!socket.waitForReadyRead(3000)) return false;
  return socket.readLine() == kShown;
}

// The window in front with the focus: un-minimised, raised, activated; a dialog open on it
// comes along on top.
void ShowInFront(QWidget* window) {
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  // X11 drops a focus request stamped earlier than the last change of focus, and Qt stamps it
  // with the time of the last X event it saw. A title change comes back as an event that
  // carries the current time; the request goes after it.
  const QString title = window->windowTitle();
  window->setWindowTitle(title + QLatin1Char(' '));
  window->setWindowTitle(title);
  QTimer::singleShot(100, window, [window] {
    QWidget* target = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : window;
    target->raise();
    target->activateWindow();
  });
}

// Another process holds the folder's lock: a command-line tool writing for a moment, or a
// sorametext of another user or machine for as long as it runs. Waits a little for the first.
store::FolderLock::State LockWithin(store::FolderLock& lock, int ms) {
  QElapsedTimer waited;
  waited.start();
  store::FolderLock::State state = lock.TryLock();
  while (state == store::FolderLock::State::InUse && waited.elapsed() < ms) {
    QThread::msleep(100);
    state = lock.TryLock();
  }
  return state;
}

}  // namespace

int main(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  // A write past the file-size limit then fails like any other write error (EFBIG), reported by
  // the save that tried it, instead of ending the process with the typed text.
  std::signal(SIGXFSZ, SIG_IGN);

  const app::CommandLine line = app::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (line.action) {
    case app::CommandLine::Action::Help: std::fputs(app::HelpText().c_str(), stdout); return 0;
    case app::CommandLine::Action::Version: std::printf("sorametext %s\n", SORAMETEXT_VERSION); return 0;
    case app::CommandLine::Action::Error:
      std::fprintf(stderr, "sorametext: %s (see sorametext --help)\n", line.error.c_str());
      return 2;
    case app::CommandLine::Action::Run: break;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("sorametext"));
  QApplication::setApplicationDisplayName(kCaption);
  QApplication::setApplicationVersion(QStringLiteral(SORAMETEXT_VERSION));
  QGuiApplication::setDesktopFileName(QStringLiteral(SORAMETEXT_APP_ID));
  QApplication::setWindowIcon(mainwin::qt::ProgramIcon());

  // From here on a SIGTERM or SIGHUP ends the program the normal way, even while a box is open:
  // open boxes and dialogs close as if cancelled, then the window closes and saves.
  bool terminated = false;
  QPointer<mainwin::qt::TMainForm> window;
  mainwin::qt::TerminationWatcher watcher;
  std::function<void()> endRun = [&] {
    terminated = true;
    if (window) window->SetUnattended();
    if (QWidget* modal = QApplication::activeModalWidget()) {
      modal->close();
      QTimer::singleShot(0, &app, endRun);  // once its loop has returned, the next one
    } else if (window) {
      window->close();
    } else {
      QTimer::singleShot(50, &app, endRun);  // the window is still being made: a box it opens next
    }
  };
  QObject::connect(&watcher, &mainwin::qt::TerminationWatcher::terminationRequested, &app, [&] { endRun(); });

  // Qt's own dialogs and buttons speak Japanese like the rest of the program.
  QTranslator qtTranslator;
  if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTranslator);

  // One program per user. A second start writes nothing: it asks the running one to show its
  // window and ends.
  const QString lockPath = Path(store::InstanceLockPath());
  const QString lockDir = QFileInfo(lockPath).absolutePath();
  if (!QFileInfo::exists(lockDir)) {
    QDir().mkpath(lockDir);
    chmod(QFile::encodeName(lockDir).constData(), 0700);
  }
  QLockFile lock(lockPath);
  const QString socketPath = Path(store::InstanceSocketPath());
  if (!lock.tryLock(0)) {
    if (!AskRunningToShow(socketPath)) std::fprintf(stderr, "sorametext: already running\n");
    return 0;
  }
  QLocalServer server;
  QLocalServer::removeServer(socketPath);  // a socket file left by a killed run
  server.setSocketOptions(QLocalServer::UserAccessOption);
  server.listen(socketPath);
  QObject::connect(&server, &QLocalServer::newConnection, &app, [&] {
    while (QLocalSocket* client = server.nextPendingConnection()) {
      QObject::connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
      QObject::connect(client, &QLocalSocket::readyRead, client, [client, &window] {
        if (!client->canReadLine() || client->readLine() != kShowRequest) return;
        if (window) ShowInFront(window);
        client->write(kShown);
        client->disconnectFromServer();
      });
    }
  });

  // The data folder, and its lock for the whole run. One that cannot be used is an error the
  // user sees, never a silent switch to another folder.
  QString named = QFile::decodeName(QByteArray::fromStdString(line.dataDir));
  if (named.isEmpty()) named = Env("SORAMETEXT_DATA_DIR");
  const std::string data = mainwin::ChooseDataFolder(Bytes(named), Bytes(QCoreApplication::applicationDirPath()),
                                                     Bytes(Env("XDG_DATA_HOME")), Bytes(Env("HOME")));
  std::string why = mainwin::PrepareDataFolder(data);
  store::FolderLock folderLock(data);
  if (why.empty()) {
    switch (LockWithin(folderLock, 3000)) {
      case store::FolderLock::State::Held: break;
      case store::FolderLock::State::Unsupported:
        // Refusing would keep the user from the notes; run unguarded, as before there was a lock.
        std::fprintf(stderr, "sorametext: the data folder cannot be locked (%s)\n", folderLock.Error().c_str());
        break;
      case store::FolderLock::State::InUse: why = "他のソラメtext（または sorametext-cli）が使用中です"; break;
      default: why = "ロックできません: " + folderLock.Error(); break;
    }
  }
  if (!why.empty()) {
    const QString text =
        QStringLiteral("データフォルダ %1 を使用できません。\n%2").arg(Path(data), QString::fromStdString(why));
    std::fprintf(stderr, "sorametext: %s\n", text.toLocal8Bit().replace('\n', ' ').constData());
    QMessageBox::critical(nullptr, kCaption, text);
    return 1;
  }

  FirstPaintExit firstPaint(start);
  if (!Env("SORAMETEXT_EXIT_AFTER_FIRST_PAINT").isEmpty()) app.installEventFilter(&firstPaint);

  mainwin::qt::TMainForm mainForm({Path(data)});
  window = &mainForm;
  // The end of the desktop session cannot wait for answers.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &mainForm, [&mainForm](QSessionManager&) {
    mainForm.SetUnattended();
    mainForm.close();
  });
  // However the loop ends, the close steps run before the window is destroyed.
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &mainForm, [&mainForm] { mainForm.RunCloseSteps(true); });
  // A termination that came while a start-up box was open ends the run here, through the close.
  if (terminated) {
    mainForm.SetUnattended();
    mainForm.close();
    return 0;
  }
  mainForm.show();
  return app.exec();
}
