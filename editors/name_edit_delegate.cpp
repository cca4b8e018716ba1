#include "editors/name_edit_delegate.h"

#include <QAbstractItemView>
#include <QLineEdit>

#include "editors/editor_support.h"
#include "protocol/core/messages.h"

QValidator::State NameValidator::validate(QString &input, int &pos) const
{
    Q_UNUSED(pos);
    for (QChar c : qAsConst(input))
        if (protocol::isForbiddenNameChar(c))
            return Invalid;
    return Acceptable;
}

QWidget *NameEditDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                        const QModelIndex &index) const
{
    Q_UNUSED(option);
    Q_UNUSED(index);
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setMaxLength(protocol::NameMaxLength);
    editor->setValidator(new NameValidator(editor));
    return editor;
}

void NameEditDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *lineEdit = qobject_cast<QLineEdit *>(editor);
    if (!lineEdit) {
        QStyledItemDelegate::setEditorData(editor, index);
        return;
    }
    // A name that came from the unit or a file may hold characters the editor
    // refuses; start from its sendable form so that the edit can be committed.
    lineEdit->setText(
        protocol::sanitizeName(index.data(Qt::EditRole).toString()).left(protocol::NameMaxLength));
}

void NameEditDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                    const QModelIndex &index) const
{
    auto *lineEdit = qobject_cast<QLineEdit *>(editor);
    if (lineEdit && !editors::isSendableName(lineEdit->text()))
        return;
    QStyledItemDelegate::setModelData(editor, model, index);
}

void installNameEditDelegate(QAbstractItemView *view)
{
    if (!view || qobject_cast<NameEditDelegate *>(view->itemDelegate()))
        return;
    view->setItemDelegate(new NameEditDelegate(view));
}
