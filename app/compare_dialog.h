#ifndef COMPARE_DIALOG_H
#define COMPARE_DIALOG_H

#include <QByteArray>
#include <QDialog>
#include <QList>
#include <QVector>

#include "protocol/core/unit_settings.h"

class QLabel;
class QPushButton;
class QTreeWidget;

// Lists the settings in which the unit and the window differ: page, setting,
// the unit's value and the window's, with a check box per row. For Send
// Changes, and for the settings a write found not taken (Verify), every row
// starts ticked and "Send Selected" hands the ticked rows back to the window;
// Compare only shows them.
class compare_dialog : public QDialog
{
    Q_OBJECT

public:
    enum Mode { Compare, SendChanges, Verify };

    compare_dialog(const QVector<UnitSettings::Difference> &differences, Mode mode,
                   QWidget *parent = nullptr);

    // The ticked rows, in the order of the list.
    QVector<UnitSettings::Difference> selected() const;
    // Their commands.
    QList<QByteArray> selectedCommands() const;
    // "12 settings differ", "1 setting differs"; after a write "12 settings
    // did not take", "1 setting did not take".
    static QString countText(int count, Mode mode = Compare);

    QTreeWidget *table = nullptr;
    QLabel *countLabel = nullptr;
    QPushButton *sendButton = nullptr; // null in Compare mode

signals:
    void sendRequested(const QVector<UnitSettings::Difference> &chosen);

private:
    void updateSendButton();

    QVector<UnitSettings::Difference> rows;
};

#endif // COMPARE_DIALOG_H
