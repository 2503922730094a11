#include "terminationwatcher.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalSocket[2] = {-1, -1};

void onSignal(int number)
{
    const unsigned char byte = static_cast<unsigned char>(number);
    // Nothing else is safe in a signal handler; the event loop does the rest.
    const ssize_t written = ::write(signalSocket[0], &byte, 1);
    Q_UNUSED(written)
}

} // namespace

class TerminationWatcherPrivate
{
public:
    TerminationWatcher* q = nullptr;
    QSocketNotifier* notifier = nullptr;
    int lastSignal = 0;
};

TerminationWatcher::TerminationWatcher(QObject* parent)
    : QObject(parent)
    , d(new TerminationWatcherPrivate)
{
    d->q = this;
    if (signalSocket[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSocket) != 0) {
        qWarning("cannot watch for termination signals");
        return;
    }
    d->notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, this);
    connect(d->notifier, &QSocketNotifier::activated, this, [this]() {
        unsigned char byte = 0;
        if (::read(signalSocket[1], &byte, 1) == 1) {
            d->lastSignal = byte;
            Q_EMIT terminationRequested(byte);
        }
    });

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

TerminationWatcher::~TerminationWatcher()
{
    if (d->notifier) {
        signal(SIGTERM, SIG_DFL);
        signal(SIGINT, SIG_DFL);
    }
    delete d;
}

bool TerminationWatcher::isWatching() const
{
    return d->notifier != nullptr;
}

int TerminationWatcher::lastSignal() const
{
    return d->lastSignal;
}
