#ifndef TELNET_DIALOG_H
#define TELNET_DIALOG_H

#include <QDialog>

class QUdpSocket;
namespace Ui { class telnet_dialog; }

// Lets the user type or discover (SDDP) the address of a unit on the network.
class telnet_dialog : public QDialog
{
    Q_OBJECT

public:
    explicit telnet_dialog(QWidget *parent = nullptr);
    ~telnet_dialog() override;

signals:
    void portIPSelected(QString ip_address);

private slots:
    void on_pushButtonOk_clicked();
    void readPendingDatagrams();
    void on_pushButtonDetect_clicked();

private:
    QUdpSocket *udpSocket = nullptr;
    Ui::telnet_dialog *ui;
};

#endif // TELNET_DIALOG_H
