// The device link: writing commands, receiving reply lines, opening and
// closing the serial and TCP transports.
#include "app/zor_config.h"
#include "protocol/core/unit_reader.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTcpSocket>
#include <QTimer>

#include "forms/zor_config_form.h"
#include "link/tcp_target.h"

namespace {

const char SerialPrefix[] = "Receive from serial: ";
const char NetworkPrefix[] = "Receive from network: ";

// Closes the socket whatever its state: abort() drops pending output and the
// connection, close() the device, which abort() leaves open when the socket
// has already fallen back to the unconnected state.
void closeSocket(QTcpSocket *socket)
{
    socket->abort();
    socket->close();
}

} // namespace

void zor_config::sendCommand(QByteArray input)
{
    if (configFile.isOpen()) {
        // A save is running: the command becomes one line of the file.
        configFile.write(input + '\n');
    } else {
        // The command carries its own framing; nothing is added.
        if (serialPort.isOpen())
            serialPort.write(input);
        if (tcpSocket->isOpen())
            tcpSocket->write(input);
    }
    emit sendSentData(decodeUtf8UpToNul(input));
    editMade();
}

void zor_config::serialReadData()
{
    receiveBytes(serialFramer, serialPort.readAll(), SerialPrefix);
}

void zor_config::telnetReadData()
{
    receiveBytes(tcpFramer, tcpSocket->readAll(), NetworkPrefix);
}

// Every complete line goes to the console, the status bar and the parser.
// The lines are cut before any of them is handled: the parser may run a
// nested event loop in which more bytes of the same transport arrive.
void zor_config::receiveBytes(LineFramer &framer, const QByteArray &bytes, const char *statusPrefix)
{
    const int pendingBefore = framer.pending().size();
    const LineFramer::Result result = framer.feed(bytes);
    int discarded = 0;
    if (result.overflowed) {
        // What is dropped is everything after the last line feed.
        const int lastLineFeed = bytes.lastIndexOf('\n');
        discarded = lastLineFeed >= 0 ? bytes.size() - lastLineFeed - 1 : pendingBefore + bytes.size();
    }

    for (const QByteArray &line : result.lines) {
        emit sendReceivedData(decodeUtf8UpToNul(line));
        statusBar()->showMessage(decodeUtf8UpToNul(QByteArray(statusPrefix) + line));
        // While the unit is read its lines fill the reader's model; only
        // Receive All's also change the window.
        if (unitReader && unitReader->isRunning())
            readLine(line);
        else
            parseCommand(line);
    }
    if (result.overflowed && consoleWindow)
        consoleWindow->inputReceiveData(tr("(discarded %1 bytes without a line end)").arg(discarded));
}

void zor_config::serialOpen(QString port_name)
{
    abandonConnect();
    const QString stopped = stopRunForLink();
    if (serialPort.isOpen())
        serialPort.close();
    if (tcpSocket->isOpen())
        closeSocket(tcpSocket);

    // A port listed as busy is opened by its own name: it may be free by now.
    const QString name = serial_dialog::portNameOf(port_name);
    connect(&serialPort, &QSerialPort::errorOccurred, this, &zor_config::serialPortError,
            Qt::UniqueConnection);
    serialPort.setPortName(name);
    const bool opened = serialPort.open(QIODevice::ReadWrite);
    // Bytes left over from an earlier connection can never complete a line.
    serialFramer = LineFramer();

    ui->actionSerial->setChecked(opened);
    ui->actionTelnet->setChecked(false);
    setLinkActionsEnabled(opened);
    if (opened) {
        statusBar()->showMessage(tr("Opened serial port ") + name + QLatin1Char('.'));
        statusLabel.setText(name);
        // A run stopped by the new link says so over the opening.
        if (!stopped.isEmpty())
            statusBar()->showMessage(stopped);
    } else {
        statusLabel.setText(tr("No Connection"));
        QMessageBox::critical(this, tr("Error"), tr("Failed to open serial port ") + name + QLatin1Char('.'));
    }
}

// A serial port that fails once open (unplugged adapter, hang-up, read or
// write failure) is closed and reported, like a broken network connection.
void zor_config::serialPortError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !serialPort.isOpen())
        return; // failures to open are reported by serialOpen itself
    {
        const QSignalBlocker blocker(&serialPort);
        serialPort.close();
    }
    stopRunForLink();
    ui->actionSerial->setChecked(false);
    statusLabel.setText(tr("No Connection"));
    QMessageBox::critical(this, tr("Error"),
                          tr("Serial port error ") + QString::number(int(error)) + QLatin1Char('.'));
}

void zor_config::serialCheck()
{
    ui->actionSerial->setChecked(serialPort.isOpen());
}

// Starts connecting and returns at once: the window stays usable while the
// connection comes up. telnetConnected, telnetConnectFailed or
// telnetConnectTimedOut ends the attempt, unless a new open or closing the
// window abandons it first.
void zor_config::telnetOpen(QString ip_address)
{
    abandonConnect();
    const QString stopped = stopRunForLink();
    if (serialPort.isOpen())
        serialPort.close();
    // Whatever its state; pending output to the old peer is dropped, and an
    // old connection still closing cannot stand in the way of the new one.
    closeSocket(tcpSocket);
    tcpFramer = LineFramer();

    const TcpTarget target = TcpTarget::fromText(ip_address);
    if (!target.valid) {
        // "host:" followed by something that is not a port: no such host.
        telnetSocketError(QAbstractSocket::HostNotFoundError);
        return;
    }

    // Both transports are closed now; the indications say so until the new
    // connection is up.
    ui->actionSerial->setChecked(false);
    statusLabel.setText(tr("No Connection"));
    statusBar()->showMessage(stopped.isEmpty() ? tr("Connecting to ") + ip_address + QStringLiteral("...")
                                               : stopped);
    // Set before connecting: the socket may report the outcome from inside
    // connectToHost.
    connectingTo = ip_address.isNull() ? QStringLiteral("") : ip_address;
    connectTimer.start(connectTimeoutMs);
    tcpSocket->connectToHost(target.host, target.port, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
}

void zor_config::telnetConnected()
{
    if (connectingTo.isNull())
        return;
    const QString address = connectingTo;
    connectingTo = QString();
    connectTimer.stop();

    statusBar()->showMessage(tr("Opened network connection to ") + address + QLatin1Char('.'));
    statusLabel.setText(address);
    ui->actionSerial->setChecked(false);
    ui->actionTelnet->setChecked(true);
    setLinkActionsEnabled(true);
}

// The socket has reported why the attempt failed; telnetSocketError shows it
// and takes the indications to "no connection".
void zor_config::telnetConnectFailed()
{
    if (connectingTo.isNull())
        return;
    connectingTo = QString();
    connectTimer.stop();
    statusBar()->clearMessage();
}

// The time limit passed without the socket deciding either way: the attempt
// is given up and reported as a time-out.
void zor_config::telnetConnectTimedOut()
{
    // A socket that is no longer connecting has already had its say (its
    // error may still be on show).
    const QAbstractSocket::SocketState state = tcpSocket->state();
    if (connectingTo.isNull() ||
        (state != QAbstractSocket::HostLookupState && state != QAbstractSocket::ConnectingState))
        return;
    connectingTo = QString();
    statusBar()->clearMessage();
    telnetSocketError(QAbstractSocket::SocketTimeoutError);
}

// Ends an attempt that is still under way, silently: the user has moved on.
void zor_config::abandonConnect()
{
    connectTimer.stop();
    if (connectingTo.isNull())
        return;
    connectingTo = QString();
    closeSocket(tcpSocket);
}

void zor_config::closeEvent(QCloseEvent *event)
{
    if (!keepOrDiscardEdits()) {
        event->ignore();
        return;
    }
    abandonConnect();
    stopRunForLink();
    QMainWindow::closeEvent(event);
}

void zor_config::telnetSocketError(QAbstractSocket::SocketError error)
{
    // The link is taken down before the box opens, so that nothing more
    // arrives from it while the box waits for the user.
    ui->actionTelnet->setChecked(false);
    ui->actionSerial->setChecked(false);
    closeSocket(tcpSocket);
    if (serialPort.isOpen())
        serialPort.close();
    statusLabel.setText(tr("No Connection"));
    stopRunForLink();
    QMessageBox::critical(this, tr("Error"),
                          tr("TCP socket error ") + QString::number(int(error)) + QLatin1Char('.'));
}

void zor_config::telnetCheck()
{
    ui->actionTelnet->setChecked(tcpSocket->isOpen());
}

// Waits at least ms milliseconds on a monotonic clock. The event loop keeps
// running, so replies are parsed and the user can act; the thread sleeps
// between events instead of polling.
void zor_config::delay(int ms)
{
    QElapsedTimer clock;
    clock.start();
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    for (qint64 left = ms; left > 0; left = ms - clock.elapsed()) {
        wake.start(int(left));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}
