#include "link/telnet_dialog.h"

#include <QEvent>
#include <QMessageBox>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QUdpSocket>

#include "link/sddp.h"
#include "ui_telnet_dialog.h"

namespace {

// Constant-initialised, so that it holds before any dialog is made.
quint16 nextDiscoveryPort = sddp::Port;

} // namespace

telnet_dialog::telnet_dialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::telnet_dialog), searchAddress(sddp::multicastGroup()),
      searchPort(sddp::Port)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->lineEditIPAddress->setAccessibleName(tr("Unit IP address"));
    ui->listWidget->setAccessibleName(tr("Units detected"));
    connect(ui->pushButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->pushButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    udpSocket = new QUdpSocket(this);
    if (!udpSocket->bind(QHostAddress::AnyIPv4, nextDiscoveryPort,
                         QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        reportStartupError(tr("Failed to bind SDDP socket."));
        return;
    }
    if (!udpSocket->joinMulticastGroup(sddp::multicastGroup())) {
        reportStartupError(tr("Failed to join multicast group."));
        return;
    }
    listening = true;
    connect(udpSocket, &QUdpSocket::readyRead, this, &telnet_dialog::readPendingDatagrams);
}

telnet_dialog::~telnet_dialog()
{
    delete udpSocket;
    delete ui;
}

void telnet_dialog::setSearchTarget(const QHostAddress &address, quint16 port)
{
    searchAddress = address;
    searchPort = port;
}

void telnet_dialog::setDiscoveryPort(quint16 port)
{
    nextDiscoveryPort = port;
}

quint16 telnet_dialog::discoveryPort() const
{
    return udpSocket->state() == QAbstractSocket::BoundState ? udpSocket->localPort() : 0;
}

// The dialog is built while the main window is constructed, before any event
// loop runs and before the window is shown. The error box therefore waits:
// for the window given to showErrorsOver() to be shown, or, without one, for
// the event loop to start. It is shown without a nested loop of its own, so
// construction is never held up by it.
void telnet_dialog::reportStartupError(const QString &text)
{
    startupError = text;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!errorWindowGiven)
                showStartupError(nullptr);
        },
        Qt::QueuedConnection);
}

void telnet_dialog::showErrorsOver(QWidget *window)
{
    if (!window)
        return;
    errorWindowGiven = true;
    errorWindow = window;
    if (startupError.isEmpty())
        return;
    if (window->isVisible())
        showStartupError(window);
    else
        window->installEventFilter(this);
}

bool telnet_dialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == errorWindow && event->type() == QEvent::Show) {
        errorWindow->removeEventFilter(this);
        // Once the window is on screen, so that the box comes up above it.
        QMetaObject::invokeMethod(
            this, [this] { showStartupError(errorWindow); }, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

void telnet_dialog::showStartupError(QWidget *parent)
{
    if (startupError.isEmpty())
        return;
    auto *box = new QMessageBox(QMessageBox::Critical, tr("Error"), startupError, QMessageBox::Ok, parent);
    startupError.clear();
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
    box->raise();
    box->activateWindow();
}

void telnet_dialog::on_pushButtonOk_clicked()
{
    emit portIPSelected(ui->lineEditIPAddress->text());
}

void telnet_dialog::readPendingDatagrams()
{
    while (udpSocket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = udpSocket->receiveDatagram();
        if (!datagram.isValid())
            break; // a failed read must not keep this loop turning
        const QString address = sddp::unitAddress(datagram.data());
        if (!address.isEmpty() && ui->listWidget->count() < sddp::MaxListedUnits)
            ui->listWidget->addItem(address);
    }
}

void telnet_dialog::on_pushButtonDetect_clicked()
{
    ui->listWidget->clear();
    const QString local = sddp::localAddress(QNetworkInterface::allAddresses());
    udpSocket->writeDatagram(sddp::searchDatagram(local), searchAddress, searchPort);
}
