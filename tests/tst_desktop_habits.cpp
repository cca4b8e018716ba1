// Undo and redo, the question before unsaved edits are lost, recent files,
// live levels and accessible names, against the simulated unit.
#include <QtTest>
#include <QtWidgets>

#include "link/console.h"
#include "link/serial_dialog.h"
#include "link/telnet_dialog.h"
#include "sim/unit_state.h"
#include "support/editor_test_helpers.h"
#include "support/message_box_closer.h"
#include "support/simulated_unit.h"
#include "support/window_picture.h"

using namespace editortest;

namespace {

const QString Demo = QStringLiteral(ZOR_SOURCE_DIR "/demo/restaurant.ZOR");

bool connectTo(zor_config &window, const SimulatedUnit &unit)
{
    window.telnetOpen(unit.address());
    return QTest::qWaitFor([&] { return window.tcpSocket->state() == QAbstractSocket::ConnectedState; });
}

// Edit number `edit` of undoAnEdit's rows, made as a user makes it.
void makeEdit(zor_config &w, int edit)
{
    if (edit == 0)
        drag(w.ui->sliderZoneVol_3, {-30, -35});
    if (edit == 1)
        drag(w.ui->sliderFPBrightness, {2, 1, 0}); // sent at every position
    if (edit == 2)
        click(w, w.ui->checkBoxFavoriteBypass_2);
    for (int key = 0; edit == 3 && key < 3; ++key) {
        w.ui->spinBoxZoneBal_4->setFocus(); // where Ctrl+Z is pressed then
        QTest::keyClick(w.ui->spinBoxZoneBal_4, Qt::Key_Up);
        QCoreApplication::processEvents();
    }
    for (int clicks = 0; edit == 4 && clicks < 2; ++clicks) {
        click(w, w.ui->checkBoxZoneMute_2);
        QTest::qWait(50);
    }
}

// The controls under `node` that can take the focus and have no name.
void collectUnnamed(QAccessibleInterface *node, QStringList &unnamed)
{
    if (node && node->state().focusable && node->text(QAccessible::Name).isEmpty())
        unnamed << (node->object() ? node->object()->objectName() : QStringLiteral("an item"));
    for (int i = 0; node && i < node->childCount(); ++i)
        collectUnnamed(node->child(i), unnamed);
}

} // namespace

class tst_desktop_habits : public QObject
{
    Q_OBJECT

    QTemporaryDir store;

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path()); // recent files
        QCoreApplication::setOrganizationName(QStringLiteral("zor-test"));
    }

    void undoAnEdit_data()
    {
        QTest::addColumn<bool>("connected");
        QTest::addColumn<int>("edit");
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QStringList>("undoCommands"); // sent only with a link open
        for (const bool connected : {true, false}) {
            const auto add = [connected](const char *name, int edit, const char *step, int steps,
                                         const QStringList &undo) {
                QTest::addRow("%s, %s", connected ? "connected" : "offline", name)
                    << connected << edit << step << steps << (connected ? undo : QStringList());
            };
            add("volume drag", 0, "Zone 3 volume", 1, {"[VO3R-40]", "[VMO3]"});
            add("brightness drag", 1, "Front panel brightness", 1, {"[SD0]"});
            add("favorite bypass", 2, "Favorite 1 Zone 2 source", 1, {"[F1RO2]"});
            add("three balance keys", 3, "Zone 4 balance", 1, {"[BO4R0]"});
            add("two quick clicks on a box", 4, "Zone 2 mute", 2, {"[VUMO2]", "[VMO2]"});
        }
    }

    // One step per edit; undone (Ctrl+Z), the window shows the earlier values
    // and, connected, the unit gets them back. Redo does the edit again.
    void undoAnEdit()
    {
        QFETCH(bool, connected);
        QFETCH(int, edit);
        QFETCH(QString, step);
        QFETCH(int, steps);
        MessageBoxCloser boxes;
        QTemporaryDir dir;
        SimulatedUnit unit;
        zor_config window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(!connected ||
                (unit.start({"--dump-state-on-exit", dir.filePath("unit.ZOR")}) && connectTo(window, unit)));
        const Picture before = pictureOf(window);
        QSignalSpy sent(&window, &zor_config::sendSentData), heard(&window, &zor_config::sendReceivedData);
        const auto settled = [&] { // connected: once the unit has echoed the last command
            return !connected ||
                   sentCommands(heard).contains(sentCommands(sent).constLast().mid(1).chopped(1));
        };
        makeEdit(window, edit);
        QTRY_COMPARE(window.ui->actionUndo->text(), "Undo " + step);
        QCOMPARE(window.undoHistory.count(), steps);
        QCOMPARE(window.holdsUnsentEdits(), !connected);
        QTRY_VERIFY(settled());
        const Picture edited = pictureOf(window);
        sent.clear();
        for (int undo = 0; undo < steps; ++undo)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QTEST(sentCommands(sent), "undoCommands");
        QTRY_COMPARE(pictureOf(window), before);
        QCOMPARE(window.ui->actionRedo->text(), "Redo " + step);
        QTRY_VERIFY(settled());
        if (connected) { // the unit ends as it began
            unit.stop();
            UnitState ended;
            QVERIFY(ended.loadFile(dir.filePath("unit.ZOR"), nullptr));
            QVERIFY(ended.settings() == UnitState().settings());
        }
        for (int redo = 0; redo < steps; ++redo)
            window.ui->actionRedo->trigger();
        QCOMPARE(pictureOf(window), edited);
    }

    // Undone, a Load gives the window back all it held and sends nothing.
    void undoLoad()
    {
        zor_config window;
        const Picture before = pictureOf(window);
        QVERIFY(window.loadConfiguration(Demo));
        const Picture after = pictureOf(window);
        QCOMPARE(window.ui->actionUndo->text(), QStringLiteral("Undo Load restaurant.ZOR"));
        QSignalSpy sent(&window, &zor_config::sendSentData);
        window.ui->actionUndo->trigger();
        // The Groups page captions its members with the zone names held.
        static const QRegularExpression captions("checkBoxGroupZone_\\d+.text=Zone Name \\d+\n?");
        QCOMPARE(changes(before, pictureOf(window)).remove(captions), QString());
        window.ui->actionRedo->trigger();
        QCOMPARE(changes(after, pictureOf(window)), QString());
        QCOMPARE(sentCommands(sent), QStringList());
    }

    void askBeforeLosingEdits_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("edit"); // no, offline, sent or saved
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("goesAhead");
        const auto add = [](const char *what, const char *edit, const char *answer, bool goesAhead) {
            QTest::addRow("%s, %s edit, %s", what, edit, answer) << what << edit << answer << goesAhead;
        };
        add("close", "no", "Cancel", true);
        add("close", "offline", "Cancel", false);
        add("close", "offline", "Discard", true);
        add("close", "sent", "Cancel", true);
        add("close", "saved", "Cancel", true);
        add("load", "offline", "Cancel", false);
        add("receive all", "offline", "Cancel", false);
    }

    void askBeforeLosingEdits()
    {
        QFETCH(QString, what);
        QFETCH(QString, edit);
        QFETCH(QString, answer);
        QFETCH(bool, goesAhead);
        MessageBoxCloser boxes;
        boxes.answer = answer == "Discard" ? QMessageBox::Discard : QMessageBox::Cancel;
        SimulatedUnit unit;
        QVERIFY(unit.start());
        zor_config window;
        window.show();
        QVERIFY(edit != "sent" || connectTo(window, unit));
        if (edit != "no")
            click(window, window.ui->checkBoxZoneMute_2);
        QVERIFY(edit != "saved" || window.saveConfiguration(store.filePath("saved.ZOR")));
        QVERIFY(what != "receive all" || connectTo(window, unit));
        const Picture before = pictureOf(window);
        QSignalSpy sent(&window, &zor_config::sendSentData);

        if (what == "close")
            QCOMPARE(window.close(), goesAhead);
        else if (what == "load")
            QCOMPARE(window.openRecentFile(Demo), goesAhead);
        else
            window.ui->actionReceiveAll->trigger();
        QCOMPARE(boxes.seen, edit == "offline"
                                 ? QStringList{"ZOR Setup Utility - Version 2.2|The window holds "
                                               "changes that are not saved or sent."}
                                 : QStringList());
        if (!goesAhead) {
            QCOMPARE(sentCommands(sent), QStringList());
            QCOMPARE(changes(before, pictureOf(window)), QString());
        }
    }

    // The last files loaded or saved, newest first, kept across runs; one
    // that no longer exists leaves the list with a message, nothing else.
    void recentFiles()
    {
        MessageBoxCloser boxes;
        {
            zor_config window;
            for (int i = 1; i <= 9; ++i)
                QVERIFY(window.saveConfiguration(store.filePath(QStringLiteral("f%1.ZOR").arg(i))));
            QVERIFY(QFile::copy(Demo, store.filePath("first.ZOR")));
            QVERIFY(window.loadConfiguration(store.filePath("first.ZOR")));
        }
        zor_config window; // as after a restart
        QStringList texts;
        for (QAction *entry : window.ui->menuRecentFiles->actions())
            texts << entry->text();
        QCOMPARE(texts, QStringList({"first.ZOR", "f9.ZOR", "f8.ZOR", "f7.ZOR", "f6.ZOR", "f5.ZOR", "f4.ZOR",
                                     "f3.ZOR"}));
        QCOMPARE(window.ui->menuRecentFiles->actions()[0]->toolTip(), QDir::toNativeSeparators(store.path()));

        QVERIFY(QFile::remove(store.filePath("f9.ZOR")));
        const Picture before = pictureOf(window);
        window.ui->menuRecentFiles->actions()[1]->trigger();
        QCOMPARE(boxes.seen.filter("f9.ZOR no longer exists").size(), 1);
        QCOMPARE(window.ui->menuRecentFiles->actions().size(), 7);
        QCOMPARE(changes(before, pictureOf(window)), QString());
    }

    // Ticked, the levels are polled and shown until the link closes.
    void livePollingStopsWithTheLink()
    {
        MessageBoxCloser boxes;
        SimulatedUnit unit;
        zor_config window;
        window.show();
        QCheckBox *poll = window.ui->checkBoxPollOutputLevels;
        QVERIFY(unit.start() && connectTo(window, unit));
        click(window, window.ui->checkBoxZoneMute_3); // the unit plays zone 3
        QSignalSpy sent(&window, &zor_config::sendSentData);
        click(window, poll);
        QTRY_VERIFY(sentCommands(sent).count("[QOL]") >= 2);
        QTRY_VERIFY(window.ui->progressBarLeftZone_3->value() > 0);
        unit.stop();
        QTRY_VERIFY(!poll->isChecked() && !poll->isEnabled());
    }

    void accessibleNames_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("preset"); // the DSP page's zone in Preset mode
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QString>("name");
        const auto add = [](int group, int preset, const char *widget, const char *name) {
            QTest::newRow(name) << group << preset << widget << name;
        };
        add(1, 0, "sliderZoneVol_3", "Zone 3 volume");
        add(1, 2, "sliderDSPEQ_7", "Preset 2 band 7");
        add(4, 0, "checkBoxGroupZone_11", "Group 4 member Zone 11");
    }

    // Walks the accessibility tree of the window's pages and its dialogs:
    // every control that can take the focus has a name saying what it sets.
    void accessibleNames()
    {
        QFETCH(int, group);
        QFETCH(int, preset);
        QFETCH(QString, widget);
        QFETCH(QString, name);
        zor_config window;
        window.show();
        window.ui->listViewGroup->setCurrentIndex(window.groupNamesModel.index(group - 1, 0));
        if (preset > 0) {
            window.ui->comboBoxDSPMode->setCurrentIndex(Preset);
            window.listViewDSPPresetChange(window.presetNamesModel.index(preset - 1, 0));
        }
        QCOMPARE(window.findChild<QWidget *>(widget)->accessibleName(), name);

        QStringList unnamed;
        for (int page = 0; page < window.ui->tabWidget->count(); ++page) {
            window.ui->tabWidget->setCurrentIndex(page);
            collectUnnamed(QAccessible::queryAccessibleInterface(&window), unnamed);
        }
        // And the windows the Connection menu opens.
        telnet_dialog::setDiscoveryPort(0);
        telnet_dialog network;
        serial_dialog serial;
        console log;
        for (QWidget *dialog : std::initializer_list<QWidget *>{&network, &serial, &log}) {
            dialog->show();
            collectUnnamed(QAccessible::queryAccessibleInterface(dialog), unnamed);
        }
        QCOMPARE(unnamed.join(", "), QString());
    }
};

QTEST_MAIN(tst_desktop_habits)
#include "tst_desktop_habits.moc"
