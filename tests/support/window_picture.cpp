#include "support/window_picture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QStringList>

#include "app/zor_config.h"
#include "plot/dsp.h"

namespace {

void addModel(Picture &p, const char *name, const QStringListModel &model)
{
    const QStringList rows = model.stringList();
    p[QStringLiteral("%1.rows").arg(QLatin1String(name))] = QString::number(rows.size());
    for (int i = 0; i < rows.size(); ++i)
        p[QStringLiteral("%1[%2]").arg(QLatin1String(name)).arg(i)] = rows[i];
}

QString yes(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace

QString coefficientsText(const double *c)
{
    QStringList parts;
    for (int i = 0; i < 6; ++i)
        parts << QString::number(c[i], 'g', 12);
    return parts.join(QLatin1Char(' '));
}

Picture pictureOf(zor_config &w)
{
    Picture p;
    for (QWidget *widget : w.findChildren<QWidget *>()) {
        const QString n = widget->objectName();
        if (n.isEmpty() || n.startsWith(QLatin1String("qt_")))
            continue;
        // The widget's own enabled state, not the one inherited from a frame.
        p[n + ".disabled"] = yes(widget->testAttribute(Qt::WA_ForceDisabled));
        if (auto *slider = qobject_cast<QAbstractSlider *>(widget))
            p[n + ".value"] = QString::number(slider->value());
        else if (auto *spin = qobject_cast<QSpinBox *>(widget))
            p[n + ".value"] = QString::number(spin->value());
        else if (auto *bar = qobject_cast<QProgressBar *>(widget))
            p[n + ".value"] = QString::number(bar->value());
        else if (auto *combo = qobject_cast<QComboBox *>(widget))
            p[n + ".currentIndex"] = QString::number(combo->currentIndex());
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            p[n + ".text"] = edit->text();
        else if (auto *label = qobject_cast<QLabel *>(widget))
            p[n + ".text"] = label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            p[n + ".checked"] = yes(button->isChecked());
            p[n + ".text"] = button->text();
        } else if (auto *view = qobject_cast<QAbstractItemView *>(widget)) {
            p[n + ".current"] = QString::number(view->currentIndex().row());
        }
    }
    for (int z = 0; z < 16; ++z) {
        const ZoneDspSettings &d = w.zoneDsp[z];
        const QString zone = QStringLiteral("zoneDsp[%1].").arg(z);
        p[zone + "mode"] = QString::number(d.mode);
        p[zone + "bass"] = QString::number(d.bass);
        p[zone + "treble"] = QString::number(d.treble);
        p[zone + "preset"] = QString::number(d.preset);
        p[zone + "lowpass"] = QString::number(d.lowpass);
        p[zone + "highpass"] = QString::number(d.highpass);
        for (int b = 0; b < 10; ++b)
            p[zone + QStringLiteral("eq[%1]").arg(b)] = QString::number(d.eq[b]);
        p[QStringLiteral("sourceNameChanged[%1]").arg(z)] = yes(w.sourceNameChanged[z]);
        p[QStringLiteral("zoneNameChanged[%1]").arg(z)] = yes(w.zoneNameChanged[z]);
    }
    for (int i = 0; i < 10; ++i) {
        for (int b = 0; b < 10; ++b)
            p[QStringLiteral("presetEq[%1][%2]").arg(i).arg(b)] = QString::number(w.presetEq[i][b]);
        for (int z = 0; z < 16; ++z)
            p[QStringLiteral("favoriteSource[%1][%2]").arg(i).arg(z)] =
                QString::number(w.favoriteSource[i][z]);
        p[QStringLiteral("groupZones[%1]").arg(i)] = QString::number(w.groupZones[i]);
        p[QStringLiteral("plot[%1]").arg(i)] = coefficientsText(w.dspPlot->coefficients[i]);
    }
    p["networkIpChanged"] = yes(w.networkIpChanged);
    p["networkGatewayChanged"] = yes(w.networkGatewayChanged);
    p["networkMaskChanged"] = yes(w.networkMaskChanged);
    addModel(p, "sourceNamesModel", w.sourceNamesModel);
    addModel(p, "zoneNamesModel", w.zoneNamesModel);
    addModel(p, "presetNamesModel", w.presetNamesModel);
    addModel(p, "groupNamesModel", w.groupNamesModel);
    addModel(p, "favoriteNamesModel", w.favoriteNamesModel);
    return p;
}

// "key=value" for every entry that differs, sorted.
QString changes(const Picture &before, const Picture &after)
{
    QStringList lines;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (before.value(it.key()) != it.value())
            lines << it.key() + QLatin1Char('=') + it.value();
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!after.contains(it.key()))
            lines << it.key() + QStringLiteral("=<gone>");
    }
    lines.sort();
    return lines.join(QLatin1Char('\n'));
}
