#ifndef SERIAL_DIALOG_H
#define SERIAL_DIALOG_H

#include <QDialog>

namespace Ui { class serial_dialog; }

// Lets the user pick the serial port to open.
class serial_dialog : public QDialog
{
    Q_OBJECT

public:
    explicit serial_dialog(QWidget *parent = nullptr);
    ~serial_dialog() override;

signals:
    void portNameSelected(QString port_name);

private slots:
    void on_pushButtonOk_clicked();

private:
    Ui::serial_dialog *ui;
};

#endif // SERIAL_DIALOG_H
