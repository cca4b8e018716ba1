#ifndef REPLY_TARGETS_H
#define REPLY_TARGETS_H

// The numbered widgets that reply lines update, found by object name and
// remembered, so that a reply costs an array look-up instead of a search of
// the whole widget tree.
//
// A widget is named by its family prefix, "_" and a suffix. A reply names the
// suffix either as the digits it carries ("03" stays "03", so sliderZoneVol_03
// is looked for, which the form does not have) or as a number written back in
// plain decimal. Suffixes "1".."16" are remembered once found; any other
// suffix, and a remembered widget that has been deleted or renamed since, is
// searched for again by name, so the result is that of a search by name.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QSlider>
#include <QSpinBox>
#include <QString>
#include <QStringView>
#include "protocol/core/messages.h"

template <typename Widget> class WidgetFamily
{
public:
    WidgetFamily(QObject *root, const char *prefix)
        : root(root), prefix(QString::fromLatin1(prefix) + QLatin1Char('_'))
    {}

    // The widget whose name ends in exactly these characters, or nullptr.
    Widget *byText(const QString &suffix)
    {
        const int number = canonicalNumber(suffix);
        if (number == 0)
            return search(suffix);
        return byNumber(number);
    }

    // The widget whose name ends in the number written in plain decimal.
    Widget *byNumber(int number)
    {
        if (number < 1 || number > Slots)
            return search(QString::number(number));
        QPointer<Widget> &known = numbered[number - 1];
        if (known.isNull() || !isNamed(known.data(), number))
            known = search(QString::number(number));
        return known.data();
    }

private:
    static constexpr int Slots = protocol::ZoneCount; // the largest family

    // 1..16 when the text is that number without leading zeros or sign, else 0.
    static int canonicalNumber(QStringView text)
    {
        const int size = text.size();
        if (size < 1 || size > 2)
            return 0;
        const ushort first = text.at(0).unicode();
        if (first < '1' || first > '9')
            return 0;
        if (size == 1)
            return first - '0';
        const ushort second = text.at(1).unicode();
        if (second < '0' || second > '9')
            return 0;
        const int number = (first - '0') * 10 + (second - '0');
        return number <= Slots ? number : 0;
    }

    // True while the widget still carries the name it was found by.
    bool isNamed(const QObject *widget, int number) const
    {
        const QString &name = widget->objectName();
        return name.startsWith(prefix) && canonicalNumber(QStringView(name).mid(prefix.size())) == number;
    }

    Widget *search(const QString &suffix) const { return root->findChild<Widget *>(prefix + suffix); }

    QObject *root;
    QString prefix;
    QPointer<Widget> numbered[Slots];
};

// Every numbered family a reply can name.
struct ReplyTargets {
    explicit ReplyTargets(QObject *window);

    WidgetFamily<QSlider> sliderZoneVol;
    WidgetFamily<QLabel> labelZoneVol;
    WidgetFamily<QCheckBox> checkBoxZoneMute;
    WidgetFamily<QCheckBox> checkBoxZoneFix;
    WidgetFamily<QCheckBox> checkBoxZonePower;
    WidgetFamily<QSpinBox> spinBoxZoneBal;
    WidgetFamily<QSpinBox> spinBoxZonePOnVol;
    WidgetFamily<QComboBox> comboBoxZoneSource;
    WidgetFamily<QLabel> labelSourceZone;
    WidgetFamily<QLineEdit> lineEditZoneName;
    WidgetFamily<QLineEdit> lineEditSourceName;
    WidgetFamily<QProgressBar> progressBarLeftZone;
    WidgetFamily<QProgressBar> progressBarRightZone;
    WidgetFamily<QSlider> sliderDSPEQ;
    WidgetFamily<QLabel> labelDSPEQVal;
    WidgetFamily<QCheckBox> checkBoxGroupZone;
    WidgetFamily<QCheckBox> checkBoxFavoriteBypass;
    WidgetFamily<QComboBox> comboBoxFavoriteSource;
};

#endif // REPLY_TARGETS_H
