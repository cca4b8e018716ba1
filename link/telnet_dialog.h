#ifndef TELNET_DIALOG_H
#define TELNET_DIALOG_H

#include <QDialog>
#include <QHostAddress>
#include <QPointer>

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

    // The port that the discovery socket of every dialog made from now on
    // binds: the SDDP port unless changed; 0 lets the system pick a free one.
    // Tests take a port of their own, so that they never share one with a
    // utility or a simulated unit running on the same machine.
    static void setDiscoveryPort(quint16 port);
    // The port the discovery socket is bound to; 0 when the bind failed.
    quint16 discoveryPort() const;

    // True once the discovery socket is bound and has joined the SDDP group.
    bool isListening() const { return listening; }
    // A start-up error (no bind, no group) is shown over this window as soon
    // as the window is shown, so that the box is never hidden behind the
    // window it blocks. Without a window it is shown on its own.
    void showErrorsOver(QWidget *window);
    // Where the search goes: the SDDP group and port unless changed (a test
    // points it at a local socket so that nothing leaves the machine).
    void setSearchTarget(const QHostAddress &address, quint16 port);

signals:
    void portIPSelected(QString ip_address);

private slots:
    void on_pushButtonOk_clicked();
    void readPendingDatagrams();
    void on_pushButtonDetect_clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void reportStartupError(const QString &text);
    void showStartupError(QWidget *parent);

    QUdpSocket *udpSocket = nullptr;
    Ui::telnet_dialog *ui;
    QHostAddress searchAddress;
    quint16 searchPort;
    bool listening = false;
    QString startupError;
    QPointer<QWidget> errorWindow;
    bool errorWindowGiven = false;
};

#endif // TELNET_DIALOG_H
