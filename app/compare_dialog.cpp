#include "app/compare_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

compare_dialog::compare_dialog(const QVector<UnitSettings::Difference> &differences, Mode mode,
                               QWidget *parent)
    : QDialog(parent), rows(differences)
{
    setObjectName(QStringLiteral("dialogCompare"));
    setWindowTitle(mode == SendChanges ? tr("Send Changes") : tr("Compare with Unit"));

    countLabel = new QLabel(countText(rows.size()), this);
    countLabel->setObjectName(QStringLiteral("labelDifferenceCount"));

    table = new QTreeWidget(this);
    table->setObjectName(QStringLiteral("treeWidgetDifferences"));
    table->setRootIsDecorated(false);
    table->setUniformRowHeights(true);
    table->setHeaderLabels({tr("Page"), tr("Setting"), tr("Unit"), tr("Window")});
    QList<QTreeWidgetItem *> items;
    for (const UnitSettings::Difference &d : rows) {
        auto *item = new QTreeWidgetItem(QStringList{d.page, d.setting, d.current, d.wanted});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, mode == SendChanges ? Qt::Checked : Qt::Unchecked);
        items << item;
    }
    table->addTopLevelItems(items);
    for (int column = 0; column < table->columnCount(); ++column)
        table->resizeColumnToContents(column);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (mode == SendChanges) {
        sendButton = buttons->addButton(tr("Send Selected"), QDialogButtonBox::AcceptRole);
        sendButton->setObjectName(QStringLiteral("pushButtonSendSelected"));
        connect(sendButton, &QPushButton::clicked, this, [this] {
            const QList<QByteArray> commands = selectedCommands();
            accept();
            emit sendRequested(commands);
        });
        connect(table, &QTreeWidget::itemChanged, this, &compare_dialog::updateSendButton);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(countLabel);
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(720, 420);
}

QString compare_dialog::countText(int count)
{
    return count == 1 ? tr("1 setting differs") : tr("%1 settings differ").arg(count);
}

QList<QByteArray> compare_dialog::selectedCommands() const
{
    QList<QByteArray> commands;
    for (int row = 0; row < rows.size(); ++row) {
        if (table->topLevelItem(row)->checkState(0) == Qt::Checked)
            commands += rows.at(row).commands;
    }
    return commands;
}

void compare_dialog::updateSendButton()
{
    bool any = false;
    for (int row = 0; row < table->topLevelItemCount() && !any; ++row)
        any = table->topLevelItem(row)->checkState(0) == Qt::Checked;
    sendButton->setEnabled(any);
}
