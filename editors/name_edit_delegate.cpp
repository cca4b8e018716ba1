// In-place name editor for the preset, group and favorite lists.
#include "editors/name_edit_delegate.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include "editors/editor_support.h"

namespace {

// The unit keeps names of up to 16 characters.
constexpr int MaxNameLength = 16;

class NameEditDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *line = qobject_cast<QLineEdit *>(editor)) {
            line->setMaxLength(MaxNameLength);
            line->setValidator(new editors::NameValidator(line));
        }
        return editor;
    }
};

} // namespace

void installNameEditDelegate(QAbstractItemView *view)
{
    if (view)
        view->setItemDelegate(new NameEditDelegate(view));
}
