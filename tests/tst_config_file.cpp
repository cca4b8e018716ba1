#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>

#include <csignal>
#include <sys/resource.h>

#include "app/zor_config.h"
#include "forms/zor_config_form.h"
#include "protocol/core/unit_settings.h"
#include "support/message_box_closer.h"

namespace {

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList numbered(const QString &pattern, int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << pattern.arg(i);
    return lines;
}

// The sections of a save, each with the lines a freshly started window writes.
QList<QStringList> freshSections()
{
    QStringList zoneSwitches, zoneLevels, presets, groups, favorites;
    for (int z = 1; z <= 16; ++z) {
        zoneSwitches << QStringLiteral("[VMO%1]").arg(z) << QStringLiteral("[VO%1F0]").arg(z)
                     << QStringLiteral("[PONO%1]").arg(z);
        zoneLevels << QStringLiteral("[BO%1R0]").arg(z) << QStringLiteral("[VPONO%1L-40]").arg(z);
    }
    for (int p = 1; p <= 10; ++p) {
        presets << QStringLiteral("[NEP%1\"Preset Name %1\"]").arg(p);
        for (int b = 1; b <= 10; ++b)
            presets << QStringLiteral("[EP%1B%2L0]").arg(p).arg(b);
    }
    for (int g = 1; g <= 10; ++g) {
        groups << QStringLiteral("[NG%1\"Group Name %1\"]").arg(g);
        for (int z = 1; z <= 16; ++z)
            groups << QStringLiteral("[G%1RO%2]").arg(g).arg(z);
    }
    for (int f = 1; f <= 10; ++f) {
        favorites << QStringLiteral("[NF%1\"Favorite Name %1\"]").arg(f);
        for (int z = 1; z <= 16; ++z)
            favorites << QStringLiteral("[F%1RO%2]").arg(f).arg(z);
    }
    return {numbered(QStringLiteral("[NI%1\"Source Name %1\"]"), 16),
            numbered(QStringLiteral("[NO%1\"Zone Name %1\"]"), 16),
            numbered(QStringLiteral("[VO%1R-40]"), 16),
            zoneSwitches,
            zoneLevels,
            numbered(QStringLiteral("[EO%1M0]"), 16),
            presets,
            {QStringLiteral("[DHCP1]"), QStringLiteral("[SDDP1]")},
            {QStringLiteral("[SD0]"), QStringLiteral("[SLEEP5]"), QStringLiteral("[IRL1]"),
             QStringLiteral("[FPL0]"), QStringLiteral("[SERIAL0]"), QStringLiteral("[TRIGMODE0]"),
             QStringLiteral("[TRIGTIME5]"), QStringLiteral("[TRIGLEVEL20]")},
            groups,
            favorites};
}

template <typename T> T *child(zor_config &window, const QString &name)
{
    T *widget = window.findChild<T *>(name);
    if (!widget)
        qWarning("missing widget %s", qPrintable(name));
    return widget;
}

template <typename T> void setSilently(T *widget, std::function<void(T *)> change)
{
    QSignalBlocker block(widget);
    change(widget);
}

// Puts every page of a window on values other than the defaults, without
// sending anything (as a unit's replies would), no zone Fixed.
void editEverything(zor_config &w)
{
    for (int n = 1; n <= 16; ++n) {
        const QString s = QString::number(n);
        setSilently<QLineEdit>(child<QLineEdit>(w, "lineEditSourceName_" + s),
                               [&](QLineEdit *e) { e->setText(QStringLiteral("Src é%1").arg(n)); });
        w.sourceNamesModel.setData(w.sourceNamesModel.index(n - 1, 0), QStringLiteral("Src é%1").arg(n));
        setSilently<QLineEdit>(child<QLineEdit>(w, "lineEditZoneName_" + s),
                               [&](QLineEdit *e) { e->setText(QStringLiteral("Room %1").arg(n)); });
        w.zoneNamesModel.setData(w.zoneNamesModel.index(n - 1, 0), QStringLiteral("Room %1").arg(n));
        child<QCheckBox>(w, "checkBoxGroupZone_" + s)->setText(QStringLiteral("Room %1").arg(n));
        setSilently<QSlider>(child<QSlider>(w, "sliderZoneVol_" + s),
                             [&](QSlider *x) { x->setValue(-n * 3); });
        const bool powered = n % 3 != 0;
        setSilently<QCheckBox>(child<QCheckBox>(w, "checkBoxZonePower_" + s),
                               [&](QCheckBox *x) { x->setChecked(powered); });
        setSilently<QCheckBox>(child<QCheckBox>(w, "checkBoxZoneMute_" + s),
                               [&](QCheckBox *x) { x->setChecked(n % 4 == 1); });
        // A zone that is off has its volume and mute locked, as a unit's reply shows it.
        child<QSlider>(w, "sliderZoneVol_" + s)->setEnabled(powered);
        child<QCheckBox>(w, "checkBoxZoneMute_" + s)->setEnabled(powered);
        setSilently<QSpinBox>(child<QSpinBox>(w, "spinBoxZoneBal_" + s),
                              [&](QSpinBox *x) { x->setValue(n * 5 - 40); });
        setSilently<QSpinBox>(child<QSpinBox>(w, "spinBoxZonePOnVol_" + s),
                              [&](QSpinBox *x) { x->setValue(-n); });
        // Only what the zone's mode uses is kept in a file.
        ZoneDspSettings &dsp = w.zoneDsp[n - 1];
        dsp.mode = n % 6;
        switch (dsp.mode) {
        case Eq:
            for (int b = 0; b < 10; ++b)
                dsp.eq[b] = (n + b) % 21 - 10;
            break;
        case Preset:
            dsp.preset = n % 10;
            break;
        case Tone:
            dsp.bass = n % 13 - 6;
            dsp.treble = 6 - n % 13;
            break;
        case Lowpass:
            dsp.lowpass = 40 + n * 10;
            break;
        case Highpass:
            dsp.highpass = 100 + n * 1000;
            break;
        default:
            break;
        }
    }
    for (int p = 0; p < 10; ++p) {
        for (int b = 0; b < 10; ++b)
            w.presetEq[p][b] = (p * 3 + b) % 21 - 10;
        QSignalBlocker block(&w.presetNamesModel);
        w.presetNamesModel.setData(w.presetNamesModel.index(p, 0), QStringLiteral("Preset %1 x").arg(p + 1));
    }
    for (int g = 0; g < 10; ++g) {
        w.groupZones[g] = quint16(0x1111u << (g % 4)) | quint16(1u << g);
        QSignalBlocker block(&w.groupNamesModel);
        w.groupNamesModel.setData(w.groupNamesModel.index(g, 0), QStringLiteral("Group %1 x").arg(g + 1));
    }
    for (int f = 0; f < 10; ++f) {
        for (int z = 0; z < 16; ++z)
            w.favoriteSource[f][z] = (f + z) % 3 == 0 ? FavoriteBypass : (f * 7 + z) % 16;
        QSignalBlocker block(&w.favoriteNamesModel);
        w.favoriteNamesModel.setData(w.favoriteNamesModel.index(f, 0), QStringLiteral("Fav %1 x").arg(f + 1));
    }
    // Refresh the pages that show one entry of the state.
    w.listViewDSPZoneChange(w.ui->listViewDSPZone->currentIndex());
    w.listViewGroupChange(w.ui->listViewGroup->currentIndex());
    w.listViewFavoriteChange(w.ui->listViewFavorites->currentIndex());

    setSilently<QCheckBox>(w.ui->checkBoxNetworkDHCP, [](QCheckBox *x) { x->setChecked(false); });
    w.ui->groupBoxNetworkStatic->setEnabled(true);
    setSilently<QCheckBox>(w.ui->checkBoxNetworkSDDP, [](QCheckBox *x) { x->setChecked(false); });
    setSilently<QLineEdit>(w.ui->lineEditNetworkIP, [](QLineEdit *x) { x->setText("10.1.2.3"); });
    setSilently<QLineEdit>(w.ui->lineEditNetworkMask, [](QLineEdit *x) { x->setText("255.255.0.0"); });
    setSilently<QLineEdit>(w.ui->lineEditNetworkGateway, [](QLineEdit *x) { x->setText("10.1.0.1"); });
    setSilently<QSlider>(w.ui->sliderFPBrightness, [](QSlider *x) { x->setValue(1); });
    setSilently<QSlider>(w.ui->sliderFPSleep, [](QSlider *x) { x->setValue(2); });
    setSilently<QCheckBox>(w.ui->checkBoxFPIR, [](QCheckBox *x) { x->setChecked(false); });
    setSilently<QCheckBox>(w.ui->checkBoxFPLock, [](QCheckBox *x) { x->setChecked(true); });
    setSilently<QCheckBox>(w.ui->checkBoxSerial, [](QCheckBox *x) { x->setChecked(true); });
    setSilently<QComboBox>(w.ui->comboBoxTriggerMode, [](QComboBox *x) { x->setCurrentIndex(2); });
    w.ui->groupBoxTriggerSettings->setEnabled(true);
    setSilently<QSlider>(w.ui->sliderTriggerTime, [](QSlider *x) { x->setValue(15); });
    setSilently<QSlider>(w.ui->sliderTriggerLevel, [](QSlider *x) { x->setValue(135); });
}

// Every editing widget's value, by object name, for comparing two windows.
QStringList widgetValues(zor_config &w)
{
    QStringList values;
    for (QSlider *x : w.findChildren<QSlider *>())
        values << x->objectName() + "=" + QString::number(x->value()) + (x->isEnabled() ? "" : " disabled");
    for (QSpinBox *x : w.findChildren<QSpinBox *>())
        values << x->objectName() + "=" + QString::number(x->value());
    for (QCheckBox *x : w.findChildren<QCheckBox *>())
        values << x->objectName() + "=" + (x->isChecked() ? "1" : "0") + (x->isEnabled() ? "" : " disabled") +
                      " " + x->text();
    for (QComboBox *x : w.findChildren<QComboBox *>())
        values << x->objectName() + "=" + QString::number(x->currentIndex()) + " " + x->currentText();
    for (QLineEdit *x : w.findChildren<QLineEdit *>())
        values << x->objectName() + "=" + x->text();
    for (QStringListModel *m : {&w.sourceNamesModel, &w.zoneNamesModel, &w.presetNamesModel,
                                &w.groupNamesModel, &w.favoriteNamesModel})
        values << m->stringList().join('|');
    for (int z = 0; z < 16; ++z) {
        const ZoneDspSettings &d = w.zoneDsp[z];
        QString line = QStringLiteral("dsp%1 %2 %3 %4 %5 %6 %7")
                           .arg(z)
                           .arg(d.mode)
                           .arg(d.bass)
                           .arg(d.treble)
                           .arg(d.preset)
                           .arg(d.lowpass)
                           .arg(d.highpass);
        for (int b : d.eq)
            line += " " + QString::number(b);
        values << line;
    }
    for (int g = 0; g < 10; ++g)
        values << QStringLiteral("group%1 %2").arg(g).arg(w.groupZones[g]);
    for (int f = 0; f < 10; ++f)
        for (int z = 0; z < 16; ++z)
            values << QStringLiteral("fav%1.%2 %3").arg(f).arg(z).arg(w.favoriteSource[f][z]);
    for (int p = 0; p < 10; ++p)
        for (int b = 0; b < 10; ++b)
            values << QStringLiteral("preset%1.%2 %3").arg(p).arg(b).arg(w.presetEq[p][b]);
    return values;
}

} // namespace

class tst_config_file : public QObject
{
    Q_OBJECT

private slots:
    void freshWindowSave();
    void saveKeepsEachZonesMute_data();
    void saveKeepsEachZonesMute();
    void networkLinesFollowDhcp_data();
    void networkLinesFollowDhcp();
    void dspLinesFollowMode_data();
    void dspLinesFollowMode();
    void savingWhileConnectedSendsNothing();
    void loadSendsNothingAndEchoesLines();
    void crlfLoadsLikeLf();
    void roundTripIsExact();
    void unrecognisedFilesChangeNothing_data();
    void unrecognisedFilesChangeNothing();
    void partlyRecognisedFileReportsCount();
    void lineLengthLimit_data();
    void lineLengthLimit();
    void saveIntoUnwritableLocationFails();
    void failedWriteKeepsPreviousFile();
    void cancelledDialogsChangeNothing();
    void clearedNamesAreNotSaved_data();
    void clearedNamesAreNotSaved();
    void demoInstallationLoadsWhole();

private:
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }
};

void tst_config_file::freshWindowSave()
{
    zor_config window;
    QVERIFY(window.saveConfiguration(path("fresh.ZOR")));
    QCOMPARE(window.ui->statusBar->currentMessage(), QStringLiteral("File saved successfully."));

    const QByteArray bytes = readBytes(path("fresh.ZOR"));
    QVERIFY(bytes.endsWith("]\n"));
    QVERIFY(!bytes.contains("\n\n"));
    QVERIFY(!bytes.contains('\r'));
    const QStringList lines = readLines(path("fresh.ZOR"));
    QCOMPARE(lines.size(), 604);

    int at = 0;
    const QList<QStringList> sections = freshSections();
    for (int s = 0; s < sections.size(); ++s) {
        QStringList actual = lines.mid(at, sections[s].size());
        QStringList expected = sections[s];
        actual.sort();
        expected.sort();
        QVERIFY2(actual == expected, qPrintable(QStringLiteral("section %1 differs").arg(s + 1)));
        at += sections[s].size();
    }
    // Presets and groups run entry by entry: a name line, then its own lines.
    QCOMPARE(lines.at(16 * 8 + 16), QStringLiteral("[NEP1\"Preset Name 1\"]"));
    QCOMPARE(lines.at(16 * 8 + 16 + 11), QStringLiteral("[NEP2\"Preset Name 2\"]"));
    // The save leaves the window's lists where they were.
    QCOMPARE(window.ui->listViewDSPZone->currentIndex().row(), 0);
    QCOMPARE(window.ui->listViewGroup->currentIndex().row(), 0);
    QCOMPARE(window.ui->listViewFavorites->currentIndex().row(), 0);
}

void tst_config_file::saveKeepsEachZonesMute_data()
{
    QTest::addColumn<QList<int>>("unmuted");
    QTest::addColumn<QList<int>>("loudened");
    QList<int> allButFive;
    for (int z = 1; z <= 16; ++z)
        if (z != 5)
            allButFive << z;
    // Each zone's mute box as the user left it; "loudened" zones had their
    // volume moved by the user after that, which unmutes them.
    QTest::newRow("zone 3 unmuted") << QList<int>{3} << QList<int>{};
    QTest::newRow("only zone 5 muted") << allButFive << QList<int>{};
    QTest::newRow("zone 8 volume moved") << QList<int>{3} << QList<int>{8};
}

// A save writes each zone's mute line from its box, in the zone-switch
// section, and leaves the boxes as they were; a load brings them back.
void tst_config_file::saveKeepsEachZonesMute()
{
    QFETCH(QList<int>, unmuted);
    QFETCH(QList<int>, loudened);
    zor_config window;
    for (int zone : unmuted)
        child<QCheckBox>(window, QStringLiteral("checkBoxZoneMute_%1").arg(zone))->setChecked(false);
    for (int zone : loudened) {
        auto *slider = child<QSlider>(window, QStringLiteral("sliderZoneVol_%1").arg(zone));
        slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    QStringList expected;
    QList<bool> boxes;
    for (int zone = 1; zone <= 16; ++zone) {
        const bool muted = !unmuted.contains(zone) && !loudened.contains(zone);
        expected << (muted ? QStringLiteral("[VMO%1]") : QStringLiteral("[VUMO%1]")).arg(zone);
        boxes << child<QCheckBox>(window, QStringLiteral("checkBoxZoneMute_%1").arg(zone))->isChecked();
    }
    QList<bool> expectedBoxes;
    for (const QString &line : expected)
        expectedBoxes << line.startsWith(QLatin1String("[VMO"));
    QCOMPARE(boxes, expectedBoxes);

    QVERIFY(window.saveConfiguration(path("mute.ZOR")));
    const QStringList lines = readLines(path("mute.ZOR"));
    QCOMPARE(lines.size(), 604);
    static const QRegularExpression muteLine(QStringLiteral("^\\[V(U)?MO[0-9]+\\]$"));
    QStringList written;
    for (int i = 0; i < lines.size(); ++i) {
        if (!muteLine.match(lines[i]).hasMatch())
            continue;
        written << lines[i];
        QVERIFY2(i >= 48 && i < 96, qPrintable(lines[i] + " outside the zone switches"));
    }
    written.sort();
    expected.sort();
    QCOMPARE(written, expected);

    QList<bool> afterSave, loaded;
    zor_config fresh;
    QVERIFY(fresh.loadConfiguration(path("mute.ZOR")));
    for (int zone = 1; zone <= 16; ++zone) {
        const QString name = QStringLiteral("checkBoxZoneMute_%1").arg(zone);
        afterSave << child<QCheckBox>(window, name)->isChecked();
        loaded << child<QCheckBox>(fresh, name)->isChecked();
    }
    QCOMPARE(afterSave, expectedBoxes);
    QCOMPARE(loaded, expectedBoxes);
}

void tst_config_file::networkLinesFollowDhcp_data()
{
    QTest::addColumn<bool>("dhcp");
    QTest::addColumn<QStringList>("networkLines");
    QTest::newRow("dhcp on") << true << QStringList{"[DHCP1]", "[SDDP1]"};
    QTest::newRow("dhcp off") << false
                              << QStringList{"[DHCP0]", "[SDDP1]", "[IP192.168.0.13]", "[NM255.255.255.0]",
                                             "[GW192.168.0.3]"};
}

void tst_config_file::networkLinesFollowDhcp()
{
    QFETCH(bool, dhcp);
    QFETCH(QStringList, networkLines);
    zor_config window;
    window.ui->checkBoxNetworkDHCP->setChecked(dhcp);
    QVERIFY(window.saveConfiguration(path("net.ZOR")));
    const QStringList lines = readLines(path("net.ZOR"));
    QCOMPARE(lines.size(), 602 + networkLines.size());
    const int start = lines.indexOf(networkLines.first());
    QVERIFY(start > 0);
    QCOMPARE(lines.mid(start, networkLines.size()), networkLines);
    QCOMPARE(lines.at(start + networkLines.size()), QStringLiteral("[SD0]"));
}

void tst_config_file::dspLinesFollowMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("zoneLines");
    QStringList eqLines{"[EO4M1]"};
    for (int b = 1; b <= 10; ++b)
        eqLines << QStringLiteral("[EO4B%1L%2]").arg(b).arg(b - 5);
    QTest::newRow("disabled") << int(Disabled) << QStringList{"[EO4M0]"};
    QTest::newRow("eq") << int(Eq) << eqLines;
    QTest::newRow("preset") << int(Preset) << QStringList{"[EO4M2]", "[EO4P7]"};
    QTest::newRow("tone") << int(Tone) << QStringList{"[EO4M3]", "[TO4B-3T5]", "[TO4B-3T5]"};
    QTest::newRow("lowpass") << int(Lowpass) << QStringList{"[EO4M4]", "[EO4LP180]"};
    QTest::newRow("highpass") << int(Highpass) << QStringList{"[EO4M5]", "[EO4HP12000]"};
}

void tst_config_file::dspLinesFollowMode()
{
    QFETCH(int, mode);
    QFETCH(QStringList, zoneLines);
    zor_config window;
    ZoneDspSettings &zone = window.zoneDsp[3];
    zone.mode = mode;
    zone.bass = -3;
    zone.treble = 5;
    for (int b = 0; b < 10; ++b)
        zone.eq[b] = b - 4;
    zone.preset = 6;
    zone.lowpass = 180;
    zone.highpass = 12000;
    QVERIFY(window.saveConfiguration(path("dsp.ZOR")));
    const QStringList lines = readLines(path("dsp.ZOR"));
    const int start = lines.indexOf(zoneLines.first());
    QVERIFY(start > 0);
    QCOMPARE(lines.mid(start, zoneLines.size()), zoneLines);
    QCOMPARE(lines.at(start + zoneLines.size()), QStringLiteral("[EO5M0]"));
    QCOMPARE(lines.size(), 603 + zoneLines.size());
}

void tst_config_file::savingWhileConnectedSendsNothing()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    zor_config window;
    window.telnetOpen(QStringLiteral("127.0.0.1:%1").arg(server.serverPort()));
    QTRY_VERIFY(server.hasPendingConnections());
    QTcpSocket *peer = server.nextPendingConnection();
    QTRY_VERIFY(window.tcpSocket->state() == QAbstractSocket::ConnectedState);

    QSignalSpy sent(&window, &zor_config::sendSentData);
    QVERIFY(window.saveConfiguration(path("connected.ZOR")));
    QCOMPARE(sent.count(), 604); // the console still lists every command
    window.sendCommand("[QOL]"); // the link is used again once the file is closed
    QTRY_VERIFY(peer->bytesAvailable() > 0);
    QCOMPARE(peer->readAll(), QByteArray("[QOL]"));
}

void tst_config_file::loadSendsNothingAndEchoesLines()
{
    zor_config source;
    QVERIFY(source.saveConfiguration(path("echo.ZOR")));
    zor_config window;
    QSignalSpy sent(&window, &zor_config::sendSentData);
    QSignalSpy received(&window, &zor_config::sendReceivedData);
    QVERIFY(window.loadConfiguration(path("echo.ZOR")));
    QCOMPARE(sent.count(), 0);
    QCOMPARE(received.count(), 604);
    QCOMPARE(received.first().first().toString(), QStringLiteral("[NI1\"Source Name 1\"]"));
    QCOMPARE(window.ui->statusBar->currentMessage(), QStringLiteral("File loaded successfully."));
}

void tst_config_file::crlfLoadsLikeLf()
{
    zor_config source;
    editEverything(source);
    QVERIFY(source.saveConfiguration(path("lf.ZOR")));
    QByteArray crlf = readBytes(path("lf.ZOR"));
    crlf.replace("\n", "\r\n");
    writeBytes(path("crlf.ZOR"), crlf);

    zor_config fromLf, fromCrlf;
    QVERIFY(fromLf.loadConfiguration(path("lf.ZOR")));
    QVERIFY(fromCrlf.loadConfiguration(path("crlf.ZOR")));
    QCOMPARE(widgetValues(fromCrlf), widgetValues(fromLf));
    QCOMPARE(fromCrlf.ui->statusBar->currentMessage(), QStringLiteral("File loaded successfully."));
}

void tst_config_file::roundTripIsExact()
{
    zor_config original;
    editEverything(original);
    QVERIFY(original.saveConfiguration(path("A.ZOR")));

    zor_config loaded;
    QVERIFY(loaded.loadConfiguration(path("A.ZOR")));
    QCOMPARE(widgetValues(loaded), widgetValues(original));
    QVERIFY(loaded.saveConfiguration(path("B.ZOR")));
    QCOMPARE(readBytes(path("B.ZOR")), readBytes(path("A.ZOR")));
    // A powered zone keeps its saved volume (not the power-on volume).
    QCOMPARE(loaded.findChild<QSlider *>("sliderZoneVol_1")->value(), -3);
    QCOMPARE(loaded.findChild<QSlider *>("sliderZoneVol_3")->value(), -9);
}

void tst_config_file::unrecognisedFilesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("unrelated text") << QByteArray("Dear installer,\nthis is not a configuration.\n");
    static const char binary[] = "\x7f"
                                 "ELF\x02\x01\x01\x00\x00\x00\xff\xfe\x00[";
    QTest::newRow("binary") << QByteArray(binary, sizeof binary - 1);
    QTest::newRow("commands without replies") << QByteArray("[QX]\n[EC]\n[VXR0]\n");
    QTest::newRow("setting inside an overlong line")
        << QByteArray("[VO3R-25]") + QByteArray(4096, ' ') + "x\n";
    QTest::newRow("no line end at all") << QByteArray(100000, 'x') + "[VO3R-25]";
}

void tst_config_file::unrecognisedFilesChangeNothing()
{
    QFETCH(QByteArray, content);
    writeBytes(path("junk.ZOR"), content);
    zor_config window;
    MessageBoxCloser boxes;
    const QStringList before = widgetValues(window);
    QSignalSpy received(&window, &zor_config::sendReceivedData);
    QVERIFY(!window.loadConfiguration(path("junk.ZOR")));
    QCOMPARE(boxes.seen, QStringList{"Error|No settings found in " + path("junk.ZOR") + "."});
    QCOMPARE(widgetValues(window), before);
    QCOMPARE(received.count(), 0);
    QVERIFY(window.ui->statusBar->currentMessage().isEmpty());
}

void tst_config_file::partlyRecognisedFileReportsCount()
{
    writeBytes(path("partial.ZOR"), "[VO3R-25]\nhello\n\n[QX]\n[SD2]\n");
    zor_config window;
    QVERIFY(window.loadConfiguration(path("partial.ZOR")));
    QCOMPARE(window.ui->statusBar->currentMessage(), QStringLiteral("File loaded: 2 of 4 lines recognised."));
    QCOMPARE(window.findChild<QSlider *>("sliderZoneVol_3")->value(), -25);
}

// A line of up to 4096 bytes (line end not counted) can hold a setting; a
// longer one is passed over, echoed cut short, and what follows it in the
// file is read from the next line on. A line the settings model refuses is
// passed over too.
void tst_config_file::lineLengthLimit_data()
{
    const auto padded = [](const QByteArray &command, int length) {
        return command + QByteArray(length - command.size(), ' ');
    };
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("volumeLoaded");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("echoed");
    QTest::newRow("4096 bytes") << padded("[VO3R-25]", 4096) + "\n[SD2]\n"
                                << true << "File loaded successfully." << 2;
    QTest::newRow("4096 bytes, CR LF") << padded("[VO3R-25]", 4096) + "\r\n[SD2]\r\n"
                                       << true << "File loaded successfully." << 2;
    QTest::newRow("4096 bytes, last line without line end")
        << "[SD2]\n" + padded("[VO3R-25]", 4096) << true << "File loaded successfully." << 2;
    QTest::newRow("4097 bytes") << padded("[VO3R-25]", 4097) + "\n[SD2]\n"
                                << false << "File loaded: 1 of 2 lines recognised." << 2;
    QTest::newRow("4097 bytes, last line without line end")
        << "[SD2]\n" + padded("[VO3R-25]", 4097) << false << "File loaded: 1 of 2 lines recognised." << 2;
    QTest::newRow("setting at the end of an overlong line")
        << QByteArray(10000, 'x') + "[VO3R-25]\n[SD2]\n"
        << false << "File loaded: 1 of 2 lines recognised." << 2;
    QTest::newRow("setting after an overlong line") << QByteArray(10000, 'x') + "\n[VO3R-25]\n[SD2]\n"
                                                    << true << "File loaded: 2 of 3 lines recognised." << 3;
    // The lines the model refuses are left out, as zorctl lint lists them.
    QTest::newRow("a value out of range") << QByteArray("[VO3R-90]\n[SD2]\n")
                                          << false << "File loaded: 1 of 2 lines recognised." << 2;
    QTest::newRow("refused characters in names")
        << QByteArray("[VO3R-25]\r\n[NI2\"Tab\there\"]\r\n[NO2\"Lo\rnge\"]\r\n[SD2]\r\n")
        << true << "File loaded: 2 of 4 lines recognised." << 4;
}

void tst_config_file::lineLengthLimit()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, volumeLoaded);
    QFETCH(QString, status);
    QFETCH(int, echoed);
    writeBytes(path("long.ZOR"), content);
    zor_config window;
    MessageBoxCloser boxes;
    QSlider *volume = window.findChild<QSlider *>("sliderZoneVol_3");
    const int before = volume->value();
    QVERIFY(before != -25);
    QSignalSpy received(&window, &zor_config::sendReceivedData);
    QVERIFY(window.loadConfiguration(path("long.ZOR")));
    QCOMPARE(boxes.seen, QStringList{});
    QCOMPARE(window.ui->statusBar->currentMessage(), status);
    QCOMPARE(volume->value(), volumeLoaded ? -25 : before);
    QCOMPARE(window.findChild<QSlider *>("sliderFPBrightness")->value(), 1); // [SD2]
    QCOMPARE(received.count(), echoed);
    for (const QList<QVariant> &line : received)
        QVERIFY(line.first().toString().size() <= 4096);
}

void tst_config_file::saveIntoUnwritableLocationFails()
{
    const QString target = QStringLiteral("/proc/zor-no-such-dir/settings.ZOR");
    zor_config window;
    MessageBoxCloser boxes;
    QVERIFY(!window.saveConfiguration(target));
    QCOMPARE(boxes.seen, QStringList{"Error|Failed to open file " + target + "."});
    QVERIFY(window.ui->statusBar->currentMessage().isEmpty());
    QVERIFY(!window.configFile.isOpen());
    // Commands reach the console (and the link) again after the failure.
    QSignalSpy sent(&window, &zor_config::sendSentData);
    window.sendCommand("[QOL]");
    QCOMPARE(sent.count(), 1);
}

void tst_config_file::failedWriteKeepsPreviousFile()
{
    const QByteArray previous = "[VO1R-10]\n";
    writeBytes(path("keep.ZOR"), previous);
    zor_config window;
    MessageBoxCloser boxes;

    // Let the file grow to 2 KB only: the save fails part way through.
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = 2048;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = window.saveConfiguration(path("keep.ZOR"));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!saved);
    QCOMPARE(boxes.seen, QStringList{"Error|Failed to write file " + path("keep.ZOR") + "."});
    QCOMPARE(readBytes(path("keep.ZOR")), previous);
    QVERIFY(window.ui->statusBar->currentMessage() != QStringLiteral("File saved successfully."));
    QVERIFY(!window.configFile.isOpen());
}

void tst_config_file::cancelledDialogsChangeNothing()
{
    zor_config window;
    const QStringList before = widgetValues(window);
    QSignalSpy sent(&window, &zor_config::sendSentData);
    QSignalSpy received(&window, &zor_config::sendReceivedData);
    QStringList captions;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<QFileDialog *>(w); dialog && dialog->isVisible()) {
                captions << dialog->windowTitle() + "|" + dialog->nameFilters().join(';');
                dialog->reject();
            }
    });
    closer.start(20);
    window.saveFile();
    window.loadFile();
    QCOMPARE(captions, QStringList({"Select Configuration File|Config Files (*.ZOR)",
                                    "Select Configuration File|Config Files (*.ZOR)"}));
    QCOMPARE(sent.count(), 0);
    QCOMPARE(received.count(), 0);
    QCOMPARE(widgetValues(window), before);
    QVERIFY(window.ui->statusBar->currentMessage().isEmpty());
}

QTEST_MAIN(tst_config_file)
// The demo installation that `make run` gives the simulated unit: every line
// loads, and the window then holds every setting the file names (a save
// carries no zone sources; those are compared apart).
void tst_config_file::demoInstallationLoadsWhole()
{
    const QString demoPath = QStringLiteral(ZOR_SOURCE_DIR "/demo/restaurant.ZOR");
    QFile demoFile(demoPath);
    QVERIFY(demoFile.open(QIODevice::ReadOnly));
    UnitSettings demo;
    for (const QByteArray &line : demoFile.readAll().split('\n'))
        QVERIFY2(line.isEmpty() || demo.apply(line), line.constData());

    MessageBoxCloser boxes;
    zor_config window;
    QVERIFY(window.loadConfiguration(demoPath));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("File loaded successfully."));
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("saved.ZOR"));
    QVERIFY(window.saveConfiguration(saved));
    QFile savedFile(saved);
    QVERIFY(savedFile.open(QIODevice::ReadOnly));
    UnitSettings shown;
    for (const QByteArray &line : savedFile.readAll().split('\n'))
        QVERIFY(line.isEmpty() || shown.apply(line));
    for (int zone = 0; zone < protocol::ZoneCount; ++zone) {
        QCOMPARE(window.findChild<QComboBox *>(QStringLiteral("comboBoxZoneSource_%1").arg(zone + 1))
                         ->currentIndex() +
                     1,
                 demo.zones[zone].source);
    }
    // The save and the demo hold the same settings, at the same values.
    const auto differing = [](const UnitSettings &a, const UnitSettings &b) {
        QStringList lines;
        for (const UnitSettings::Difference &d : a.differences(b))
            lines << d.setting + QStringLiteral(": ") + d.current + QStringLiteral(" | ") + d.wanted;
        return lines;
    };
    QCOMPARE(differing(shown, demo), QStringList());
    QCOMPARE(differing(demo, shown), QStringList());
}

#include "tst_config_file.moc"

void tst_config_file::clearedNamesAreNotSaved_data()
{
    QTest::addColumn<QString>("widget"); // the name field, or the list holding the name
    QTest::addColumn<int>("row");        // 0-based row of the name
    QTest::addColumn<QString>("line");   // the name's line in the file
    QTest::newRow("source") << "lineEditSourceName_3" << 2 << "[NI3\"Source Name 3\"]";
    QTest::newRow("zone") << "lineEditZoneName_16" << 15 << "[NO16\"Zone Name 16\"]";
    QTest::newRow("preset") << "listViewDSPPreset" << 0 << "[NEP1\"Preset Name 1\"]";
    QTest::newRow("group") << "listViewGroup" << 4 << "[NG5\"Group Name 5\"]";
    QTest::newRow("favorite") << "listViewFavorites" << 9 << "[NF10\"Favorite Name 10\"]";
}

// A name the user clears is not taken: the save still holds the name the
// window had, never a line with an empty name (which a load would not read
// back), and loading the file gives that name back.
void tst_config_file::clearedNamesAreNotSaved()
{
    QFETCH(QString, widget);
    QFETCH(int, row);
    QFETCH(QString, line);

    zor_config window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget *target = window.findChild<QWidget *>(widget);
    QVERIFY(target);
    for (int i = 0; i < window.ui->tabWidget->count(); ++i) {
        if (window.ui->tabWidget->widget(i)->isAncestorOf(target))
            window.ui->tabWidget->setCurrentIndex(i);
    }
    if (auto *field = qobject_cast<QLineEdit *>(target)) {
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Backspace);
        QVERIFY(field->text().isEmpty());
        QTest::keyClick(field, Qt::Key_Return);
    } else {
        auto *view = qobject_cast<QListView *>(target);
        QVERIFY(view);
        if (view == window.ui->listViewDSPPreset)
            window.ui->comboBoxDSPMode->setCurrentIndex(Preset);
        const QModelIndex index = view->model()->index(row, 0);
        view->setCurrentIndex(index);
        view->edit(index);
        auto *editor = qobject_cast<QLineEdit *>(view->indexWidget(index));
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Backspace);
        QVERIFY(editor->text().isEmpty());
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!view->indexWidget(index));
    }

    QVERIFY(window.saveConfiguration(path("cleared.ZOR")));
    const QStringList lines = readLines(path("cleared.ZOR"));
    QVERIFY(lines.contains(line));
    for (const QString &saved : lines)
        QVERIFY2(!saved.contains(QLatin1String("\"\"")), qPrintable(saved));

    zor_config loaded;
    QVERIFY(loaded.loadConfiguration(path("cleared.ZOR")));
    // Switching pages reorders the page widgets among their siblings. The
    // group page labels its boxes with the zone names a file brings, where a
    // fresh window shows "Zone N".
    QStringList expected = widgetValues(window), actual = widgetValues(loaded);
    for (QStringList *values : {&expected, &actual})
        values->replaceInStrings(QRegularExpression("^(checkBoxGroupZone_\\d+=\\S+).*"), "\\1");
    expected.sort();
    actual.sort();
    QCOMPARE(actual, expected);
}
