#include "link/telnet_dialog.h"

#include <QMessageBox>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QUdpSocket>

#include "link/sddp.h"
#include "ui_telnet_dialog.h"

telnet_dialog::telnet_dialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::telnet_dialog), searchAddress(sddp::multicastGroup()),
      searchPort(sddp::Port)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    connect(ui->pushButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->pushButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    udpSocket = new QUdpSocket(this);
    if (!udpSocket->bind(QHostAddress::AnyIPv4, sddp::Port,
                         QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        showStartupError(tr("Failed to bind SDDP socket."));
        return;
    }
    if (!udpSocket->joinMulticastGroup(sddp::multicastGroup())) {
        showStartupError(tr("Failed to join multicast group."));
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

// The dialog is built while the main window is constructed, before any event
// loop runs. The box is therefore shown without a nested loop of its own: it
// appears, application modal, as soon as the program's event loop starts, and
// construction is never held up by it.
void telnet_dialog::showStartupError(const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Critical, tr("Error"), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
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
