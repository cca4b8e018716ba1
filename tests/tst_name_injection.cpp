// Names cannot break the framing. Whether typed, pasted, edited in a list or
// set from code, a name with quotes, brackets, carriage returns or line feeds
// reaches the unit as exactly one frame; names outside ASCII reach it as
// UTF-8 unchanged; names edited in a list stop at 16 characters.
#include <QtTest>

#include <QClipboard>
#include <memory>

#include "support/editor_test_helpers.h"
#include "support/window_test.h"

using namespace editortest;

class tst_name_injection : public editortest::WindowTest
{
    Q_OBJECT

private:
    std::unique_ptr<LoopbackPeer> peer;

    // The bytes on the wire are one frame, and exactly the expected one.
    void verifyOneFrame(const QByteArray &expected)
    {
        QTRY_COMPARE(peer->bytes(), expected);
        QCOMPARE(peer->bytes().count('['), 1);
        QCOMPARE(peer->bytes().count(']'), 1);
        QCOMPARE(peer->bytes().count('\n'), 0);
        QCOMPARE(peer->bytes().count('\r'), 0);
    }

    // For a name with nothing left to send (expected is empty): true after
    // checking that nothing went out and the field shows again the name the
    // window holds for it.
    bool verifySentOrKept(const QByteArray &expected, const QSignalSpy &spy, QLineEdit *field)
    {
        if (!expected.isEmpty())
            return false;
        const bool zone = field->objectName().startsWith(QLatin1String("lineEditZoneName"));
        const int row = field->objectName().section('_', 1).toInt() - 1;
        const QStringListModel &names = zone ? window->zoneNamesModel : window->sourceNamesModel;
        [&] {
            QCOMPARE(sentCommands(spy), QStringList());
            QCOMPARE(field->text(), names.index(row, 0).data().toString());
            QVERIFY(!field->text().isEmpty());
        }();
        return true;
    }

private slots:
    void init()
    {
        QVERIFY(openWindow());
        peer = std::make_unique<LoopbackPeer>();
        QVERIFY(peer->connectWindow(*window));
    }
    void cleanup()
    {
        window.reset();
        peer.reset();
    }

    void typed_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("quotes and brackets") << "lineEditSourceName_1"
                                             << "Den \"A\" [x]" << QByteArray("[NI1\"Den A x\"]");
        QTest::newRow("a second command") << "lineEditZoneName_5"
                                          << "]VXR0[" << QByteArray("[NO5\"VXR0\"]");
        // Nothing left of the name: nothing is sent (see verifySentOrKept).
        QTest::newRow("only forbidden characters") << "lineEditZoneName_6"
                                                   << "\"[]\"" << QByteArray();
        QTest::newRow("carriage return and line feed") << "lineEditSourceName_16"
                                                       << "a\r\nb\x7f" << QByteArray("[NI16\"ab\"]");
        QTest::newRow("UTF-8") << "lineEditZoneName_2" << QString::fromUtf8("Küche ♫ 東")
                               << QByteArray("[NO2\"K\xc3\xbc"
                                             "che \xe2\x99\xab \xe6\x9d\xb1\"]");
    }

    void typed()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QByteArray, expected);
        auto *edit = named<QLineEdit>(*window, field);
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        typeText(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        if (verifySentOrKept(expected, spy, edit))
            return;
        verifyOneFrame(expected);
        // The console shows what went out, decoded back from UTF-8.
        QCOMPARE(sentCommands(spy), QStringList{QString::fromUtf8(expected)});
    }

    void pasted_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("frame break") << "Hall\"][VXR0][" << QByteArray("[NI3\"HallVXR0\"]");
        QTest::newRow("line end") << "Kitchen\r\n" << QByteArray("[NI3\"Kitchen\"]");
        QTest::newRow("embedded line feed and tab") << "A\nB\tC" << QByteArray("[NI3\"ABC\"]");
        QTest::newRow("line separator")
            << QString::fromUtf8("Zone\u2028Two") << QByteArray("[NI3\"ZoneTwo\"]");
        QTest::newRow("plain UTF-8") << QString::fromUtf8("Café") << QByteArray("[NI3\"Caf\xc3\xa9\"]");
    }

    void pasted()
    {
        QFETCH(QString, clipboard);
        QFETCH(QByteArray, expected);
        auto *edit = named<QLineEdit>(*window, "lineEditSourceName_3");
        QApplication::clipboard()->setText(clipboard);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Return);
        verifyOneFrame(expected);
    }

    void inList_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QString>("shown");
        QTest::newRow("group, brackets and quotes")
            << "listViewGroup" << 1 << "A\"B[C]D" << QByteArray("[NG2\"ABCD\"]") << "ABCD";
        QTest::newRow("favorite, cut at 16") << "listViewFavorites" << 2 << "12345678901234567890"
                                             << QByteArray("[NF3\"1234567890123456\"]") << "1234567890123456";
        QTest::newRow("group, UTF-8 cut at 16")
            << "listViewGroup" << 9 << QString::fromUtf8("Küche oben links hinten")
            << QByteArray("[NG10\"K\xc3\xbc"
                          "che oben links\"]")
            << QString::fromUtf8("Küche oben links");
    }

    void inList()
    {
        QFETCH(QString, list);
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QByteArray, expected);
        QFETCH(QString, shown);

        auto *view = named<QListView>(*window, list);
        showPageOf(*window, view);
        const QModelIndex index = view->model()->index(row, 0);
        view->setCurrentIndex(index);
        view->edit(index);
        auto *editor = view->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        typeText(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        verifyOneFrame(expected);
        QCOMPARE(index.data().toString(), shown);
    }

    // The preset list gets the same guarded editor as the group and favorite
    // lists (the list itself is disabled until a zone uses a preset, so the
    // editor is made on its own here).
    void presetListEditorIsGuarded()
    {
        QListView *view = window->ui->listViewDSPPreset;
        QStyleOptionViewItem option;
        const QModelIndex index = view->model()->index(0, 0);
        std::unique_ptr<QWidget> editor(view->itemDelegate()->createEditor(nullptr, option, index));
        auto *line = qobject_cast<QLineEdit *>(editor.get());
        QVERIFY(line);
        QCOMPARE(line->maxLength(), 16);
        typeText(line, "a\"[b]c");
        QCOMPARE(line->text(), QStringLiteral("abc"));
    }

    // Names that did not come from the keyboard: a name field's text set from
    // code (as a reply or a file sets it) and sent as typed, and list names
    // written into their models.
    void programmatic_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("source field") << "lineEditSourceName_2"
                                      << "x\"][QX]\r\n[y" << QByteArray("[NI2\"xQXy\"]");
        QTest::newRow("zone field, nothing left") << "lineEditZoneName_12"
                                                  << "\"\"\"\"" << QByteArray();
        QTest::newRow("group model") << "group"
                                     << "a\"][VXR0]\r\nb" << QByteArray("[NG4\"aVXR0b\"]");
        QTest::newRow("favorite model")
            << "favorite" << QString::fromUtf8("Bühne\n\"") << QByteArray("[NF4\"B\xc3\xbchne\"]");
    }

    void programmatic()
    {
        QFETCH(QString, target);
        QFETCH(QString, name);
        QFETCH(QByteArray, expected);
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        if (target == "group") {
            window->groupNamesModel.setData(window->groupNamesModel.index(3, 0), name);
        } else if (target == "favorite") {
            window->favoriteNamesModel.setData(window->favoriteNamesModel.index(3, 0), name);
        } else {
            auto *edit = named<QLineEdit>(*window, target);
            edit->setText(name);
            std::fill(std::begin(window->sourceNameChanged), std::end(window->sourceNameChanged), true);
            std::fill(std::begin(window->zoneNameChanged), std::end(window->zoneNameChanged), true);
            emit edit->editingFinished();
            if (verifySentOrKept(expected, spy, edit))
                return;
        }
        verifyOneFrame(expected);
    }

    // Names arriving in reply lines: the field shows what can be sent, and
    // sending it again (as Send All does) gives one frame with the same
    // bytes, UTF-8 included.
    void replyNames_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("brackets") << QByteArray("NO4\"x[y]\"") << "lineEditZoneName_4"
                                  << QByteArray("[NO4\"xy\"]");
        QTest::newRow("quote inside")
            << QByteArray("NI5\"a\"]\"") << "lineEditSourceName_5" << QByteArray("[NI5\"a\"]");
        QTest::newRow("UTF-8 round trip") << QByteArray("NO6\"K\xc3\xbc"
                                                        "che \xe2\x99\xab\"")
                                          << "lineEditZoneName_6"
                                          << QByteArray("[NO6\"K\xc3\xbc"
                                                        "che \xe2\x99\xab\"]");
    }

    void replyNames()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, field);
        QFETCH(QByteArray, expected);
        auto *edit = named<QLineEdit>(*window, field);
        const QString before = edit->text();
        window->parseCommand(reply);
        QVERIFY(edit->text() != before);
        QCOMPARE(peer->bytes(), QByteArray()); // a reply is never echoed
        // The lists and captions show the same name as the field.
        const int row = field.section('_', 1).toInt() - 1;
        const bool zone = field.startsWith(QLatin1String("lineEditZoneName"));
        QStringListModel &names = zone ? window->zoneNamesModel : window->sourceNamesModel;
        QCOMPARE(names.index(row, 0).data().toString(), edit->text());
        if (zone)
            QCOMPARE(named<QCheckBox>(*window, QStringLiteral("checkBoxGroupZone_%1").arg(row + 1))->text(),
                     edit->text());
        std::fill(std::begin(window->sourceNameChanged), std::end(window->sourceNameChanged), true);
        std::fill(std::begin(window->zoneNameChanged), std::end(window->zoneNameChanged), true);
        emit edit->editingFinished();
        verifyOneFrame(expected);
    }

    // A name set from code with characters a name may not carry (as a reply
    // may set it) still lets the user edit it and send the edit with Return.
    void textFromCodeStaysEditable()
    {
        auto *edit = named<QLineEdit>(*window, "lineEditSourceName_7");
        edit->setText("CD \"[1]\"");
        QCOMPARE(edit->text(), QStringLiteral("CD 1"));
        QTest::keyClick(edit, Qt::Key_End);
        typeText(edit, "2");
        QTest::keyClick(edit, Qt::Key_Return);
        verifyOneFrame("[NI7\"CD 12\"]");
    }

    // What the unit keeps is what the field shows.
    void fieldShowsWhatWasSent()
    {
        auto *edit = named<QLineEdit>(*window, "lineEditZoneName_3");
        retypeAndReturn(edit, QString::fromUtf8("Bad \"[Zimmer]\""));
        verifyOneFrame("[NO3\"Bad Zimmer\"]");
        QCOMPARE(edit->text(), QStringLiteral("Bad Zimmer"));
        QCOMPARE(window->zoneNamesModel.index(2, 0).data().toString(), QStringLiteral("Bad Zimmer"));
    }
};

QTEST_MAIN(tst_name_injection)
#include "tst_name_injection.moc"
