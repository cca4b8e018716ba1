#include "sim/pty_port.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

PtyPort::PtyPort(QObject *parent) : QObject(parent) {}

PtyPort::~PtyPort()
{
    delete readNotifier;
    delete writeNotifier;
    if (slave >= 0)
        ::close(slave);
    if (master >= 0)
        ::close(master);
}

bool PtyPort::open(QString *error)
{
    auto fail = [&](const char *step) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QLatin1String(step),
                                                  QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    };
    master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return fail("posix_openpt");
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0)
        return fail("unlockpt");
    const char *name = ::ptsname(master);
    if (!name)
        return fail("ptsname");
    path = QString::fromLocal8Bit(name);

    slave = ::open(name, O_RDWR | O_NOCTTY);
    if (slave < 0)
        return fail("open slave");
    termios raw{};
    if (::tcgetattr(slave, &raw) != 0)
        return fail("tcgetattr");
    ::cfmakeraw(&raw);
    ::cfsetispeed(&raw, B9600);
    ::cfsetospeed(&raw, B9600);
    if (::tcsetattr(slave, TCSANOW, &raw) != 0)
        return fail("tcsetattr");

    const int flags = ::fcntl(master, F_GETFL);
    if (flags < 0 || ::fcntl(master, F_SETFL, flags | O_NONBLOCK) != 0)
        return fail("fcntl");

    readNotifier = new QSocketNotifier(master, QSocketNotifier::Read);
    connect(readNotifier, &QSocketNotifier::activated, this, &PtyPort::readMaster);
    writeNotifier = new QSocketNotifier(master, QSocketNotifier::Write);
    writeNotifier->setEnabled(false);
    connect(writeNotifier, &QSocketNotifier::activated, this, &PtyPort::flush);
    return true;
}

void PtyPort::readMaster()
{
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(master, buffer, sizeof buffer);
        if (count > 0) {
            emit received(QByteArray(buffer, static_cast<int>(count)));
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        // EAGAIN: drained. EIO cannot happen while this side holds the slave open.
        break;
    }
}

void PtyPort::write(const QByteArray &bytes)
{
    if (master < 0)
        return;
    outgoing.append(bytes);
    if (outgoing.size() > MaxQueued)
        outgoing.remove(0, outgoing.size() - MaxQueued);
    flush();
}

void PtyPort::flush()
{
    while (!outgoing.isEmpty()) {
        const ssize_t count = ::write(master, outgoing.constData(), static_cast<size_t>(outgoing.size()));
        if (count > 0) {
            outgoing.remove(0, static_cast<int>(count));
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        break;
    }
    writeNotifier->setEnabled(!outgoing.isEmpty());
}
