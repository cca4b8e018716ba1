#include "link/console.h"

#include "ui_console.h"

console::console(QWidget *parent) : QDialog(parent), ui(new Ui::console)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

console::~console()
{
    delete ui;
}

void console::inputReceiveData(QString data)
{
    ui->plainTextEditReceived->appendPlainText(data);
}

void console::inputSentData(QString data)
{
    ui->plainTextEditSent->appendPlainText(data);
}
