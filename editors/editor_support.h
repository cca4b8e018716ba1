#ifndef EDITOR_SUPPORT_H
#define EDITOR_SUPPORT_H

// Small helpers shared by the editor slots of zor_config: reading a family
// member's number back from its object name, changing a widget without
// letting it emit, and the validator that keeps names from breaking a frame.

#include <QObject>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QValidator>

#include <type_traits>

namespace editors {

// The number carried by a family member's object name: the first capture of
// an unanchored search of `pattern` ("sliderZoneVol_([0-9]{1,2})") in the name
// of `member`, or 0 when there is no member or its name does not match.
int memberNumber(const QObject *member, const QRegularExpression &pattern);

// True when n is a usable 1-based number for an array of `count` entries.
constexpr bool isNumberIn(int n, int count)
{
    return n >= 1 && n <= count;
}

// Runs change(widget), or change() when it takes no argument, with the
// widget's signals blocked, so that setting it from code sends nothing. Does
// nothing for a null widget.
template <typename Widget, typename Change> void setSilently(Widget *widget, Change &&change)
{
    if (!widget)
        return;
    const QSignalBlocker blocker(widget);
    if constexpr (std::is_invocable_v<Change &, Widget *>)
        change(widget);
    else
        change();
}

// True when a name can go to the unit: what remains after dropping the
// characters a name may not carry holds at least one character. The unit
// keeps names of 1 to protocol::NameMaxLength characters, and a file line
// with an empty name is not read back, so an empty name is never sent.
bool isSendableName(const QString &name);

// The validator of the source and zone name fields. It accepts every text
// after dropping the characters a name may not carry (the double quote, the
// brackets and control characters): a typed one never appears, a pasted text
// arrives without them, and a text set from code (a reply, a file) is cleaned
// the same way. Refusing such a text instead would leave the field without
// acceptable input, and a field in that state never reports editingFinished,
// so the user's later edits would never be sent.
class NameFieldValidator : public QValidator
{
    Q_OBJECT

public:
    explicit NameFieldValidator(QObject *parent = nullptr);
    State validate(QString &input, int &pos) const override;
};

} // namespace editors

#endif // EDITOR_SUPPORT_H
