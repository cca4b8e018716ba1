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
    setWindowTitle(mode == Compare ? tr("Compare with Unit") : tr("Send Changes"));

    countLabel = new QLabel(countText(rows.size(), mode), this);
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
        item->setCheckState(0, mode == Compare ? Qt::Unchecked : Qt::Checked);
        items << item;
    }
    table->addTopLevelItems(items);
    for (int column = 0; column < table->columnCount(); ++column)
        table->resizeColumnToContents(column);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (mode != Compare) {
        sendButton = buttons->addButton(tr("Send Selected"), QDialogButtonBox::AcceptRole);
        sendButton->setObjectName(QStringLiteral("pushButtonSendSelected"));
        connect(sendButton, &QPushButton::clicked, this, [this] {
            const QVector<UnitSettings::Difference> chosen = selected();
            accept();
            emit sendRequested(chosen);
        });
        connect(table, &QTreeWidget::itemChanged, this, &compare_dialog::updateSendButton);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(countLabel);
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(720, 420);
}

QString compare_dialog::countText(int count, Mode mode)
{
    if (mode == Verify)
        return count == 1 ? tr("1 setting did not take") : tr("%1 settings did not take").arg(count);
    return count == 1 ? tr("1 setting differs") : tr("%1 settings differ").arg(count);
}

QVector<UnitSettings::Difference> compare_dialog::selected() const
{
    QVector<UnitSettings::Difference> chosen;
    for (int row = 0; row < rows.size(); ++row) {
        if (table->topLevelItem(row)->checkState(0) == Qt::Checked)
            chosen << rows.at(row);
    }
    return chosen;
}

QList<QByteArray> compare_dialog::selectedCommands() const
{
    QList<QByteArray> commands;
    for (const UnitSettings::Difference &difference : selected())
        commands += difference.commands;
    return commands;
}

void compare_dialog::updateSendButton()
{
    bool any = false;
    for (int row = 0; row < table->topLevelItemCount() && !any; ++row)
        any = table->topLevelItem(row)->checkState(0) == Qt::Checked;
    sendButton->setEnabled(any);
}
