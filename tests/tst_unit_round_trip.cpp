// Send All and Receive All against the simulated unit over loopback.
#include <QtTest>

#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>

#include <csignal>

#include "app/zor_config.h"
#include "forms/zor_config_form.h"
#include "sim/unit_state.h"
#include "support/simulated_unit.h"

namespace {

void setSilently(QWidget *widget, const std::function<void()> &change)
{
    QSignalBlocker block(widget);
    change();
}

// Settings other than the defaults on every page, no zone Fixed.
void editWindow(zor_config &w)
{
    for (int n = 1; n <= 16; ++n) {
        const QString s = QString::number(n);
        auto *name = w.findChild<QLineEdit *>("lineEditZoneName_" + s);
        setSilently(name, [&] { name->setText(QStringLiteral("Zone é%1").arg(n)); });
        auto *volume = w.findChild<QSlider *>("sliderZoneVol_" + s);
        setSilently(volume, [&] { volume->setValue(-2 * n); });
        auto *balance = w.findChild<QSpinBox *>("spinBoxZoneBal_" + s);
        setSilently(balance, [&] { balance->setValue(8 - n); });
        auto *onVolume = w.findChild<QSpinBox *>("spinBoxZonePOnVol_" + s);
        setSilently(onVolume, [&] { onVolume->setValue(-30 - n); });
        ZoneDspSettings &dsp = w.zoneDsp[n - 1];
        dsp.mode = n % 6;
        dsp.bass = dsp.mode == Tone ? 4 : 0;
        dsp.treble = dsp.mode == Tone ? -3 : 0;
        for (int b = 0; b < 10; ++b)
            dsp.eq[b] = dsp.mode == Eq ? b - 5 : 0;
        dsp.preset = dsp.mode == Preset ? 8 : 0;
        dsp.lowpass = dsp.mode == Lowpass ? 200 : 100;
        dsp.highpass = dsp.mode == Highpass ? 15000 : 100;
    }
    for (int p = 0; p < 10; ++p)
        for (int b = 0; b < 10; ++b)
            w.presetEq[p][b] = (p + b) % 21 - 10;
    for (int g = 0; g < 10; ++g)
        w.groupZones[g] = quint16(0x0101u << g % 8);
    for (int f = 0; f < 10; ++f)
        for (int z = 0; z < 16; ++z)
            w.favoriteSource[f][z] = (f + z) % 4 == 0 ? FavoriteBypass : (f + z) % 16;
    w.listViewGroupChange(w.ui->listViewGroup->currentIndex());
    w.listViewFavoriteChange(w.ui->listViewFavorites->currentIndex());
    w.listViewDSPZoneChange(w.ui->listViewDSPZone->currentIndex());
    w.ui->checkBoxNetworkDHCP->blockSignals(true);
    w.ui->checkBoxNetworkDHCP->setChecked(false);
    w.ui->checkBoxNetworkDHCP->blockSignals(false);
    w.ui->groupBoxNetworkStatic->setEnabled(true);
    setSilently(w.ui->lineEditNetworkIP, [&] { w.ui->lineEditNetworkIP->setText("10.0.0.7"); });
    setSilently(w.ui->sliderFPBrightness, [&] { w.ui->sliderFPBrightness->setValue(1); });
    setSilently(w.ui->sliderTriggerLevel, [&] { w.ui->sliderTriggerLevel->setValue(85); });
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_unit_round_trip : public QObject
{
    Q_OBJECT

private slots:
    void sendAllLeavesTheUnitWithTheWindowsSettings();
    void receiveAllFillsTheWindowFromTheUnit();
};

void tst_unit_round_trip::sendAllLeavesTheUnitWithTheWindowsSettings()
{
    QTemporaryDir dir;
    zor_config window;
    editWindow(window);
    QVERIFY(window.saveConfiguration(dir.filePath("window.ZOR")));
    const int commands = fileBytes(dir.filePath("window.ZOR")).count('\n');

    SimulatedUnit unit;
    QVERIFY(unit.start({"--dump-state-on-exit", dir.filePath("unit.ZOR")}));
    window.telnetOpen(unit.address());
    QTRY_VERIFY(window.tcpSocket->state() == QAbstractSocket::ConnectedState);
    QSignalSpy received(&window, &zor_config::sendReceivedData);
    QSignalSpy sent(&window, &zor_config::sendSentData);
    window.sendAll();
    QTRY_COMPARE_WITH_TIMEOUT(window.currentRun(), zor_config::Run::None, 60000);
    // Then the unit is read back: it holds every setting sent.
    QCOMPARE(window.statusBar()->currentMessage(),
             QStringLiteral("Verified: the unit holds every setting sent."));
    QCOMPARE(sent.count(), commands + 1);
    QCOMPARE(sent.last().at(0).toString(), QStringLiteral("[QX]"));
    // The unit echoes every command; the echoes change nothing and send nothing.
    QCOMPARE(received.count(), commands + UnitState().dump().size());
    unit.stop();

    // What the unit holds equals what the window's settings give a unit.
    UnitState expected;
    QString error;
    QVERIFY2(expected.loadFile(dir.filePath("window.ZOR"), &error), qPrintable(error));
    UnitState actual;
    QVERIFY2(actual.loadFile(dir.filePath("unit.ZOR"), &error), qPrintable(error));
    QVERIFY2(actual == expected, qPrintable(actual.differences(expected).join('\n')));
}

void tst_unit_round_trip::receiveAllFillsTheWindowFromTheUnit()
{
    QTemporaryDir dir;
    {
        zor_config source;
        editWindow(source);
        QVERIFY(source.saveConfiguration(dir.filePath("unit-settings.ZOR")));
    }
    SimulatedUnit unit;
    QVERIFY(unit.start({dir.filePath("unit-settings.ZOR")}));

    zor_config window;
    window.telnetOpen(unit.address());
    QTRY_VERIFY(window.tcpSocket->state() == QAbstractSocket::ConnectedState);
    QSignalSpy sent(&window, &zor_config::sendSentData);
    window.ui->actionReceiveAll->trigger();
    QCOMPARE(sent.count(), 1);

    // The window is complete once a save of it equals the unit's file.
    const QByteArray expected = fileBytes(dir.filePath("unit-settings.ZOR"));
    const QString check = dir.filePath("window.ZOR");
    QTRY_VERIFY_WITH_TIMEOUT(window.saveConfiguration(check) && fileBytes(check) == expected, 15000);
}

QTEST_MAIN(tst_unit_round_trip)
#include "tst_unit_round_trip.moc"
