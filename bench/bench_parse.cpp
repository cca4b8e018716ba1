// Reply lines per second through parseCommand, on the traffic of a Receive
// All (every setting of a unit, one reply per line) followed by a poll of the
// output levels.
//
// Baseline, measured in the same run: a literal reading of the parser, which
// sets each reply pattern into one expression object per attempt (so it is
// compiled again for every pattern tried on every line) and finds each
// widget by a search of the window's widget tree at every reply, applying the
// same changes. items_per_second is lines per second; the ratio of the two
// medians is the speed-up.
#include "qt_benchmark_main.h"
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include "app/zor_config.h"
#include "forms/zor_config_form.h"
#include "plot/dsp.h"
#include "protocol/core/line_framer.h"
#include "protocol/core/messages.h"

namespace {

using protocol::Field;
using protocol::Message;

// The reply lines of a whole unit; `variant` 0 or 1 gives two different
// sets of values, so that alternate runs really change the widgets.
QList<QByteArray> unitDump(int variant)
{
    QList<QByteArray> lines;
    auto add = [&lines](Message m, const QVector<Field> &fields) { lines << protocol::replyLine(m, fields); };
    const int v = variant;
    for (int z = 1; z <= 16; ++z) {
        add(Message::SourceName, {z, QStringLiteral("Source %1%2").arg(z).arg(v ? "b" : "a")});
        add(Message::ZoneName, {z, QStringLiteral("Zone %1%2").arg(z).arg(v ? "b" : "a")});
        add(Message::ZoneVolume, {z, -20 - z - v});
        add(v ? Message::ZoneMute : Message::ZoneUnmute, {z});
        add(Message::ZoneFixed, {z, 0});
        add(Message::ZonePowerOn, {z});
        add(v ? Message::ZoneBalanceLeft : Message::ZoneBalanceRight, {z, 3});
        add(Message::ZonePowerOnVolume, {z, -40 + v});
        add(Message::ZoneSource, {z, (z + v - 1) % 16 + 1});
        add(Message::ZoneDspMode, {z, (z + v) % 6});
        add(Message::ZoneTone, {z, 2 + v, -2 - v});
        add(Message::ZoneLowpass, {z, 100 + v});
        add(Message::ZoneHighpass, {z, 200 + v});
        for (int b = 1; b <= 10; ++b)
            add(Message::ZoneEqBand, {z, b, (b + z + v) % 21 - 10});
        add(Message::ZonePresetSelect, {z, (z + v) % 10 + 1});
    }
    for (int p = 1; p <= 10; ++p) {
        add(Message::PresetName, {p, QStringLiteral("Preset %1%2").arg(p).arg(v ? "b" : "a")});
        for (int b = 1; b <= 10; ++b)
            add(Message::PresetEqBand, {p, b, (p * b + v) % 21 - 10});
    }
    add(Message::DhcpEnable, {v});
    add(Message::SddpEnable, {1 - v});
    add(Message::IpAddress, {QStringLiteral("192.168.0.%1").arg(13 + v)});
    add(Message::NetworkMask, {QStringLiteral("255.255.255.0")});
    add(Message::Gateway, {QStringLiteral("192.168.0.%1").arg(1 + v)});
    add(Message::FpBrightness, {v});
    add(Message::FpSleep, {v ? 5 : 2});
    add(Message::FpLock, {v});
    add(Message::FpIrLock, {1 - v});
    add(Message::SerialResponses, {1});
    add(Message::TriggerMode, {1 + v});
    add(Message::TriggerLevel, {40 + 20 * v});
    add(Message::TriggerTime, {10 + 5 * v});
    for (int g = 1; g <= 10; ++g) {
        add(Message::GroupName, {g, QStringLiteral("Group %1%2").arg(g).arg(v ? "b" : "a")});
        for (int z = 1; z <= 16; ++z)
            add((z + g + v) % 3 ? Message::GroupRemoveZone : Message::GroupAddZone, {g, z});
    }
    for (int f = 1; f <= 10; ++f) {
        add(Message::FavoriteName, {f, QStringLiteral("Favorite %1%2").arg(f).arg(v ? "b" : "a")});
        for (int z = 1; z <= 16; ++z) {
            if ((z + f + v) % 4)
                add(Message::FavoriteZoneSource, {f, z, (z + f) % 16 + 1});
            else
                add(Message::FavoriteZoneBypass, {f, z});
        }
    }
    for (int z = 1; z <= 16; ++z) {
        add(Message::OutputLevelLeft, {z, 40 + z + v});
        add(Message::OutputLevelRight, {z, 41 + z + v});
    }
    return lines;
}

// ---- The literal reading -------------------------------------------------

template <typename W> W *find(zor_config &w, const char *prefix, const QString &suffix)
{
    return w.findChild<W *>(QLatin1String(prefix) + suffix);
}

template <typename W, typename F> void quietly(W *widget, F f)
{
    widget->blockSignals(true);
    f();
    widget->blockSignals(false);
}

void setSlider(QAbstractSlider *s, int v)
{
    quietly(s, [&] { s->setValue(v); });
}
void setSpin(QSpinBox *s, int v)
{
    quietly(s, [&] { s->setValue(v); });
}
void setCheck(QAbstractButton *b, bool on)
{
    quietly(b, [&] { b->setChecked(on); });
}
void renameQuietly(QStringListModel &m, int row, const QString &name)
{
    quietly(&m, [&] { m.setData(m.index(row, 0), name, Qt::EditRole); });
}

void showBandLiterally(zor_config &w, const QString &band, int gain, const QString &gainText)
{
    if (auto *slider = find<QSlider>(w, "sliderDSPEQ_", band)) {
        setSlider(slider, gain);
        if (auto *label = find<QLabel>(w, "labelDSPEQVal_", band)) {
            label->setText(gainText);
            const int b = band.toInt();
            w.dspPlot->setFilter(b - 1, biquad::bandFilter(w.eqBandFrequency[b - 1], slider->value()));
            w.dspPlot->combineAndPlot();
        }
    }
}

void literalParse(zor_config &w, const QByteArray &bytes)
{
    const QString line = decodeUtf8UpToNul(bytes);
    QRegularExpression expression;
    QRegularExpressionMatch m;
    int row = 0;
    for (int r = 1; r <= protocol::ReplyRowCount && row == 0; ++r) {
        expression.setPattern(QString::fromLatin1(protocol::definition(protocol::messageOfRow(r)).reply));
        m = expression.match(line);
        if (m.hasMatch())
            row = r;
    }
    if (row == 0)
        return;
    const QString c1 = m.captured(1), c2 = m.captured(2), c3 = m.captured(3);
    const int i1 = c1.toInt(), i2 = c2.toInt(), i3 = c3.toInt();
    Ui_zor_config &ui = *w.ui;
    const int zone = ui.listViewDSPZone->currentIndex().row() + 1;
    switch (protocol::messageOfRow(row)) {
    case Message::ZoneVolume:
        if (auto *s = find<QSlider>(w, "sliderZoneVol_", c1)) {
            setSlider(s, i2);
            if (auto *l = find<QLabel>(w, "labelZoneVol_", c1))
                l->setText(c2);
        }
        break;
    case Message::ZoneSource:
        if (auto *c = find<QComboBox>(w, "comboBoxZoneSource_", c1))
            quietly(c, [&] { c->setCurrentIndex(i2 - 1); });
        if (auto *l = find<QLabel>(w, "labelSourceZone_", c1))
            l->setText(QStringLiteral("Source ") + c2);
        break;
    case Message::ZoneUnmute:
    case Message::ZoneMute:
        if (auto *b = find<QCheckBox>(w, "checkBoxZoneMute_", c1))
            setCheck(b, protocol::messageOfRow(row) == Message::ZoneMute);
        break;
    case Message::SourceName:
        if (auto *e = find<QLineEdit>(w, "lineEditSourceName_", c1)) {
            quietly(e, [&] { e->setText(c2); });
            w.sourceNamesModel.setData(w.sourceNamesModel.index(i1 - 1, 0), c2, Qt::EditRole);
        }
        break;
    case Message::ZoneName:
        if (auto *e = find<QLineEdit>(w, "lineEditZoneName_", c1)) {
            quietly(e, [&] { e->setText(c2); });
            w.zoneNamesModel.setData(w.zoneNamesModel.index(i1 - 1, 0), c2, Qt::EditRole);
            if (auto *b = find<QCheckBox>(w, "checkBoxGroupZone_", c1))
                b->setText(c2);
        }
        break;
    case Message::ZoneFixed:
        if (auto *fix = find<QCheckBox>(w, "checkBoxZoneFix_", c1)) {
            setCheck(fix, i2 == 1);
            auto *s = find<QSlider>(w, "sliderZoneVol_", c1);
            auto *l = find<QLabel>(w, "labelZoneVol_", c1);
            auto *mute = find<QCheckBox>(w, "checkBoxZoneMute_", c1);
            auto *power = find<QCheckBox>(w, "checkBoxZonePower_", c1);
            if (i2 == 1) {
                if (s) {
                    setSlider(s, 0);
                    if (l)
                        l->setText(QStringLiteral("0"));
                }
                if (mute)
                    setCheck(mute, false);
                if (power)
                    setCheck(power, true);
            }
            for (QWidget *x :
                 {static_cast<QWidget *>(s), static_cast<QWidget *>(mute), static_cast<QWidget *>(power)})
                if (x)
                    x->setEnabled(i2 != 1);
        }
        break;
    case Message::ZonePowerOff:
        if (auto *p = find<QCheckBox>(w, "checkBoxZonePower_", c1)) {
            setCheck(p, false);
            if (auto *s = find<QSlider>(w, "sliderZoneVol_", c1))
                s->setEnabled(false);
            if (auto *mute = find<QCheckBox>(w, "checkBoxZoneMute_", c1))
                mute->setEnabled(false);
        }
        break;
    case Message::ZonePowerOnVolume:
        if (auto *s = find<QSpinBox>(w, "spinBoxZonePOnVol_", c1))
            setSpin(s, i2);
        break;
    case Message::ZonePowerOn:
        if (auto *p = find<QCheckBox>(w, "checkBoxZonePower_", c1)) {
            setCheck(p, true);
            auto *fix = find<QCheckBox>(w, "checkBoxZoneFix_", c1);
            auto *s = find<QSlider>(w, "sliderZoneVol_", c1);
            auto *l = find<QLabel>(w, "labelZoneVol_", c1);
            auto *on = find<QSpinBox>(w, "spinBoxZonePOnVol_", c1);
            auto *mute = find<QCheckBox>(w, "checkBoxZoneMute_", c1);
            if (!(fix && fix->isChecked()) && s && l && on && mute) {
                setSlider(s, on->value());
                s->setEnabled(true);
                l->setText(QString::number(on->value()));
                mute->setEnabled(true);
            }
        }
        break;
    case Message::ZoneBalanceLeft:
    case Message::ZoneBalanceRight:
        if (auto *s = find<QSpinBox>(w, "spinBoxZoneBal_", c1))
            setSpin(s, protocol::messageOfRow(row) == Message::ZoneBalanceLeft ? -i2 : i2);
        break;
    case Message::OutputLevelLeft:
        if (auto *b = find<QProgressBar>(w, "progressBarLeftZone_", c1))
            b->setValue(i2);
        break;
    case Message::OutputLevelRight:
        if (auto *b = find<QProgressBar>(w, "progressBarRightZone_", c1))
            b->setValue(i2);
        break;
    case Message::ZoneDspMode:
        if (i1 >= 1 && i1 <= 16) {
            w.zoneDsp[i1 - 1].mode = i2;
            if (i1 == zone) {
                quietly(ui.comboBoxDSPMode, [&] { ui.comboBoxDSPMode->setCurrentIndex(i2); });
                w.listViewDSPZoneChange(ui.listViewDSPZone->currentIndex());
            }
        }
        break;
    case Message::ZoneTone:
        if (i1 >= 1 && i1 <= 16) {
            w.zoneDsp[i1 - 1].bass = i2;
            w.zoneDsp[i1 - 1].treble = i3;
            if (i1 == zone) {
                setSlider(ui.sliderDSPBass, i2);
                setSlider(ui.sliderDSPTreble, i3);
                ui.labelDSPBassVal->setText(c2);
                ui.labelDSPTrebleVal->setText(c3);
                w.dspPlot->setFilter(biquad::trebleSlot, biquad::trebleFilter(ui.sliderDSPTreble->value()));
                w.dspPlot->setFilter(biquad::bassSlot, biquad::bassFilter(ui.sliderDSPBass->value()));
                w.dspPlot->combineAndPlot();
            }
        }
        break;
    case Message::ZoneHighpass:
    case Message::ZoneLowpass:
        if (i1 >= 1 && i1 <= 16) {
            const bool high = protocol::messageOfRow(row) == Message::ZoneHighpass;
            (high ? w.zoneDsp[i1 - 1].highpass : w.zoneDsp[i1 - 1].lowpass) = i2;
            if (i1 == zone) {
                QSlider *s = high ? ui.sliderDSPHighpass : ui.sliderDSPLowpass;
                setSlider(s, i2);
                (high ? ui.labelDSPHighpassVal : ui.labelDSPLowpassVal)->setText(c2);
                w.dspPlot->setFilter(biquad::passSlot, high ? biquad::highpassFilter(s->value())
                                                            : biquad::lowpassFilter(s->value()));
                w.dspPlot->combineAndPlot();
            }
        }
        break;
    case Message::ZoneEqBand:
        if (i1 >= 1 && i1 <= 16 && i2 >= 1 && i2 <= 10) {
            w.zoneDsp[i1 - 1].eq[i2 - 1] = i3;
            if (i1 == zone)
                showBandLiterally(w, c2, i3, c3);
        }
        break;
    case Message::ZonePresetSelect:
        if (i1 >= 1 && i1 <= 16 && i2 >= 1 && i2 <= 10) {
            w.zoneDsp[i1 - 1].preset = i2 - 1;
            if (i1 == zone)
                quietly(ui.listViewDSPPreset,
                        [&] { ui.listViewDSPPreset->setCurrentIndex(w.presetNamesModel.index(i2 - 1, 0)); });
        }
        break;
    case Message::PresetName:
        if (i1 >= 1 && i1 <= 10)
            renameQuietly(w.presetNamesModel, i1 - 1, c2);
        break;
    case Message::PresetEqBand:
        if (i1 >= 1 && i1 <= 10 && i2 >= 1 && i2 <= 10) {
            w.presetEq[i1 - 1][i2 - 1] = i3;
            if (i1 == ui.listViewDSPPreset->currentIndex().row() + 1)
                showBandLiterally(w, c2, i3, c3);
        }
        break;
    case Message::DhcpEnable:
        setCheck(ui.checkBoxNetworkDHCP, i1 == 1);
        ui.groupBoxNetworkStatic->setEnabled(i1 == 0);
        break;
    case Message::SddpEnable:
        setCheck(ui.checkBoxNetworkSDDP, i1 == 1);
        break;
    case Message::Gateway:
        quietly(ui.lineEditNetworkGateway, [&] { ui.lineEditNetworkGateway->setText(c1); });
        break;
    case Message::IpAddress:
        quietly(ui.lineEditNetworkIP, [&] { ui.lineEditNetworkIP->setText(c1); });
        break;
    case Message::NetworkMask:
        quietly(ui.lineEditNetworkMask, [&] { ui.lineEditNetworkMask->setText(c1); });
        break;
    case Message::FpBrightness:
        setSlider(ui.sliderFPBrightness, 3 - i1);
        ui.labelFPBrightnessPercent->setText(QString::number(100 - 25 * i1) + QLatin1Char('%'));
        break;
    case Message::FpSleep:
        setSlider(ui.sliderFPSleep, i1);
        ui.labelFPSleepTime->setText(c1 + QStringLiteral(" Minute(s)"));
        break;
    case Message::FpLock:
        setCheck(ui.checkBoxFPLock, i1 == 1);
        break;
    case Message::FpIrLock:
        setCheck(ui.checkBoxFPIR, i1 == 1);
        break;
    case Message::TriggerMode:
        quietly(ui.comboBoxTriggerMode, [&] { ui.comboBoxTriggerMode->setCurrentIndex(i1); });
        ui.groupBoxTriggerSettings->setEnabled(i1 != 0);
        break;
    case Message::TriggerLevel:
        setSlider(ui.sliderTriggerLevel, i1);
        ui.labelTriggerModeLevelVal->setText(c1 + QStringLiteral(" mVRMS"));
        break;
    case Message::TriggerTime:
        setSlider(ui.sliderTriggerTime, i1);
        ui.labelTriggerModeTimeVal->setText(c1 + QStringLiteral(" Minutes"));
        break;
    case Message::SerialResponses:
        setCheck(ui.checkBoxSerial, i1 == 1);
        break;
    case Message::GroupAddZone:
    case Message::GroupRemoveZone:
        if (i1 >= 1 && i1 <= 10 && i2 >= 1 && i2 <= 16) {
            const bool add = protocol::messageOfRow(row) == Message::GroupAddZone;
            const ushort bit = ushort(1u << (i2 - 1));
            w.groupZones[i1 - 1] =
                add ? ushort(w.groupZones[i1 - 1] | bit) : ushort(w.groupZones[i1 - 1] & ~bit);
            if (i1 == ui.listViewGroup->currentIndex().row() + 1)
                if (auto *b = find<QCheckBox>(w, "checkBoxGroupZone_", QString::number(i2)))
                    setCheck(b, add);
        }
        break;
    case Message::GroupName:
        renameQuietly(w.groupNamesModel, i1 - 1, c2);
        break;
    case Message::FavoriteZoneSource:
        if (i1 >= 1 && i1 <= 10 && i2 >= 1 && i2 <= 16 && i3 >= 1 && i3 <= 16) {
            w.favoriteSource[i1 - 1][i2 - 1] = i3 - 1;
            if (i1 == ui.listViewFavorites->currentIndex().row() + 1)
                if (auto *b = find<QCheckBox>(w, "checkBoxFavoriteBypass_", QString::number(i2))) {
                    setCheck(b, false);
                    if (auto *c = find<QComboBox>(w, "comboBoxFavoriteSource_", QString::number(i2))) {
                        quietly(c, [&] { c->setCurrentIndex(i3 - 1); });
                        c->setEnabled(true);
                    }
                }
        }
        break;
    case Message::FavoriteName:
        renameQuietly(w.favoriteNamesModel, i1 - 1, c2);
        break;
    case Message::FavoriteZoneBypass:
        if (i1 >= 1 && i1 <= 10 && i2 >= 1 && i2 <= 16) {
            w.favoriteSource[i1 - 1][i2 - 1] = FavoriteBypass;
            if (i1 == ui.listViewFavorites->currentIndex().row() + 1)
                if (auto *b = find<QCheckBox>(w, "checkBoxFavoriteBypass_", QString::number(i2))) {
                    setCheck(b, true);
                    if (auto *c = find<QComboBox>(w, "comboBoxFavoriteSource_", QString::number(i2)))
                        c->setEnabled(false);
                }
        }
        break;
    default:
        break;
    }
}

// ---- Benchmarks ----------------------------------------------------------

template <typename Parse> void runDumps(benchmark::State &state, Parse parse)
{
    const QList<QByteArray> dumps[2] = {unitDump(0), unitDump(1)};
    zor_config window;
    int variant = 0;
    for (auto _ : state) {
        for (const QByteArray &line : dumps[variant])
            parse(window, line);
        variant = 1 - variant;
        // The event loop runs between two reads from the link.
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * dumps[0].size());
    state.counters["lines_per_dump"] = dumps[0].size();
}

} // namespace

static void BM_ParseCommand(benchmark::State &state)
{
    runDumps(state, [](zor_config &w, const QByteArray &line) { w.parseCommand(line); });
}
BENCHMARK(BM_ParseCommand)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_LiteralReadingBaseline(benchmark::State &state)
{
    runDumps(state, literalParse);
}
BENCHMARK(BM_LiteralReadingBaseline)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

ZOR_QT_BENCHMARK_MAIN()
