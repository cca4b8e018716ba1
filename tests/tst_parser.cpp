// Reply lines applied to the main window: which widgets and which parts of
// the settings state each line changes, and that nothing else changes.
//
// Every case compares a full picture of the window (every named widget's
// value, text, check state, own enabled state and current row, the settings
// state, the name models and the plot's filter slots) before and after the
// line, so a reply that touches one widget too many fails as surely as one
// that misses its widget. Every case also proves that parsing sends nothing
// and that no editing widget or watched name model emits its change signal.
#include <QtTest>
#include <QtWidgets>

#include <memory>

#include "app/zor_config.h"
#include "forms/zor_config_form.h"
#include "plot/dsp.h"
#include "support/window_picture.h"

namespace {

// Expected changes: "plot[i]=type,hertz,gain" stands for the coefficients of
// that filter design.
QString expectedChanges(const QStringList &expected)
{
    QStringList lines;
    for (const QString &line : expected) {
        if (!line.startsWith(QLatin1String("plot["))) {
            lines << line;
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        const QStringList design = line.mid(eq + 1).split(QLatin1Char(','));
        double c[6] = {0, 0, 0, 0, 0, 0};
        biquad::design(dsp_setting_struct{static_cast<quint8>(design[0].toInt()),
                                          static_cast<quint16>(design[1].toInt()),
                                          static_cast<qint8>(design[2].toInt())},
                       c);
        lines << line.left(eq + 1) + coefficientsText(c);
    }
    lines.sort();
    return lines.join(QLatin1Char('\n'));
}

// The y coordinates of the drawn curve's segments.
QString curveOf(const dsp &plot)
{
    QStringList points;
    for (QGraphicsItem *item : plot.segmentItems) {
        if (auto *line = qgraphicsitem_cast<QGraphicsLineItem *>(item))
            points << QString::number(line->line().y1(), 'g', 9) + ',' +
                          QString::number(line->line().y2(), 'g', 9);
        else
            points << QStringLiteral("-");
    }
    return points.join(QLatin1Char(' '));
}

// Records every change signal of an editing widget or a watched name model:
// each would reach an editor slot and send a command.
class EditSignalWatcher : public QObject
{
public:
    explicit EditSignalWatcher(zor_config &w)
    {
        for (QAbstractSlider *slider : w.findChildren<QAbstractSlider *>())
            watch(slider, &QAbstractSlider::valueChanged);
        for (QSpinBox *spin : w.findChildren<QSpinBox *>())
            watch(spin, qOverload<int>(&QSpinBox::valueChanged));
        for (QAbstractButton *button : w.findChildren<QAbstractButton *>())
            watch(button, &QAbstractButton::toggled);
        for (QComboBox *combo : w.findChildren<QComboBox *>())
            watch(combo, qOverload<int>(&QComboBox::currentIndexChanged));
        for (QLineEdit *edit : w.findChildren<QLineEdit *>())
            watch(edit, &QLineEdit::textChanged);
        for (QStringListModel *model : {&w.presetNamesModel, &w.groupNamesModel, &w.favoriteNamesModel})
            watch(model, &QAbstractItemModel::dataChanged);
    }
    QStringList emitted;

private:
    // Named widgets only: the parts that Qt builds inside a widget (the
    // line edit of a spin box, the scroll bars of a view) are not editors.
    template <typename Sender, typename Signal> void watch(Sender *sender, Signal signal)
    {
        const QString name = sender->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            return;
        connect(sender, signal, this, [this, name] { emitted << name; });
    }
};

} // namespace

class tst_parser : public QObject
{
    Q_OBJECT

    std::unique_ptr<zor_config> window;
    std::unique_ptr<QSignalSpy> sent;
    std::unique_ptr<EditSignalWatcher> watcher;

    // Lines parsed before a case's picture is taken. "@select <list view> <row>"
    // makes a row of a list view current instead.
    void prepare(const QStringList &setup)
    {
        for (const QString &step : setup) {
            if (step.startsWith(QLatin1String("@select "))) {
                const QStringList words = step.split(QLatin1Char(' '));
                auto *view = window->findChild<QAbstractItemView *>(words.value(1));
                QVERIFY2(view, qPrintable(step));
                view->setCurrentIndex(view->model()->index(words.value(2).toInt(), 0));
            } else {
                window->parseCommand(step.toUtf8());
            }
        }
    }

private slots:
    void init()
    {
        window = std::make_unique<zor_config>();
        window->dspPlot->combineAndPlot(); // a curve to compare with after each line
        sent = std::make_unique<QSignalSpy>(window.get(), &zor_config::sendSentData);
        watcher = std::make_unique<EditSignalWatcher>(*window);
    }

    void cleanup()
    {
        // Parsing never sends and never lets an editor see a change.
        QVERIFY2(sent->isEmpty(), qPrintable(QStringLiteral("sent: %1").arg(sent->count())));
        QVERIFY2(watcher->emitted.isEmpty(), qPrintable(watcher->emitted.join(QLatin1Char(' '))));
        watcher.reset();
        sent.reset();
        window.reset();
    }

    void applies_data()
    {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("expected");
        const QStringList none;

        // Zone volume: the slider takes the number, the label the digits as received.
        QTest::newRow("VO12R-05") << none << QByteArray("VO12R-05")
                                  << QStringList{"sliderZoneVol_12.value=-5", "labelZoneVol_12.text=-05"};
        QTest::newRow("VO12R-40") << QStringList{"VO12R-10"} << QByteArray("VO12R-40")
                                  << QStringList{"sliderZoneVol_12.value=-40", "labelZoneVol_12.text=-40"};
        QTest::newRow("VO12R-40 inside other text")
            << none << QByteArray("xxVO12R-33yy")
            << QStringList{"sliderZoneVol_12.value=-33", "labelZoneVol_12.text=-33"};
        QTest::newRow("bracketed command line")
            << none << QByteArray("[VO3R-25]\n")
            << QStringList{"sliderZoneVol_3.value=-25", "labelZoneVol_3.text=-25"};
        QTest::newRow("VO16R0") << none << QByteArray("VO16R0")
                                << QStringList{"sliderZoneVol_16.value=0", "labelZoneVol_16.text=0"};
        QTest::newRow("volume below the slider")
            << none << QByteArray("VO1R-90")
            << QStringList{"sliderZoneVol_1.value=-80", "labelZoneVol_1.text=-90"};
        QTest::newRow("VO03R-20 names no widget") << none << QByteArray("VO03R-20") << none;
        QTest::newRow("VO17R-20 names no widget") << none << QByteArray("VO17R-20") << none;

        // Zone source.
        QTest::newRow("CO3I5") << none << QByteArray("CO3I5")
                               << QStringList{"comboBoxZoneSource_3.currentIndex=4",
                                              "labelSourceZone_3.text=Source 5"};
        QTest::newRow("CO3I17 selects nothing")
            << none << QByteArray("CO3I17")
            << QStringList{"comboBoxZoneSource_3.currentIndex=-1", "labelSourceZone_3.text=Source 17"};
        QTest::newRow("CO03I5 names no widget") << none << QByteArray("CO03I5") << none;

        // Mute.
        QTest::newRow("VUMO4") << none << QByteArray("VUMO4")
                               << QStringList{"checkBoxZoneMute_4.checked=false"};
        QTest::newRow("VMO4") << QStringList{"VUMO4"} << QByteArray("VMO4")
                              << QStringList{"checkBoxZoneMute_4.checked=true"};
        QTest::newRow("VUMO04 names no widget") << none << QByteArray("VUMO04") << none;

        // Names.
        QTest::newRow("source name") << none << QByteArray("NI2\"Tuner\"")
                                     << QStringList{"lineEditSourceName_2.text=Tuner",
                                                    "sourceNamesModel[1]=Tuner"};
        QTest::newRow("source name 02 names no widget") << none << QByteArray("NI02\"Tuner\"") << none;
        QTest::newRow("zone name: edit, zone list and group box")
            << none << QByteArray("NO3\"Kitchen\"")
            << QStringList{"lineEditZoneName_3.text=Kitchen", "zoneNamesModel[2]=Kitchen",
                           "checkBoxGroupZone_3.text=Kitchen"};
        QTest::newRow("zone name in UTF-8")
            << none
            << QByteArray("[NO16\"K\xc3\xbc"
                          "che\"]")
            << QStringList{QString::fromUtf8("lineEditZoneName_16.text=K\xc3\xbc"
                                             "che"),
                           QString::fromUtf8("zoneNamesModel[15]=K\xc3\xbc"
                                             "che"),
                           QString::fromUtf8("checkBoxGroupZone_16.text=K\xc3\xbc"
                                             "che")};
        QTest::newRow("zone name of 16 characters")
            << none << QByteArray("NO1\"abcdefghijklmnop\"")
            << QStringList{"lineEditZoneName_1.text=abcdefghijklmnop", "zoneNamesModel[0]=abcdefghijklmnop",
                           "checkBoxGroupZone_1.text=abcdefghijklmnop"};
        QTest::newRow("empty zone name not recognised") << none << QByteArray("[NO3\"\"]") << none;
        QTest::newRow("zone name of 17 characters not recognised")
            << none << QByteArray("NO1\"abcdefghijklmnopq\"") << none;

        // Fixed volume.
        QTest::newRow("VO5F1 locks the zone at 0 dB")
            << none << QByteArray("VO5F1") << QStringList{"checkBoxZoneFix_5.checked=true",
                                                          "sliderZoneVol_5.value=0",
                                                          "labelZoneVol_5.text=0",
                                                          "sliderZoneVol_5.disabled=true",
                                                          "checkBoxZoneMute_5.checked=false",
                                                          "checkBoxZoneMute_5.disabled=true",
                                                          "checkBoxZonePower_5.disabled=true"};
        QTest::newRow("VO5F1 powers a zone that was off") << QStringList{"POFFO5"} << QByteArray("VO5F1")
                                                          << QStringList{"checkBoxZoneFix_5.checked=true",
                                                                         "sliderZoneVol_5.value=0",
                                                                         "labelZoneVol_5.text=0",
                                                                         "checkBoxZoneMute_5.checked=false",
                                                                         "checkBoxZonePower_5.checked=true",
                                                                         "checkBoxZonePower_5.disabled=true"};
        QTest::newRow("VO5F0 unlocks, keeping the values")
            << QStringList{"VO5F1"} << QByteArray("VO5F0")
            << QStringList{"checkBoxZoneFix_5.checked=false", "sliderZoneVol_5.disabled=false",
                           "checkBoxZoneMute_5.disabled=false", "checkBoxZonePower_5.disabled=false"};
        QTest::newRow("VO05F1 names no widget") << none << QByteArray("VO05F1") << none;

        // Power.
        QTest::newRow("POFFO5") << none << QByteArray("POFFO5")
                                << QStringList{"checkBoxZonePower_5.checked=false",
                                               "sliderZoneVol_5.disabled=true",
                                               "checkBoxZoneMute_5.disabled=true"};
        QTest::newRow("PONO5 takes the power-on volume")
            << QStringList{"VPONO5L-30", "POFFO5"} << QByteArray("PONO5")
            << QStringList{"checkBoxZonePower_5.checked=true", "sliderZoneVol_5.value=-30",
                           "labelZoneVol_5.text=-30", "sliderZoneVol_5.disabled=false",
                           "checkBoxZoneMute_5.disabled=false"};
        QTest::newRow("PONO5 on a zone already on")
            << QStringList{"VPONO5L-30"} << QByteArray("PONO5")
            << QStringList{"sliderZoneVol_5.value=-30", "labelZoneVol_5.text=-30"};
        QTest::newRow("PONO5 on a fixed zone keeps it locked at 0 dB")
            << QStringList{"VO5F1", "VPONO5L-30", "POFFO5"} << QByteArray("PONO5")
            << QStringList{"checkBoxZonePower_5.checked=true"};
        QTest::newRow("PONO5 on a fixed zone already on")
            << QStringList{"VO5F1", "VPONO5L-30"} << QByteArray("PONO5") << none;
        QTest::newRow("PONO05 names no widget") << QStringList{"POFFO5"} << QByteArray("PONO05") << none;
        QTest::newRow("VPONO2L0 leaves the level bars")
            << QStringList{"O2L40", "VPONO2L-20"} << QByteArray("VPONO2L0")
            << QStringList{"spinBoxZonePOnVol_2.value=0"};
        QTest::newRow("VPONO2L-90 limited by the spin box")
            << none << QByteArray("VPONO2L-90") << QStringList{"spinBoxZonePOnVol_2.value=-80"};

        // Balance.
        QTest::newRow("BO4L12 leaves the level bars")
            << QStringList{"O4L40"} << QByteArray("BO4L12") << QStringList{"spinBoxZoneBal_4.value=-12"};
        QTest::newRow("BO3L5 leaves the level bars")
            << QStringList{"O3L40"} << QByteArray("BO3L5") << QStringList{"spinBoxZoneBal_3.value=-5"};
        QTest::newRow("BO4R0") << QStringList{"BO4R7"} << QByteArray("BO4R0")
                               << QStringList{"spinBoxZoneBal_4.value=0"};
        QTest::newRow("BO4R12") << none << QByteArray("BO4R12") << QStringList{"spinBoxZoneBal_4.value=12"};
        QTest::newRow("BO04R12 names no widget") << none << QByteArray("BO04R12") << none;

        // Output levels.
        QTest::newRow("O7L55") << none << QByteArray("O7L55")
                               << QStringList{"progressBarLeftZone_7.value=55"};
        QTest::newRow("O7R100") << none << QByteArray("O7R100")
                                << QStringList{"progressBarRightZone_7.value=100"};
        QTest::newRow("O7L150 ignored") << QStringList{"O7L20"} << QByteArray("O7L150") << none;
        QTest::newRow("O07L55 names no widget") << none << QByteArray("O07L55") << none;

        // Two replies in one line: the one whose pattern comes first in the table.
        QTest::newRow("VO1R-20 then VO2R-30")
            << none << QByteArray("VO1R-20 VO2R-30")
            << QStringList{"sliderZoneVol_1.value=-20", "labelZoneVol_1.text=-20"};
        QTest::newRow("O1L5 then VO2R-30")
            << none << QByteArray("O1L5 VO2R-30")
            << QStringList{"sliderZoneVol_2.value=-30", "labelZoneVol_2.text=-30"};
        QTest::newRow("level then balance")
            << none << QByteArray("[O1L5][BO2L3]") << QStringList{"spinBoxZoneBal_2.value=-3"};
        QTest::newRow("an out-of-range reply stops the search")
            << none << QByteArray("G11AO1 NG2\"Upstairs\"") << none;
        QTest::newRow("a zero byte ends the line")
            << none << QByteArray("VO1R-20\0VO2R-30", 15)
            << QStringList{"sliderZoneVol_1.value=-20", "labelZoneVol_1.text=-20"};
        QTest::newRow("nothing after a leading zero byte") << none << QByteArray("\0VO1R-20", 8) << none;

        // DSP, zone 1 on show.
        QTest::newRow("EO03M2 stores the mode of zone 3")
            << none << QByteArray("EO03M2") << QStringList{"zoneDsp[2].mode=2"};
        QTest::newRow("EO17M2 ignored") << none << QByteArray("EO17M2") << none;
        QTest::newRow("EO0M2 ignored") << none << QByteArray("EO0M2") << none;
        QTest::newRow("EO2B3L-4 stored for a zone not on show")
            << none << QByteArray("EO2B3L-4") << QStringList{"zoneDsp[1].eq[2]=-4"};
        QTest::newRow("EO1B3L-4 shown") << none << QByteArray("EO1B3L-4")
                                        << QStringList{"zoneDsp[0].eq[2]=-4", "sliderDSPEQ_3.value=-4",
                                                       "labelDSPEQVal_3.text=-4", "plot[2]=5,125,-4"};
        QTest::newRow("EO1B10L7 shown") << none << QByteArray("EO1B10L7")
                                        << QStringList{"zoneDsp[0].eq[9]=7", "sliderDSPEQ_10.value=7",
                                                       "labelDSPEQVal_10.text=7", "plot[9]=5,16000,7"};
        QTest::newRow("EO1B03L-4 stores, names no slider")
            << none << QByteArray("EO1B03L-4") << QStringList{"zoneDsp[0].eq[2]=-4"};
        QTest::newRow("EO1B3L-15 plots what the slider shows")
            << none << QByteArray("EO1B3L-15")
            << QStringList{"zoneDsp[0].eq[2]=-15", "sliderDSPEQ_3.value=-10", "labelDSPEQVal_3.text=-15",
                           "plot[2]=5,125,-10"};
        QTest::newRow("EO1B11L2 ignored") << none << QByteArray("EO1B11L2") << none;
        QTest::newRow("EO1B0L2 ignored") << none << QByteArray("EO1B0L2") << none;
        QTest::newRow("EO17B1L2 ignored") << none << QByteArray("EO17B1L2") << none;
        QTest::newRow("TO2B5T-3 stored")
            << none << QByteArray("TO2B5T-3") << QStringList{"zoneDsp[1].bass=5", "zoneDsp[1].treble=-3"};
        QTest::newRow("TO1B5T-03 shown")
            << none << QByteArray("TO1B5T-03")
            << QStringList{"zoneDsp[0].bass=5",        "zoneDsp[0].treble=-3",   "sliderDSPBass.value=5",
                           "sliderDSPTreble.value=-3", "labelDSPBassVal.text=5", "labelDSPTrebleVal.text=-03",
                           "plot[0]=2,3000,-3",        "plot[1]=4,200,5"};
        QTest::newRow("TO0B5T3 ignored") << none << QByteArray("TO0B5T3") << none;
        QTest::newRow("EO2HP500 stored")
            << none << QByteArray("EO2HP500") << QStringList{"zoneDsp[1].highpass=500"};
        QTest::newRow("EO1HP20000 shown")
            << none << QByteArray("EO1HP20000")
            << QStringList{"zoneDsp[0].highpass=20000", "sliderDSPHighpass.value=20000",
                           "labelDSPHighpassVal.text=20000", "plot[0]=1,20000,0"};
        QTest::newRow("EO1HP99999 plots what the slider shows")
            << none << QByteArray("EO1HP99999")
            << QStringList{"zoneDsp[0].highpass=99999", "sliderDSPHighpass.value=20000",
                           "labelDSPHighpassVal.text=99999", "plot[0]=1,20000,0"};
        QTest::newRow("EO2LP80 stored")
            << none << QByteArray("EO2LP80") << QStringList{"zoneDsp[1].lowpass=80"};
        QTest::newRow("EO1LP80 shown") << none << QByteArray("EO1LP80")
                                       << QStringList{"zoneDsp[0].lowpass=80", "sliderDSPLowpass.value=80",
                                                      "labelDSPLowpassVal.text=80", "plot[0]=3,80,0"};
        QTest::newRow("EO1LP0 plots what the slider shows")
            << none << QByteArray("EO1LP0")
            << QStringList{"zoneDsp[0].lowpass=0", "sliderDSPLowpass.value=40", "labelDSPLowpassVal.text=0",
                           "plot[0]=3,40,0"};
        QTest::newRow("EO2P3 stored") << none << QByteArray("EO2P3") << QStringList{"zoneDsp[1].preset=2"};
        QTest::newRow("EO1P3 selects the preset row")
            << none << QByteArray("EO1P3")
            << QStringList{"zoneDsp[0].preset=2", "listViewDSPPreset.current=2"};
        QTest::newRow("EO1P11 ignored") << none << QByteArray("EO1P11") << none;
        QTest::newRow("EO1P0 ignored") << none << QByteArray("EO1P0") << none;
        QTest::newRow("preset name") << none << QByteArray("NEP3\"Rock\"")
                                     << QStringList{"presetNamesModel[2]=Rock"};
        QTest::newRow("preset name 11 ignored") << none << QByteArray("NEP11\"Rock\"") << none;
        QTest::newRow("preset name 0 ignored") << none << QByteArray("NEP0\"Rock\"") << none;
        QTest::newRow("EP3B2L5 stored for a preset not on show")
            << none << QByteArray("EP3B2L5") << QStringList{"presetEq[2][1]=5"};
        QTest::newRow("EP3B2L5 shown for the current preset")
            << QStringList{"@select listViewDSPPreset 2"} << QByteArray("EP3B2L5")
            << QStringList{"presetEq[2][1]=5", "sliderDSPEQ_2.value=5", "labelDSPEQVal_2.text=5",
                           "plot[1]=5,64,5"};
        QTest::newRow("EP3B02L5 stores, names no slider")
            << QStringList{"@select listViewDSPPreset 2"} << QByteArray("EP3B02L5")
            << QStringList{"presetEq[2][1]=5"};
        QTest::newRow("EP11B2L5 ignored") << none << QByteArray("EP11B2L5") << none;
        QTest::newRow("EP3B11L5 ignored") << none << QByteArray("EP3B11L5") << none;

        // A mode reply for the zone on show reloads the DSP page from the state.
        QStringList flatBands;
        const int hertz[10] = {32, 64, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};
        for (int b = 0; b < 10; ++b)
            flatBands << QStringLiteral("plot[%1]=5,%2,0").arg(b).arg(hertz[b]);
        QStringList eqPage =
            QStringList{"zoneDsp[0].mode=1", "comboBoxDSPMode.currentIndex=1", "frameDSPEQ.disabled=false"} +
            flatBands;
        eqPage.removeAll(QStringLiteral("plot[2]=5,125,0"));
        QTest::newRow("EO1M1 shows the zone's bands")
            << QStringList{"EO1B3L-4"} << QByteArray("EO1M1") << eqPage;
        QTest::newRow("EO1M3 shows the tone frame")
            << QStringList{"TO1B5T-3"} << QByteArray("EO1M3")
            << QStringList{"zoneDsp[0].mode=3", "comboBoxDSPMode.currentIndex=3",
                           "frameDSPTone.disabled=false"};
        QStringList presetPage = QStringList{"zoneDsp[0].mode=2",         "comboBoxDSPMode.currentIndex=2",
                                             "frameDSPEQ.disabled=false", "listViewDSPPreset.disabled=false",
                                             "sliderDSPEQ_2.value=5",     "labelDSPEQVal_2.text=5"} +
                                 flatBands;
        presetPage.replaceInStrings(QStringLiteral("plot[1]=5,64,0"), QStringLiteral("plot[1]=5,64,5"));
        QTest::newRow("EO1M2 shows the zone's preset")
            << QStringList{"EP3B2L5", "EO1P3"} << QByteArray("EO1M2") << presetPage;
        QStringList zoneTwo =
            QStringList{"listViewDSPZone.current=1", "comboBoxDSPMode.currentIndex=1",
                        "frameDSPEQ.disabled=false", "sliderDSPEQ_3.value=-4", "labelDSPEQVal_3.text=-4"} +
            flatBands;
        zoneTwo.replaceInStrings(QStringLiteral("plot[2]=5,125,0"), QStringLiteral("plot[2]=5,125,-4"));
        QTest::newRow("EO2B3L-4, then zone 2 chosen")
            << QStringList{"EO2B3L-4", "EO2M1"} << QByteArray("@select listViewDSPZone 1") << zoneTwo;

        // Network, front panel, serial and trigger.
        QTest::newRow("DHCP0 enables the static group")
            << none << QByteArray("DHCP0")
            << QStringList{"checkBoxNetworkDHCP.checked=false", "groupBoxNetworkStatic.disabled=false"};
        QTest::newRow("DHCP1 disables the static group")
            << QStringList{"DHCP0"} << QByteArray("DHCP1")
            << QStringList{"checkBoxNetworkDHCP.checked=true", "groupBoxNetworkStatic.disabled=true"};
        QTest::newRow("SDDP0") << none << QByteArray("SDDP0")
                               << QStringList{"checkBoxNetworkSDDP.checked=false"};
        QTest::newRow("IP address") << none << QByteArray("IP10.1.22.123")
                                    << QStringList{"lineEditNetworkIP.text=10.1.22.123"};
        QTest::newRow("network mask")
            << none << QByteArray("NM255.255.0.0") << QStringList{"lineEditNetworkMask.text=255.255.0.0"};
        QTest::newRow("gateway") << none << QByteArray("GW10.1.22.1")
                                 << QStringList{"lineEditNetworkGateway.text=10.1.22.1"};
        QTest::newRow("SD0") << QStringList{"SD2"} << QByteArray("SD0")
                             << QStringList{"sliderFPBrightness.value=3",
                                            "labelFPBrightnessPercent.text=100%"};
        QTest::newRow("SD3") << none << QByteArray("SD3")
                             << QStringList{"sliderFPBrightness.value=0",
                                            "labelFPBrightnessPercent.text=25%"};
        QTest::newRow("SLEEP5") << QStringList{"SLEEP1"} << QByteArray("SLEEP5")
                                << QStringList{"sliderFPSleep.value=3", "labelFPSleepTime.text=5 Minute(s)"};
        QTest::newRow("SLEEP0") << none << QByteArray("SLEEP0")
                                << QStringList{"sliderFPSleep.value=0", "labelFPSleepTime.text=0 Minute(s)"};
        QTest::newRow("FPL1") << none << QByteArray("FPL1") << QStringList{"checkBoxFPLock.checked=true"};
        QTest::newRow("IRL0") << none << QByteArray("IRL0") << QStringList{"checkBoxFPIR.checked=false"};
        QTest::newRow("SERIAL1") << none << QByteArray("SERIAL1")
                                 << QStringList{"checkBoxSerial.checked=true"};
        QTest::newRow("TRIGMODE2 enables the trigger settings")
            << none << QByteArray("TRIGMODE2")
            << QStringList{"comboBoxTriggerMode.currentIndex=2", "groupBoxTriggerSettings.disabled=false"};
        QTest::newRow("TRIGMODE0 disables them")
            << QStringList{"TRIGMODE1"} << QByteArray("TRIGMODE0")
            << QStringList{"comboBoxTriggerMode.currentIndex=0", "groupBoxTriggerSettings.disabled=true"};
        QTest::newRow("TRIGLEVEL150")
            << none << QByteArray("TRIGLEVEL150")
            << QStringList{"sliderTriggerLevel.value=150", "labelTriggerModeLevelVal.text=150 mVRMS"};
        QTest::newRow("TRIGLEVEL999 limited by the slider")
            << none << QByteArray("TRIGLEVEL999")
            << QStringList{"sliderTriggerLevel.value=200", "labelTriggerModeLevelVal.text=999 mVRMS"};
        QTest::newRow("TRIGTIME10") << none << QByteArray("TRIGTIME10")
                                    << QStringList{"sliderTriggerTime.value=10",
                                                   "labelTriggerModeTimeVal.text=10 Minutes"};

        // Groups, group 1 on show.
        QTest::newRow("G1AO3 shown") << none << QByteArray("G1AO3")
                                     << QStringList{"groupZones[0]=4", "checkBoxGroupZone_3.checked=true"};
        QTest::newRow("G03AO05 stored for group 3")
            << none << QByteArray("G03AO05") << QStringList{"groupZones[2]=16"};
        QTest::newRow("G01AO05 shown by number")
            << none << QByteArray("G01AO05")
            << QStringList{"groupZones[0]=16", "checkBoxGroupZone_5.checked=true"};
        QTest::newRow("G10AO16") << none << QByteArray("G10AO16") << QStringList{"groupZones[9]=32768"};
        QTest::newRow("G1RO3") << QStringList{"G1AO3", "G1AO4"} << QByteArray("G1RO3")
                               << QStringList{"groupZones[0]=8", "checkBoxGroupZone_3.checked=false"};
        QTest::newRow("G0AO1 ignored") << none << QByteArray("G0AO1") << none;
        QTest::newRow("G11AO1 ignored") << none << QByteArray("G11AO1") << none;
        QTest::newRow("G1AO17 ignored") << none << QByteArray("G1AO17") << none;
        QTest::newRow("G1RO0 ignored") << QStringList{"G1AO1"} << QByteArray("G1RO0") << none;
        QTest::newRow("group name") << none << QByteArray("NG2\"Upstairs\"")
                                    << QStringList{"groupNamesModel[1]=Upstairs"};
        QTest::newRow("group name 11 ignored") << none << QByteArray("NG11\"Upstairs\"") << none;
        QTest::newRow("group name 0 ignored") << none << QByteArray("NG0\"Upstairs\"") << none;

        // Favorites, favorite 1 on show.
        QTest::newRow("F1AO2I5 shown")
            << none << QByteArray("F1AO2I5")
            << QStringList{"favoriteSource[0][1]=4", "checkBoxFavoriteBypass_2.checked=false",
                           "comboBoxFavoriteSource_2.currentIndex=4",
                           "comboBoxFavoriteSource_2.disabled=false"};
        QTest::newRow("F01AO02I05 shown by number")
            << none << QByteArray("F01AO02I05")
            << QStringList{"favoriteSource[0][1]=4", "checkBoxFavoriteBypass_2.checked=false",
                           "comboBoxFavoriteSource_2.currentIndex=4",
                           "comboBoxFavoriteSource_2.disabled=false"};
        QTest::newRow("F2AO2I5 stored")
            << none << QByteArray("F2AO2I5") << QStringList{"favoriteSource[1][1]=4"};
        QTest::newRow("F1RO2") << QStringList{"F1AO2I5"} << QByteArray("F1RO2")
                               << QStringList{"favoriteSource[0][1]=32",
                                              "checkBoxFavoriteBypass_2.checked=true",
                                              "comboBoxFavoriteSource_2.disabled=true"};
        QTest::newRow("F2RO2 stored")
            << QStringList{"F2AO2I5"} << QByteArray("F2RO2") << QStringList{"favoriteSource[1][1]=32"};
        QTest::newRow("F1AO17I2 ignored") << none << QByteArray("F1AO17I2") << none;
        QTest::newRow("F1AO2I0 ignored") << none << QByteArray("F1AO2I0") << none;
        QTest::newRow("F1AO2I17 ignored") << none << QByteArray("F1AO2I17") << none;
        QTest::newRow("F11AO2I1 ignored") << none << QByteArray("F11AO2I1") << none;
        QTest::newRow("F1RO17 ignored") << none << QByteArray("F1RO17") << none;
        QTest::newRow("F0RO1 ignored") << QStringList{"F1AO1I1"} << QByteArray("F0RO1") << none;
        QTest::newRow("favorite name")
            << none << QByteArray("NF10\"Movie\"") << QStringList{"favoriteNamesModel[9]=Movie"};
        QTest::newRow("favorite name 11 ignored") << none << QByteArray("NF11\"Movie\"") << none;

        // Lines that hold no reply.
        QTest::newRow("empty line") << none << QByteArray() << none;
        QTest::newRow("query all") << none << QByteArray("[QX]") << none;
        QTest::newRow("volume without a value") << none << QByteArray("VO1R") << none;
    }

    void applies()
    {
        QFETCH(QStringList, setup);
        QFETCH(QByteArray, line);
        QFETCH(QStringList, expected);
        prepare(setup);
        const Picture before = pictureOf(*window);
        if (line.startsWith('@'))
            prepare({QString::fromUtf8(line)});
        else
            window->parseCommand(line);
        QCOMPARE(changes(before, pictureOf(*window)), expectedChanges(expected));
        // The drawn curve is that of the filter slots: nothing was left undrawn.
        const QString drawn = curveOf(*window->dspPlot);
        window->dspPlot->combineAndPlot();
        QCOMPARE(drawn, curveOf(*window->dspPlot));
    }

    // Widgets are found by name at the moment the reply comes, also when the
    // widget tree has changed since an earlier reply found them: a deleted
    // or renamed widget is no longer found, a widget added under a family
    // name is.
    void targetsFollowTheWidgetTree_data()
    {
        QTest::addColumn<QByteArray>("earlier");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("expected");
        const QStringList none;

        QTest::newRow("deleted slider")
            << QByteArray("VO3R-10") << "delete sliderZoneVol_3" << QByteArray("VO3R-20") << none;
        QTest::newRow("renamed slider") << QByteArray("VO3R-10") << "rename sliderZoneVol_3 sliderZoneVolX"
                                        << QByteArray("VO3R-20") << none;
        QTest::newRow("slider renamed to 03, old name")
            << QByteArray("VO3R-10") << "rename sliderZoneVol_3 sliderZoneVol_03" << QByteArray("VO3R-20")
            << none;
        QTest::newRow("slider renamed to 03, new name")
            << QByteArray("VO3R-10") << "rename sliderZoneVol_3 sliderZoneVol_03" << QByteArray("VO03R-20")
            << QStringList{"sliderZoneVol_03.value=-20"};
        QTest::newRow("slider added as 17")
            << QByteArray("VO17R-10") << "add sliderZoneVol_17" << QByteArray("VO17R-20")
            << QStringList{"sliderZoneVol_17.value=-20"};
        QTest::newRow("deleted group box") << QByteArray("G1AO3") << "delete checkBoxGroupZone_3"
                                           << QByteArray("G1RO3") << QStringList{"groupZones[0]=0"};
        QTest::newRow("deleted favorite combo")
            << QByteArray("F1AO2I3") << "delete comboBoxFavoriteSource_2" << QByteArray("F1RO2")
            << QStringList{"favoriteSource[0][1]=32", "checkBoxFavoriteBypass_2.checked=true"};
        QTest::newRow("deleted band slider") << QByteArray("EO1B3L1") << "delete sliderDSPEQ_3"
                                             << QByteArray("EO1B3L-4") << QStringList{"zoneDsp[0].eq[2]=-4"};
        QTest::newRow("deleted band label: slider only, no plot")
            << QByteArray("EO1B3L1") << "delete labelDSPEQVal_3" << QByteArray("EO1B3L-4")
            << QStringList{"zoneDsp[0].eq[2]=-4", "sliderDSPEQ_3.value=-4"};
        QTest::newRow("deleted power-on volume: power box only")
            << QByteArray("POFFO5") << "delete spinBoxZonePOnVol_5" << QByteArray("PONO5")
            << QStringList{"checkBoxZonePower_5.checked=true"};
    }

    void targetsFollowTheWidgetTree()
    {
        QFETCH(QByteArray, earlier);
        QFETCH(QString, change);
        QFETCH(QByteArray, line);
        QFETCH(QStringList, expected);
        window->parseCommand(earlier);

        const QStringList words = change.split(QLatin1Char(' '));
        if (words[0] == QLatin1String("add")) {
            auto *slider = new QSlider(window->ui->tabZone);
            slider->setRange(-80, 0);
            slider->setObjectName(words[1]);
        } else {
            auto *widget = window->findChild<QWidget *>(words[1]);
            QVERIFY(widget);
            if (words[0] == QLatin1String("delete"))
                delete widget;
            else
                widget->setObjectName(words[2]);
        }

        const Picture before = pictureOf(*window);
        window->parseCommand(line);
        QCOMPARE(changes(before, pictureOf(*window)), expectedChanges(expected));
    }

    // A configuration file holds a zone's volume on a line before its power
    // line: loading keeps that volume instead of the power-on volume, and
    // still unlocks the zone (unless it is fixed).
    void loadingKeepsTheFilesVolume_data()
    {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("zone already on")
            << QStringList{"VPONO5L-30"} << QByteArray("[VO5R-25]\n[VUMO5]\n[VO5F0]\n[PONO5]\n[BO5R0]\n")
            << QStringList{"sliderZoneVol_5.value=-25", "labelZoneVol_5.text=-25",
                           "checkBoxZoneMute_5.checked=false"};
        QTest::newRow("zone that was off")
            << QStringList{"POFFO5"} << QByteArray("[VO5R-25]\n[PONO5]\n[VPONO5L-30]\n")
            << QStringList{"sliderZoneVol_5.value=-25",         "labelZoneVol_5.text=-25",
                           "checkBoxZonePower_5.checked=true",  "sliderZoneVol_5.disabled=false",
                           "checkBoxZoneMute_5.disabled=false", "spinBoxZonePOnVol_5.value=-30"};
        QTest::newRow("fixed zone stays locked")
            << QStringList{"POFFO5"} << QByteArray("[VO5R-25]\n[VO5F1]\n[PONO5]\n")
            << QStringList{"sliderZoneVol_5.value=0",           "labelZoneVol_5.text=0",
                           "checkBoxZoneFix_5.checked=true",    "checkBoxZonePower_5.checked=true",
                           "checkBoxZonePower_5.disabled=true", "checkBoxZoneMute_5.checked=false"};
    }

    void loadingKeepsTheFilesVolume()
    {
        QFETCH(QStringList, setup);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, expected);
        prepare(setup);
        QTemporaryDir dir;
        QFile zor(dir.filePath(QStringLiteral("settings.ZOR")));
        QVERIFY(zor.open(QIODevice::WriteOnly) && zor.write(file) == file.size());
        zor.close();

        const Picture before = pictureOf(*window);
        QVERIFY(window->loadConfiguration(zor.fileName()));
        QCOMPARE(changes(before, pictureOf(*window)), expectedChanges(expected));

        // The same lines from the link: the power-on volume wins.
        for (const QByteArray &line : file.split('\n'))
            window->parseCommand(line);
        QCOMPARE(window->ui->sliderZoneVol_5->value(),
                 window->ui->checkBoxZoneFix_5->isChecked() ? 0 : window->ui->spinBoxZonePOnVol_5->value());
    }
};

QTEST_MAIN(tst_parser)
#include "tst_parser.moc"
