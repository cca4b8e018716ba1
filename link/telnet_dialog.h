#ifndef TELNET_DIALOG_H
#define TELNET_DIALOG_H

#include <QDialog>
#include <QHostAddress>

class QUdpSocket;
namespace Ui {
class telnet_dialog;
}

// Lets the user type or discover (SDDP) the address of a unit on the network.
// The discovery socket listens from construction to destruction, whether the
// dialog is open or not.
class telnet_dialog : public QDialog
{
    Q_OBJECT

public:
    explicit telnet_dialog(QWidget *parent = nullptr);
    ~telnet_dialog() override;

    // True once the discovery socket is bound and has joined the SDDP group.
    bool isListening() const { return listening; }
    // Where the search goes: the SDDP group and port unless changed (a test
    // points it at a local socket so that nothing leaves the machine).
    void setSearchTarget(const QHostAddress &address, quint16 port);

signals:
    void portIPSelected(QString ip_address);

private slots:
    void on_pushButtonOk_clicked();
    void readPendingDatagrams();
    void on_pushButtonDetect_clicked();

private:
    void showStartupError(const QString &text);

    QUdpSocket *udpSocket = nullptr;
    Ui::telnet_dialog *ui;
    QHostAddress searchAddress;
    quint16 searchPort;
    bool listening = false;
};

#endif // TELNET_DIALOG_H
