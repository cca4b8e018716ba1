#ifndef CONSOLE_H
#define CONSOLE_H

#include <QDialog>
#include <QStringList>
#include <QTimer>

namespace Ui {
class console;
}

// The communication console: every line received and every command sent,
// collected from program start whether the window is shown or not. Each pane
// keeps its latest 100000 lines. Lines are added to the panes in batches when
// the event loop next runs: a save or a load passes hundreds of lines in one
// go, and laying each one out on its own would cost more than the save itself.
class console : public QDialog
{
    Q_OBJECT

public:
    explicit console(QWidget *parent = nullptr);
    ~console() override;

public slots:
    void inputReceiveData(QString data);
    void inputSentData(QString data);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void flush();

    Ui::console *ui;
    QStringList pendingReceived;
    QStringList pendingSent;
    QTimer flushTimer;
};

#endif // CONSOLE_H
