// Ending the program from outside: SIGTERM and SIGHUP (and the end of the desktop session) must
// close the window the normal way, so everything is saved. The signal handler only writes a byte
// to a pipe; the event loop reads it and asks for the close.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace mainwin::qt {

class TerminationWatcher : public QObject {
  Q_OBJECT

 public:
  // Installs the handlers for SIGTERM and SIGHUP (one watcher per process).
  explicit TerminationWatcher(QObject* parent = nullptr);
  ~TerminationWatcher() override;

 signals:
  // A termination signal arrived (delivered on the event loop).
  void terminationRequested(int signalNumber);

 private:
  void ReadPipe();
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace mainwin::qt
