#include "link/serial_dialog.h"

#include <QLineEdit>
#include <QSerialPortInfo>
#include <QShowEvent>

#include "ui_serial_dialog.h"

serial_dialog::serial_dialog(QWidget *parent) : QDialog(parent), ui(new Ui::serial_dialog)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->comboBox->setAccessibleName(tr("Serial port"));
    if (ui->comboBox->lineEdit())
        ui->comboBox->lineEdit()->setAccessibleName(tr("Serial port"));
    refreshPorts();
    // After setupUi, so that the chosen port is opened (and any error shown)
    // while the dialog is still on screen, and only then does it close.
    connect(ui->pushButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->pushButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

serial_dialog::~serial_dialog()
{
    delete ui;
}

QString serial_dialog::busySuffix()
{
    return QStringLiteral(" - BUSY!");
}

QString serial_dialog::portNameOf(const QString &entry)
{
    // The busy mark reflects the moment the list was read; the port may be
    // free by now, so the port itself is what gets opened.
    QString name = entry.trimmed();
    if (name.endsWith(busySuffix()))
        name.chop(busySuffix().size());
    return name.trimmed();
}

namespace {

// Qt 6 no longer tells whether another program holds a port; there every port
// is listed plainly and a busy one fails to open with the usual message.
bool portIsBusy(const QSerialPortInfo &info)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    return info.isBusy();
#else
    Q_UNUSED(info);
    return false;
#endif
}

} // namespace

void serial_dialog::refreshPorts()
{
    const QString previousText = ui->comboBox->currentText();
    const QString previousName = portNameOf(previousText);
    const bool previousWasListed = ui->comboBox->findText(previousText, Qt::MatchExactly) >= 0;

    QStringList entries;
    int keep = -1;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        if (!previousName.isEmpty() && info.portName() == previousName)
            keep = entries.size();
        entries << (portIsBusy(info) ? info.portName() + busySuffix() : info.portName());
    }

    ui->comboBox->clear();
    ui->comboBox->addItems(entries);
    if (keep >= 0)
        ui->comboBox->setCurrentIndex(keep);
    else if (!previousWasListed && !previousText.isEmpty())
        ui->comboBox->setEditText(previousText); // a path the user typed
}

void serial_dialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        refreshPorts();
    QDialog::showEvent(event);
}

void serial_dialog::on_pushButtonOk_clicked()
{
    emit portNameSelected(ui->comboBox->currentText());
}
