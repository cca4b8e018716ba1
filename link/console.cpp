#include "link/console.h"

#include "ui_console.h"

#include <QPlainTextEdit>

console::console(QWidget *parent) : QDialog(parent), ui(new Ui::console)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    flushTimer.setSingleShot(true);
    flushTimer.setInterval(0);
    connect(&flushTimer, &QTimer::timeout, this, &console::flush);
}

console::~console()
{
    delete ui;
}

void console::inputReceiveData(QString data)
{
    // A long burst between two flushes (a large file being loaded) keeps only
    // the lines the pane would show.
    const int keep = ui->plainTextEditReceived->maximumBlockCount();
    if (keep > 0 && pendingReceived.size() >= keep)
        pendingReceived.removeFirst();
    pendingReceived.append(data);
    flushTimer.start();
}

void console::inputSentData(QString data)
{
    pendingSent.append(data);
    flushTimer.start();
}

void console::showEvent(QShowEvent *event)
{
    flush();
    QDialog::showEvent(event);
}

void console::flush()
{
    // More lines than a pane keeps would only be laid out to be dropped.
    const auto append = [](QPlainTextEdit *pane, QStringList &lines) {
        if (lines.isEmpty())
            return;
        const int keep = pane->maximumBlockCount();
        if (keep > 0 && lines.size() > keep)
            lines.erase(lines.begin(), lines.end() - keep);
        pane->appendPlainText(lines.join(QLatin1Char('\n')));
        lines.clear();
    };
    append(ui->plainTextEditReceived, pendingReceived);
    append(ui->plainTextEditSent, pendingSent);
}
