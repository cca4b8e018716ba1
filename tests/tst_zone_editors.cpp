// The Source and Zone pages: each user edit of a zone or source widget sends
// exactly one command, programmatic changes and untouched fields send
// nothing, and the widgets that follow an edit are kept in step.
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

} // namespace

class tst_zone_editors : public editortest::WindowTest
{
    Q_OBJECT

private slots:

    void oneCommandPerEdit_data()
    {
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("volume zone 3 to -35")
            << "sliderZoneVol_3"
            << "drag" << QStringList{"-20", "-35"} << QStringList{"[VO3R-35]"};
        QTest::newRow("volume zone 16 to 0") << "sliderZoneVol_16"
                                             << "drag" << QStringList{"0"} << QStringList{"[VO16R0]"};
        QTest::newRow("volume zone 1 to -80") << "sliderZoneVol_1"
                                              << "drag" << QStringList{"-80"} << QStringList{"[VO1R-80]"};
        QTest::newRow("unmute zone 12") << "checkBoxZoneMute_12"
                                        << "click" << QStringList{"1"} << QStringList{"[VUMO12]"};
        QTest::newRow("unmute and mute zone 5")
            << "checkBoxZoneMute_5"
            << "click" << QStringList{"2"} << QStringList{"[VUMO5]", "[VMO5]"};
        QTest::newRow("fix zone 6") << "checkBoxZoneFix_6"
                                    << "click" << QStringList{"1"} << QStringList{"[VO6F1]"};
        QTest::newRow("fix and release zone 11")
            << "checkBoxZoneFix_11"
            << "click" << QStringList{"2"} << QStringList{"[VO11F1]", "[VO11F0]"};
        QTest::newRow("power off and on zone 4")
            << "checkBoxZonePower_4"
            << "click" << QStringList{"2"} << QStringList{"[POFFO4]", "[PONO4]"};
        QTest::newRow("source zone 1 back to first")
            << "comboBoxZoneSource_1"
            << "pick" << QStringList{"1", "0"} << QStringList{"[CO1I2]", "[CO1I1]"};
        QTest::newRow("source zone 10 to 16th") << "comboBoxZoneSource_10"
                                                << "pick" << QStringList{"15"} << QStringList{"[CO10I16]"};
        QTest::newRow("balance -1 then 0")
            << "spinBoxZoneBal_1"
            << "spin" << QStringList{"-1", "0"} << QStringList{"[BO1L1]", "[BO1R0]"};
        QTest::newRow("balance 80") << "spinBoxZoneBal_1"
                                    << "spin" << QStringList{"80"} << QStringList{"[BO1R80]"};
        QTest::newRow("balance -10") << "spinBoxZoneBal_2"
                                     << "spin" << QStringList{"-10"} << QStringList{"[BO2L10]"};
        QTest::newRow("balance -80") << "spinBoxZoneBal_13"
                                     << "spin" << QStringList{"-80"} << QStringList{"[BO13L80]"};
        QTest::newRow("power-on volume back to -40")
            << "spinBoxZonePOnVol_5"
            << "spin" << QStringList{"-39", "-40"} << QStringList{"[VPONO5L-39]", "[VPONO5L-40]"};
        QTest::newRow("power-on volume 0") << "spinBoxZonePOnVol_15"
                                           << "spin" << QStringList{"0"} << QStringList{"[VPONO15L0]"};
        QTest::newRow("source name 2") << "lineEditSourceName_2"
                                       << "type" << QStringList{"Tuner A"} << QStringList{"[NI2\"Tuner A\"]"};
        QTest::newRow("source name 16")
            << "lineEditSourceName_16"
            << "type" << QStringList{"Streamer"} << QStringList{"[NI16\"Streamer\"]"};
        QTest::newRow("zone name 9") << "lineEditZoneName_9"
                                     << "type" << QStringList{"Patio"} << QStringList{"[NO9\"Patio\"]"};
        // A name holds at least one character: an emptied field sends nothing.
        QTest::newRow("zone name emptied") << "lineEditZoneName_1"
                                           << "type" << QStringList{""} << QStringList{};
        QTest::newRow("source name emptied") << "lineEditSourceName_16"
                                             << "type" << QStringList{""} << QStringList{};
    }

    void oneCommandPerEdit()
    {
        QFETCH(QString, widget);
        QFETCH(QString, action);
        QFETCH(QStringList, inputs);
        QFETCH(QStringList, expected);

        QWidget *target = named<QWidget>(*window, widget);
        QVERIFY2(target, qPrintable(widget));
        showPageOf(*window, target);
        QSignalSpy spy(window.get(), &zor_config::sendSentData);

        if (action == "drag") {
            auto *slider = qobject_cast<QSlider *>(target);
            QVERIFY(slider);
            QList<int> positions;
            for (const QString &input : inputs)
                positions << input.toInt();
            drag(slider, positions);
        } else if (action == "click") {
            for (int i = 0; i < inputs.first().toInt(); ++i)
                click(*window, qobject_cast<QAbstractButton *>(target));
        } else if (action == "pick") {
            for (const QString &input : inputs)
                qobject_cast<QComboBox *>(target)->setCurrentIndex(input.toInt());
        } else if (action == "spin") {
            for (const QString &input : inputs)
                qobject_cast<QSpinBox *>(target)->setValue(input.toInt());
        } else if (action == "type") {
            auto *field = qobject_cast<QLineEdit *>(target);
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
            if (inputs.first().isEmpty())
                QTest::keyClick(field, Qt::Key_Delete);
            else
                typeText(field, inputs.first());
            QTest::keyClick(field, Qt::Key_Return);
        }

        QCOMPARE(sentCommands(spy), expected);
    }

    void volumeUnmutesSilently()
    {
        auto *mute = named<QCheckBox>(*window, "checkBoxZoneMute_4");
        QVERIFY(mute->isChecked());
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        QTest::keyClick(named<QSlider>(*window, "sliderZoneVol_4"), Qt::Key_PageUp);
        QCOMPARE(sentCommands(spy), QStringList{"[VO4R-30]"});
        QVERIFY(!mute->isChecked());
        // The other zones keep their mute.
        QVERIFY(named<QCheckBox>(*window, "checkBoxZoneMute_3")->isChecked());
        QVERIFY(named<QCheckBox>(*window, "checkBoxZoneMute_5")->isChecked());
    }

    // Fixed locks the zone only when the unit's reply comes back.
    void fixLeavesControlsEnabled()
    {
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        click(*window, named<QCheckBox>(*window, "checkBoxZoneFix_6"));
        QCOMPARE(sentCommands(spy), QStringList{"[VO6F1]"});
        QVERIFY(named<QSlider>(*window, "sliderZoneVol_6")->isEnabled());
        QVERIFY(named<QCheckBox>(*window, "checkBoxZoneMute_6")->isEnabled());
        QVERIFY(named<QCheckBox>(*window, "checkBoxZonePower_6")->isEnabled());
        QVERIFY(named<QCheckBox>(*window, "checkBoxZoneMute_6")->isChecked());
    }

    void namesSendOnlyWhatWasTyped_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("source 2") << "lineEditSourceName_2";
        QTest::newRow("zone 14") << "lineEditZoneName_14";
    }

    void namesSendOnlyWhatWasTyped()
    {
        QFETCH(QString, field);
        auto *edit = named<QLineEdit>(*window, field);
        QSignalSpy spy(window.get(), &zor_config::sendSentData);

        // Text set from code, then Return: nothing.
        edit->setText("From the unit");
        QTest::keyClick(edit, Qt::Key_Return);
        // Visiting the field and leaving it: nothing.
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        named<QPushButton>(*window, "pushButtonNetworkCommit")->setFocus();
        QTRY_VERIFY(!edit->hasFocus());
        QCOMPARE(spy.count(), 0);

        // Typed and left by focus: one command with the whole text.
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_End);
        typeText(edit, "!");
        window->ui->lineEditZoneName_1->setFocus();
        QTRY_VERIFY(!edit->hasFocus());
        QCOMPARE(spy.count(), 1);
        QVERIFY2(sentCommands(spy).first().endsWith("\"From the unit!\"]"),
                 qPrintable(sentCommands(spy).first()));

        // Return again without typing: nothing more.
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(spy.count(), 1);
    }

    // A name field left empty shows again the name the window holds for it
    // (its names model row: the form's name, or what was last sent or
    // received) and sends nothing; the field keeps working afterwards.
    void emptiedNameShowsHeldName_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("before"); // "sent:<name>", "received:<reply>" or empty
        QTest::addColumn<bool>("byFocus");   // left by focus instead of Return
        QTest::addColumn<QString>("held");

        QTest::newRow("source, form name, Return") << "lineEditSourceName_4"
                                                   << "" << false << "Source Name 4";
        QTest::newRow("zone, form name, focus") << "lineEditZoneName_16"
                                                << "" << true << "Zone Name 16";
        QTest::newRow("zone, sent name, Return") << "lineEditZoneName_9"
                                                 << "sent:Patio" << false << "Patio";
        QTest::newRow("source, sent name, focus") << "lineEditSourceName_1"
                                                  << "sent:Tuner" << true << "Tuner";
        QTest::newRow("source, received name, Return") << "lineEditSourceName_5"
                                                       << "received:NI5\"Phono\"" << false << "Phono";
        QTest::newRow("zone, received name, focus") << "lineEditZoneName_2"
                                                    << "received:NO2\"Den\"" << true << "Den";
    }

    void emptiedNameShowsHeldName()
    {
        QFETCH(QString, field);
        QFETCH(QString, before);
        QFETCH(bool, byFocus);
        QFETCH(QString, held);

        auto *edit = named<QLineEdit>(*window, field);
        QVERIFY(edit);
        showPageOf(*window, edit);
        if (before.startsWith("sent:"))
            retypeAndReturn(edit, before.mid(5));
        else if (before.startsWith("received:"))
            window->parseCommand(before.mid(9).toUtf8());
        QCOMPARE(edit->text(), held);

        const bool zone = field.startsWith("lineEditZoneName");
        const int row = field.section('_', 1).toInt() - 1;
        QStringListModel &names = zone ? window->zoneNamesModel : window->sourceNamesModel;
        QCheckBox *member = named<QCheckBox>(*window, num("checkBoxGroupZone_", row + 1));
        const QString memberText = member->text();

        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QString());
        if (byFocus) {
            window->ui->tabWidget->setFocus();
            QTRY_VERIFY(!edit->hasFocus());
        } else {
            QTest::keyClick(edit, Qt::Key_Return);
        }
        QCOMPARE(sentCommands(spy), QStringList());
        QCOMPARE(edit->text(), held);
        QCOMPARE(names.index(row, 0).data().toString(), held);
        QCOMPARE(member->text(), memberText);

        // The field still sends what is typed next.
        retypeAndReturn(edit, "Next");
        QCOMPARE(sentCommands(spy),
                 QStringList{QStringLiteral("[%1%2\"Next\"]").arg(zone ? "NO" : "NI").arg(row + 1)});
    }

    void renamingZoneUpdatesListAndGroupBox()
    {
        retypeAndReturn(named<QLineEdit>(*window, "lineEditZoneName_9"), "Garden");
        QCOMPARE(window->zoneNamesModel.index(8, 0).data().toString(), QStringLiteral("Garden"));
        QCOMPARE(window->ui->listViewDSPZone->model()->index(8, 0).data().toString(),
                 QStringLiteral("Garden"));
        QCOMPARE(named<QCheckBox>(*window, "checkBoxGroupZone_9")->text(), QStringLiteral("Garden"));
        // Neighbours keep their names.
        QCOMPARE(window->zoneNamesModel.index(9, 0).data().toString(), QStringLiteral("Zone Name 10"));
        QCOMPARE(named<QCheckBox>(*window, "checkBoxGroupZone_10")->text(), QStringLiteral("Zone 10"));
    }

    void renamingSourceUpdatesAllCombos()
    {
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        retypeAndReturn(named<QLineEdit>(*window, "lineEditSourceName_3"), "Turntable");
        QCOMPARE(sentCommands(spy), QStringList{"[NI3\"Turntable\"]"});
        int combos = 0;
        for (const char *family : {"comboBoxZoneSource_", "comboBoxFavoriteSource_"}) {
            for (int n = 1; n <= 16; ++n) {
                auto *combo = named<QComboBox>(*window, num(family, n));
                QVERIFY(combo);
                QCOMPARE(combo->itemText(2), QStringLiteral("Turntable"));
                QCOMPARE(combo->itemText(1), QStringLiteral("Source Name 2"));
                ++combos;
            }
        }
        QCOMPARE(combos, 32);
        // Renaming changes no selection, so no source command follows.
        QCOMPARE(spy.count(), 1);
    }

    // Widgets whose names carry the family prefix without a usable number
    // are wired like the family but must neither send nor touch the state.
    void unnumberedFamilyMembersSendNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("no number") << "lineEditZoneName";
        QTest::newRow("zero") << "lineEditZoneName_0";
        QTest::newRow("past the last zone") << "lineEditZoneName_17";
        QTest::newRow("source, no number") << "lineEditSourceNameX";
    }

    void unnumberedFamilyMembersSendNothing()
    {
        QFETCH(QString, name);
        auto *extra = new QLineEdit(window->ui->tabZone);
        extra->setObjectName(name);
        auto *slider = new QSlider(window->ui->tabZone);
        slider->setObjectName("sliderZoneVol");
        window->wireFamilies();
        QSignalSpy spy(window.get(), &zor_config::sendSentData);

        typeText(extra, "x");
        QTest::keyClick(extra, Qt::Key_Return);
        slider->setValue(5);
        QCOMPARE(spy.count(), 0);
        for (int i = 0; i < 16; ++i) {
            QVERIFY(!window->zoneNameChanged[i]);
            QVERIFY(!window->sourceNameChanged[i]);
        }
    }
};

QTEST_MAIN(tst_zone_editors)
#include "tst_zone_editors.moc"
