#include "cli/unit_job.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTcpSocket>

bool Target::parse(const QString &text, Target *target, QString *reason)
{
    Target t;
    t.text = text;
    if (text.startsWith(QLatin1Char('/'))) {
        t.serial = true;
        t.device = text;
        *target = t;
        return true;
    }
    static const QRegularExpression hostPort(QStringLiteral("^([A-Za-z0-9.-]+)(?::([0-9]{1,5}))?$"));
    const QRegularExpressionMatch m = hostPort.match(text);
    if (!m.hasMatch()) {
        *reason = QStringLiteral("not a HOST[:PORT] or a serial device path");
        return false;
    }
    t.host = m.captured(1);
    if (m.lastCapturedIndex() >= 2 && !m.captured(2).isEmpty()) {
        const int port = m.captured(2).toInt();
        if (port < 1 || port > 65535) {
            *reason = QStringLiteral("port out of range 1..65535");
            return false;
        }
        t.port = quint16(port);
    }
    *target = t;
    return true;
}

QString Target::fileStem() const
{
    if (serial) {
        QString stem = device.mid(1);
        stem.replace(QLatin1Char('/'), QLatin1Char('_'));
        return stem;
    }
    return host + QLatin1Char('_') + QString::number(port);
}

UnitJob::UnitJob(const Target &target, QObject *parent) : QObject(parent), where(target)
{
    connectTimer.setSingleShot(true);
    connect(&connectTimer, &QTimer::timeout, this,
            [this] { fail(Unreachable, QStringLiteral("connection timed out")); });
    connect(&reader, &UnitReader::commandReady, this, &UnitJob::write);
    connect(&reader, &UnitReader::finished, this, &UnitJob::onReadDone);
    // An incomplete reading is a failure, never a result.
    connect(&reader, &UnitReader::failed, this, [this](UnitReader::Failure failure) {
        QString reason = failure == UnitReader::NoReply
                             ? QStringLiteral("no reply from the unit")
                             : QStringLiteral("the unit answered %1 of %2 settings")
                                   .arg(reader.settingsReceived())
                                   .arg(UnitSettings::SettingCount);
        if (readingBack)
            reason.prepend(QStringLiteral("cannot read the unit back: "));
        fail(NoReply, reason);
    });
    connect(&sender, &PacedSender::commandReady, this, &UnitJob::write);
    connect(&sender, &PacedSender::finished, this, &UnitJob::onSendDone);
}

UnitJob::~UnitJob()
{
    if (device) {
        device->disconnect(this);
        delete device;
    }
}

namespace {

QString socketErrorText(QAbstractSocket::SocketError error, const QString &fallback)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return QStringLiteral("connection refused");
    case QAbstractSocket::RemoteHostClosedError:
        return QStringLiteral("connection closed by the unit");
    case QAbstractSocket::HostNotFoundError:
        return QStringLiteral("host not found");
    case QAbstractSocket::SocketTimeoutError:
        return QStringLiteral("connection timed out");
    case QAbstractSocket::NetworkError:
        return QStringLiteral("network unreachable");
    default:
        return fallback.toLower();
    }
}

} // namespace

void UnitJob::start()
{
    reader.firstReplyMs = firstReplyMs;
    reader.quietMs = quietMs;
    if (where.serial) {
        auto *port = new QSerialPort(where.device);
        device = port;
        port->setBaudRate(QSerialPort::Baud9600);
        port->setDataBits(QSerialPort::Data8);
        port->setParity(QSerialPort::NoParity);
        port->setStopBits(QSerialPort::OneStop);
        port->setFlowControl(QSerialPort::NoFlowControl);
        connect(port, &QSerialPort::readyRead, this, &UnitJob::onBytes);
        connect(port, &QSerialPort::errorOccurred, this, [this, port](QSerialPort::SerialPortError error) {
            if (error == QSerialPort::NoError)
                return;
            if (error == QSerialPort::ResourceError)
                lost(QStringLiteral("serial port lost"));
        });
        if (!port->open(QIODevice::ReadWrite)) {
            const QString reason = port->errorString().toLower();
            QTimer::singleShot(0, this, [this, reason] { fail(Unreachable, reason); });
            return;
        }
        QTimer::singleShot(0, this, &UnitJob::onConnected);
        return;
    }
    auto *socket = new QTcpSocket;
    device = socket;
    connect(socket, &QTcpSocket::connected, this, &UnitJob::onConnected);
    connect(socket, &QTcpSocket::readyRead, this, &UnitJob::onBytes);
    connect(socket, &QAbstractSocket::errorOccurred, this,
            [this, socket](QAbstractSocket::SocketError error) {
                const QString text = socketErrorText(error, socket->errorString());
                if (socket->state() == QAbstractSocket::ConnectedState || connectTimer.isActive() == false)
                    lost(text);
                else
                    fail(Unreachable, text);
            });
    connect(socket, &QTcpSocket::disconnected, this, [this] { lost(QStringLiteral("connection lost")); });
    connectTimer.start(connectTimeoutMs);
    socket->connectToHost(where.host, where.port);
}

void UnitJob::onConnected()
{
    connectTimer.stop();
    if (readFirst)
        reader.start(where.serial);
    else
        onReadDone();
}

void UnitJob::onBytes()
{
    if (!device)
        return;
    const QByteArray bytes = device->readAll();
    if (reader.isRunning())
        reader.feedBytes(bytes);
}

void UnitJob::onReadDone()
{
    if (done)
        return;
    if (readingBack) {
        onReadBack();
        return;
    }
    firstReadDone = readFirst;
    QList<QByteArray> list = commands;
    if (sendDifferencesTo) {
        diffs = reader.settings().differences(wanted);
        list.clear();
        for (const UnitSettings::Difference &d : qAsConst(diffs))
            list += d.commands;
    }
    // Nothing to send: nothing to check either.
    if (list.isEmpty()) {
        finish();
        return;
    }
    QString refusal;
    if (beforeSending && !beforeSending(&refusal)) {
        fail(Stopped, refusal);
        return;
    }
    sentCommands = list;
    sending = true;
    sender.start(list, PacedSender::LinkPacingMs);
}

void UnitJob::onSendDone(PacedSender::Outcome outcome)
{
    sending = false;
    if (outcome != PacedSender::Completed)
        return;
    if (!verify) {
        finish();
        return;
    }
    readingBack = true;
    reader.start(where.serial);
}

// The unit read back holds what was sent, or the settings that did not take
// are listed. A reading over a serial link turned the unit's serial responses
// on; they go back to what was sent, and that is not counted as a miss.
void UnitJob::onReadBack()
{
    const UnitSettings sent = UnitSettings::fromCommands(sentCommands);
    const QList<QByteArray> takeBack = reader.takeBackSerialResponses(sent);
    missed = reader.settings().differences(sent);
    for (const QByteArray &command : takeBack)
        write(command);
    finish();
}

void UnitJob::write(const QByteArray &bytes)
{
    if (device && device->isOpen())
        device->write(bytes);
}

void UnitJob::lost(const QString &reason)
{
    if (done)
        return;
    if (sending) {
        sender.linkLost();
        fail(LinkLost,
             QStringLiteral("%1 after %2 of %3 commands").arg(reason).arg(sender.sent()).arg(sender.total()));
        return;
    }
    if (readingBack) {
        fail(LinkLost, QStringLiteral("cannot read the unit back: %1").arg(reason));
        return;
    }
    fail(reader.isRunning() || readFirst ? LinkLost : Unreachable, reason);
}

void UnitJob::fail(Failure kind, const QString &reason)
{
    if (done)
        return;
    failure = kind;
    why = reason;
    reader.cancel();
    if (sender.isRunning())
        sender.linkLost();
    finish();
}

void UnitJob::finish()
{
    if (done)
        return;
    done = true;
    connectTimer.stop();
    if (device) {
        device->disconnect(this);
        if (auto *socket = qobject_cast<QTcpSocket *>(device.data())) {
            // Whatever is still queued goes out before the socket closes.
            socket->disconnectFromHost();
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            if (socket->state() == QAbstractSocket::UnconnectedState)
                socket->deleteLater();
        } else {
            // The port closes once what is queued has gone out, or after a
            // bounded wait when the line is stuck.
            auto *port = static_cast<QSerialPort *>(device.data());
            auto closePort = [port] {
                if (port->isOpen())
                    port->close();
                port->deleteLater();
            };
            if (port->bytesToWrite() == 0) {
                closePort();
            } else {
                connect(port, &QSerialPort::bytesWritten, port, [port, closePort] {
                    if (port->bytesToWrite() == 0)
                        closePort();
                });
                QTimer::singleShot(2000, port, closePort);
            }
        }
        device = nullptr;
    }
    // Emitted from the event loop so that a slot may delete the job.
    QTimer::singleShot(0, this, [this] { emit finished(this); });
}
