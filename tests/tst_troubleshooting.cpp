// The Troubleshooting page's buttons: one query, one command to all zones,
// and Reset Sources' sixteen zone source commands paced 50 ms apart.
#include <QtTest>

#include <memory>

#include "support/editor_test_helpers.h"
#include "support/window_test.h"

using namespace editortest;

namespace {

QString num(const char *prefix, int n)
{
    return QLatin1String(prefix) + QString::number(n);
}

// What the buttons must leave alone: every zone's volume, mute, power and
// source, and the page's level bars and source labels.
QStringList zoneWidgetState(zor_config &window)
{
    QStringList state;
    for (int n = 1; n <= 16; ++n) {
        state << QString::number(named<QSlider>(window, num("sliderZoneVol_", n))->value())
              << QString::number(named<QCheckBox>(window, num("checkBoxZoneMute_", n))->isChecked())
              << QString::number(named<QCheckBox>(window, num("checkBoxZonePower_", n))->isChecked())
              << QString::number(named<QComboBox>(window, num("comboBoxZoneSource_", n))->currentIndex())
              << QString::number(named<QProgressBar>(window, num("progressBarLeftZone_", n))->value())
              << QString::number(named<QProgressBar>(window, num("progressBarRightZone_", n))->value())
              << named<QLabel>(window, num("labelSourceZone_", n))->text();
    }
    return state;
}

} // namespace

class tst_troubleshooting : public editortest::WindowTest
{
    Q_OBJECT

private slots:

    void singleCommandButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Poll Volume Levels") << "pushButtonPollOutputLevels"
                                            << "[QOL]";
        QTest::newRow("Max All Zones") << "pushButtonMaxAllVolumes"
                                       << "[VXR0]";
    }

    void singleCommandButtons()
    {
        QFETCH(QString, button);
        QFETCH(QString, expected);
        const QStringList before = zoneWidgetState(*window);
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        click(*window, named<QPushButton>(*window, button));
        QCOMPARE(sentCommands(spy), QStringList{expected});
        QCOMPARE(zoneWidgetState(*window), before);
    }

    void resetSourcesIsPaced()
    {
        QElapsedTimer clock;
        QList<qint64> stamps;
        QStringList commands;
        connect(window.get(), &zor_config::sendSentData, this, [&](const QString &command) {
            stamps << clock.elapsed();
            commands << command;
        });
        const QStringList before = zoneWidgetState(*window);
        // The window stays alive between the commands: an event posted before
        // the click is handled while the sequence is still running.
        int sentWhenEventRan = -1;
        QTimer::singleShot(0, this, [&] { sentWhenEventRan = commands.size(); });

        clock.start();
        click(*window, window->ui->pushButtonSetOneToOne);
        QTRY_COMPARE(commands.size(), 16);

        QStringList expected;
        for (int i = 1; i <= 16; ++i)
            expected << QStringLiteral("[CO%1I%1]").arg(i);
        QCOMPARE(commands, expected);
        QVERIFY2(sentWhenEventRan >= 1 && sentWhenEventRan < 16,
                 qPrintable(QString::number(sentWhenEventRan)));
        for (int i = 1; i < stamps.size(); ++i) {
            QVERIFY2(stamps.at(i) - stamps.at(i - 1) >= 50,
                     qPrintable(QStringLiteral("%1 came %2 ms after %3")
                                    .arg(commands.at(i))
                                    .arg(stamps.at(i) - stamps.at(i - 1))
                                    .arg(commands.at(i - 1))));
        }
        // The combos follow the unit's replies, not the button.
        QCOMPARE(zoneWidgetState(*window), before);
    }
};

QTEST_MAIN(tst_troubleshooting)
#include "tst_troubleshooting.moc"
