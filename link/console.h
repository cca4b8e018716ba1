#ifndef CONSOLE_H
#define CONSOLE_H

#include <QDialog>

namespace Ui {
class console;
}

// The communication console: every line received and every command sent,
// collected from program start whether the window is shown or not. Each pane
// keeps its latest 100000 lines.
class console : public QDialog
{
    Q_OBJECT

public:
    explicit console(QWidget *parent = nullptr);
    ~console() override;

public slots:
    void inputReceiveData(QString data);
    void inputSentData(QString data);

private:
    Ui::console *ui;
};

#endif // CONSOLE_H
