#include "mainwin/qt/termination.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace mainwin::qt {

namespace {
int g_pipe[2] = {-1, -1};

void OnSignal(int sig) {
  const unsigned char b = static_cast<unsigned char>(sig);
  // Nothing else is async-signal-safe enough to do here.
  [[maybe_unused]] ssize_t n = ::write(g_pipe[1], &b, 1);
}
}  // namespace

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent) {
  if (g_pipe[0] < 0) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0) return;
    ::fcntl(g_pipe[1], F_SETFL, O_NONBLOCK);
  }
  notifier_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationWatcher::ReadPipe);
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGHUP, &sa, nullptr);
}

TerminationWatcher::~TerminationWatcher() {
  signal(SIGTERM, SIG_DFL);
  signal(SIGHUP, SIG_DFL);
}

void TerminationWatcher::ReadPipe() {
  unsigned char b = 0;
  if (::read(g_pipe[0], &b, 1) == 1) emit terminationRequested(b);
}

}  // namespace mainwin::qt
