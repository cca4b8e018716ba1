#ifndef SERIAL_DIALOG_H
#define SERIAL_DIALOG_H

#include <QDialog>
#include <QString>

namespace Ui {
class serial_dialog;
}

// Lets the user pick the serial port to open. The list is read again each
// time the dialog opens, and a device path can be typed into it as well.
class serial_dialog : public QDialog
{
    Q_OBJECT

public:
    explicit serial_dialog(QWidget *parent = nullptr);
    ~serial_dialog() override;

    // Mark appended to the name of a port that another program holds.
    static QString busySuffix();
    // The port name behind a list entry or typed text: without the busy mark
    // and surrounding blanks.
    static QString portNameOf(const QString &entry);

    // Reads the system's port list into the combo box, keeping the current
    // port (or typed path) when it is still meaningful.
    void refreshPorts();

signals:
    void portNameSelected(QString port_name);

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void on_pushButtonOk_clicked();

private:
    Ui::serial_dialog *ui;
};

#endif // SERIAL_DIALOG_H
