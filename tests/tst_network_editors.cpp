// The Network/Misc page: check boxes, address fields with their typed-in
// marks, the commit button, the front panel and trigger sliders with their
// value labels, and the trigger mode's enabling of its settings.
#include <QtTest>

#include <memory>

#include "support/editor_test_helpers.h"
#include "support/window_test.h"

using namespace editortest;

class tst_network_editors : public editortest::WindowTest
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(openWindow());
        ui()->tabWidget->setCurrentWidget(ui()->tabNetwork);
    }
    void cleanup() { window.reset(); }

    void checkBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("expected"); // one command per click
        QTest::newRow("DHCP off and on") << "checkBoxNetworkDHCP" << QStringList{"[DHCP0]", "[DHCP1]"};
        QTest::newRow("SDDP off and on") << "checkBoxNetworkSDDP" << QStringList{"[SDDP0]", "[SDDP1]"};
        QTest::newRow("IR enabled and disabled") << "checkBoxFPIR" << QStringList{"[IRL0]", "[IRL1]"};
        QTest::newRow("panel lock on and off") << "checkBoxFPLock" << QStringList{"[FPL1]", "[FPL0]"};
        QTest::newRow("serial on and off") << "checkBoxSerial" << QStringList{"[SERIAL1]", "[SERIAL0]"};
    }

    void checkBoxes()
    {
        QFETCH(QString, box);
        QFETCH(QStringList, expected);
        auto *check = named<QCheckBox>(*window, box);
        QVERIFY(check);
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        for (int i = 0; i < expected.size(); ++i)
            click(*window, check);
        QCOMPARE(sentCommands(spy), expected);
    }

    void dhcpEnablesStaticSettings()
    {
        QVERIFY(!ui()->groupBoxNetworkStatic->isEnabled());
        click(*window, ui()->checkBoxNetworkDHCP);
        QVERIFY(ui()->groupBoxNetworkStatic->isEnabled());
    }

    void addresses_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("IP") << "lineEditNetworkIP"
                            << "10.0.0.5"
                            << "[IP10.0.0.5]";
        QTest::newRow("IP, all digits") << "lineEditNetworkIP"
                                        << "192168001050"
                                        << "[IP192.168.001.050]";
        QTest::newRow("mask") << "lineEditNetworkMask"
                              << "255.255.0.0"
                              << "[NM255.255.0.0]";
        QTest::newRow("gateway") << "lineEditNetworkGateway"
                                 << "10.0.0.1"
                                 << "[GW10.0.0.1]";
        QTest::newRow("gateway, half typed") << "lineEditNetworkGateway"
                                             << "10.1"
                                             << "[GW10.1..]";
    }

    void addresses()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, expected);

        click(*window, ui()->checkBoxNetworkDHCP);
        auto *edit = named<QLineEdit>(*window, field);
        QSignalSpy spy(window.get(), &zor_config::sendSentData);

        // Visiting and leaving without typing: nothing.
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        ui()->pushButtonNetworkCommit->setFocus();
        QTRY_VERIFY(!edit->hasFocus());
        // Text set from code and Return: nothing.
        edit->setText("1.2.3.4");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(spy.count(), 0);

        // Typed and left by focus: one command.
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, typed);
        ui()->checkBoxNetworkSDDP->setFocus();
        QTRY_VERIFY(!edit->hasFocus());
        QCOMPARE(sentCommands(spy), QStringList{expected});

        // Back in and out again without typing, and Return: nothing more.
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_Return);
        ui()->checkBoxNetworkSDDP->setFocus();
        QTRY_VERIFY(!edit->hasFocus());
        QCOMPARE(spy.count(), 1);
        QVERIFY(!window->networkIpChanged && !window->networkMaskChanged && !window->networkGatewayChanged);
    }

    // Each address field has its own mark: typing in one sends only that one.
    void addressMarksAreSeparate()
    {
        click(*window, ui()->checkBoxNetworkDHCP);
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        QTest::keyClick(ui()->lineEditNetworkMask, Qt::Key_Backspace);
        QVERIFY(window->networkMaskChanged);
        QVERIFY(!window->networkIpChanged && !window->networkGatewayChanged);
        QTest::keyClick(ui()->lineEditNetworkIP, Qt::Key_Return);
        QTest::keyClick(ui()->lineEditNetworkGateway, Qt::Key_Return);
        QCOMPARE(spy.count(), 0);
        QTest::keyClick(ui()->lineEditNetworkMask, Qt::Key_Return);
        QCOMPARE(spy.count(), 1);
        QVERIFY(sentCommands(spy).first().startsWith("[NM"));
    }

    void commitIgnoresMarks_data()
    {
        QTest::addColumn<bool>("marked");
        QTest::newRow("no field typed in") << false;
        QTest::newRow("all fields marked") << true;
    }

    void commitIgnoresMarks()
    {
        QFETCH(bool, marked);
        window->networkIpChanged = window->networkMaskChanged = window->networkGatewayChanged = marked;
        ui()->checkBoxNetworkSDDP->setFocus();
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        click(*window, ui()->pushButtonNetworkCommit);
        QCOMPARE(sentCommands(spy), QStringList{"[EC]"});
        QCOMPARE(window->networkIpChanged, marked);
        QCOMPARE(window->networkMaskChanged, marked);
        QCOMPARE(window->networkGatewayChanged, marked);
    }

    void brightness_data()
    {
        QTest::addColumn<QList<int>>("positions"); // one drag through these
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("label");
        QTest::newRow("drag 3 to 0") << QList<int>{2, 1, 0} << QStringList{"[SD1]", "[SD2]", "[SD3]"}
                                     << "25%";
        QTest::newRow("drag 3 to 1") << QList<int>{2, 1} << QStringList{"[SD1]", "[SD2]"} << "50%";
        QTest::newRow("down and back up") << QList<int>{2, 3} << QStringList{"[SD1]", "[SD0]"} << "100%";
        QTest::newRow("to 2") << QList<int>{2} << QStringList{"[SD1]"} << "75%";
    }

    void brightness()
    {
        QFETCH(QList<int>, positions);
        QFETCH(QStringList, expected);
        QFETCH(QString, label);
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        drag(ui()->sliderFPBrightness, positions);
        QCOMPARE(sentCommands(spy), expected);
        QCOMPARE(ui()->labelFPBrightnessPercent->text(), label);
    }

    void sleep_data()
    {
        QTest::addColumn<QList<int>>("positions");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("label");
        QTest::newRow("to 2") << QList<int>{2} << QStringList{"[SLEEP2]"} << "2 Minute(s)";
        QTest::newRow("to 2 and back to 3")
            << QList<int>{2, 3} << QStringList{"[SLEEP2]", "[SLEEP5]"} << "5 Minute(s)";
        QTest::newRow("drag to 0") << QList<int>{2, 1, 0} << QStringList{"[SLEEP2]", "[SLEEP1]", "[SLEEP0]"}
                                   << "0 Minute(s)";
    }

    void sleep()
    {
        QFETCH(QList<int>, positions);
        QFETCH(QStringList, expected);
        QFETCH(QString, label);
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        drag(ui()->sliderFPSleep, positions);
        QCOMPARE(sentCommands(spy), expected);
        QCOMPARE(ui()->labelFPSleepTime->text(), label);
    }

    void triggerTime_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("label");
        QTest::newRow("12 snaps to 10") << 12 << "[TRIGTIME10]" << 10 << "10 Minutes";
        QTest::newRow("14 snaps to 10") << 14 << "[TRIGTIME10]" << 10 << "10 Minutes";
        QTest::newRow("15") << 15 << "[TRIGTIME15]" << 15 << "15 Minutes";
        QTest::newRow("10") << 10 << "[TRIGTIME10]" << 10 << "10 Minutes";
        QTest::newRow("7 snaps to 5") << 7 << "[TRIGTIME5]" << 5 << "5 Minutes";
    }

    void triggerTime()
    {
        QFETCH(int, value);
        QFETCH(QString, expected);
        QFETCH(int, shown);
        QFETCH(QString, label);
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        drag(ui()->sliderTriggerTime, {value});
        QCOMPARE(sentCommands(spy), QStringList{expected});
        QCOMPARE(ui()->sliderTriggerTime->value(), shown);
        QCOMPARE(ui()->labelTriggerModeTimeVal->text(), label);
    }

    void triggerMode_data()
    {
        QTest::addColumn<QList<int>>("indices");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("settingsEnabled");
        QTest::newRow("trigger") << QList<int>{1} << QStringList{"[TRIGMODE1]"} << true;
        QTest::newRow("trigger + serial") << QList<int>{2} << QStringList{"[TRIGMODE2]"} << true;
        QTest::newRow("back to wired IR")
            << QList<int>{2, 0} << QStringList{"[TRIGMODE2]", "[TRIGMODE0]"} << false;
    }

    void triggerMode()
    {
        QFETCH(QList<int>, indices);
        QFETCH(QStringList, expected);
        QFETCH(bool, settingsEnabled);
        QVERIFY(!ui()->groupBoxTriggerSettings->isEnabled());
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        for (const int index : indices)
            ui()->comboBoxTriggerMode->setCurrentIndex(index);
        QCOMPARE(sentCommands(spy), expected);
        QCOMPARE(ui()->groupBoxTriggerSettings->isEnabled(), settingsEnabled);
        QCOMPARE(ui()->sliderTriggerLevel->isEnabled(), settingsEnabled);
    }

    void triggerLevel_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("label");
        QTest::newRow("120") << 120 << "[TRIGLEVEL120]"
                             << "120 mVRMS";
        QTest::newRow("200") << 200 << "[TRIGLEVEL200]"
                             << "200 mVRMS";
        QTest::newRow("25") << 25 << "[TRIGLEVEL25]"
                            << "25 mVRMS";
    }

    void triggerLevel()
    {
        QFETCH(int, value);
        QFETCH(QString, expected);
        QFETCH(QString, label);
        ui()->comboBoxTriggerMode->setCurrentIndex(1);
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        drag(ui()->sliderTriggerLevel, {value - 5, value});
        QCOMPARE(sentCommands(spy), QStringList{expected});
        QCOMPARE(ui()->labelTriggerModeLevelVal->text(), label);
    }
};

QTEST_MAIN(tst_network_editors)
#include "tst_network_editors.moc"
