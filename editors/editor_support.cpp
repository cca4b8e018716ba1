// Helpers shared by the editor slots.
#include "editors/editor_support.h"

#include <QLineEdit>

#include "app/zor_config.h"
#include "editors/name_edit_delegate.h"
#include "forms/zor_config_form.h"
#include "protocol/core/messages.h"

namespace editors {

int memberNumber(const QObject *member, const QRegularExpression &pattern)
{
    if (!member)
        return 0;
    const QRegularExpressionMatch match = pattern.match(member->objectName());
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

bool isSendableName(const QString &name)
{
    return !protocol::sanitizeName(name).isEmpty();
}

NameFieldValidator::NameFieldValidator(QObject *parent) : QValidator(parent) {}

QValidator::State NameFieldValidator::validate(QString &input, int &pos) const
{
    QString clean;
    clean.reserve(input.size());
    int newPos = pos;
    for (int i = 0; i < input.size(); ++i) {
        if (protocol::isForbiddenNameChar(input.at(i))) {
            if (i < pos)
                --newPos;
        } else {
            clean.append(input.at(i));
        }
    }
    if (clean.size() != input.size()) {
        input = clean;
        pos = newPos;
    }
    return Acceptable;
}

} // namespace editors

// Names cannot break a frame: typed, pasted or set by a reply, a name field
// never holds a quote, a bracket or a control character, and the lists edit
// their names in a 16-character field guarded the same way.
void zor_config::installNameGuards()
{
    static const QRegularExpression nameFields(QStringLiteral("lineEdit(Source|Zone)Name"));
    for (QLineEdit *field : findChildren<QLineEdit *>(nameFields))
        field->setValidator(new editors::NameFieldValidator(field));
    installNameEditDelegate(ui->listViewDSPPreset);
    installNameEditDelegate(ui->listViewGroup);
    installNameEditDelegate(ui->listViewFavorites);
}
