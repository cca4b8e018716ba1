#ifndef NAME_EDIT_DELEGATE_H
#define NAME_EDIT_DELEGATE_H

#include <QStyledItemDelegate>
#include <QValidator>

class QAbstractItemView;

// Accepts a name only while it holds none of the characters that would break
// a command frame on the wire: '"', '[', ']' and control characters.
class NameValidator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

// In-place editor for the preset, group and favorite name lists: a line edit
// of at most protocol::NameMaxLength characters that refuses the characters
// NameValidator refuses. An edit left empty is dropped: the row keeps its
// name and, the model being unchanged, nothing is sent.
class NameEditDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
};

// Makes view edit its names through a NameEditDelegate (owned by the view).
// Installing twice keeps the first delegate.
void installNameEditDelegate(QAbstractItemView *view);

#endif // NAME_EDIT_DELEGATE_H
