// The Groups and Favorites pages: membership, bypass and source edits update
// the state and send one command for the selected row; selecting a row
// refills the page from the state and sends nothing; names edited in place
// send one name command.
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

// Opens the list's in-place editor on a row, types over the name and commits
// with Return; returns the editor that was used (null if none opened).
QLineEdit *renameInPlace(QListView *list, int row, const QString &text)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->setCurrentIndex(index);
    list->edit(index);
    auto *editor = qobject_cast<QLineEdit *>(list->indexWidget(index));
    if (!editor)
        return nullptr;
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    typeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    return editor;
}

} // namespace

class tst_group_favorite_editors : public editortest::WindowTest
{
    Q_OBJECT

private:
    QCheckBox *groupBox(int zone) { return named<QCheckBox>(*window, num("checkBoxGroupZone_", zone)); }
    QCheckBox *bypassBox(int zone) { return named<QCheckBox>(*window, num("checkBoxFavoriteBypass_", zone)); }
    QComboBox *sourceCombo(int zone)
    {
        return named<QComboBox>(*window, num("comboBoxFavoriteSource_", zone));
    }
    void selectGroup(int row)
    {
        window->ui->listViewGroup->setCurrentIndex(window->groupNamesModel.index(row, 0));
    }
    void selectFavorite(int row)
    {
        window->ui->listViewFavorites->setCurrentIndex(window->favoriteNamesModel.index(row, 0));
    }

private slots:

    void groupMembership_data()
    {
        QTest::addColumn<int>("groupRow");
        QTest::addColumn<int>("zone");
        QTest::addColumn<QString>("add");
        QTest::addColumn<QString>("remove");

        QTest::newRow("group 10, zone 16") << 9 << 16 << "[G10AO16]"
                                           << "[G10RO16]";
        QTest::newRow("group 1, zone 1") << 0 << 1 << "[G1AO1]"
                                         << "[G1RO1]";
        QTest::newRow("group 3, zone 12") << 2 << 12 << "[G3AO12]"
                                          << "[G3RO12]";
    }

    void groupMembership()
    {
        QFETCH(int, groupRow);
        QFETCH(int, zone);
        QFETCH(QString, add);
        QFETCH(QString, remove);

        window->groupZones[groupRow] = 0x0100; // zone 9 already a member
        selectGroup(groupRow);
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        const ushort bit = ushort(1u << (zone - 1));

        click(*window, groupBox(zone));
        QCOMPARE(sentCommands(spy), QStringList{add});
        QCOMPARE(window->groupZones[groupRow], ushort(0x0100 | bit));

        click(*window, groupBox(zone));
        QCOMPARE(sentCommands(spy), (QStringList{add, remove}));
        QCOMPARE(window->groupZones[groupRow], ushort(0x0100));
        // The other groups are untouched.
        for (int g = 0; g < 10; ++g) {
            if (g != groupRow)
                QCOMPARE(window->groupZones[g], ushort(0));
        }
    }

    void groupSelectionRefills_data()
    {
        QTest::addColumn<int>("mask");
        QTest::addColumn<bool>("byKeyboard");
        QTest::newRow("zones 1 and 16") << 0x8001 << false;
        QTest::newRow("zones 1 and 16, keyboard") << 0x8001 << true;
        QTest::newRow("none") << 0x0000 << false;
        QTest::newRow("all, keyboard") << 0xFFFF << true;
        QTest::newRow("zones 2 to 8") << 0x00FE << false;
    }

    void groupSelectionRefills()
    {
        QFETCH(int, mask);
        QFETCH(bool, byKeyboard);

        // Group 4 holds the mask; group 3 the opposite, shown first.
        window->groupZones[2] = ushort(~mask);
        window->groupZones[3] = ushort(mask);
        selectGroup(2);
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        if (byKeyboard) {
            showPageOf(*window, window->ui->listViewGroup);
            QTest::keyClick(window->ui->listViewGroup, Qt::Key_Down);
        } else {
            selectGroup(3);
        }
        QCOMPARE(window->ui->listViewGroup->currentIndex().row(), 3);
        for (int zone = 1; zone <= 16; ++zone)
            QCOMPARE(groupBox(zone)->isChecked(), bool(mask & (1 << (zone - 1))));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(window->groupZones[3], ushort(mask));
    }

    // Entry 5 is the sixth source; 32 bypasses the zone.
    void favoriteSelectionRefills_data()
    {
        QTest::addColumn<int>("zone");
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("bypassed");
        QTest::addColumn<int>("comboIndex");
        QTest::newRow("zone 2, sixth source") << 2 << 5 << false << 5;
        QTest::newRow("zone 9, first source") << 9 << 0 << false << 0;
        QTest::newRow("zone 16, last source") << 16 << 15 << false << 15;
        QTest::newRow("zone 3, bypassed") << 3 << 32 << true << 0;
    }

    void favoriteSelectionRefills()
    {
        QFETCH(int, zone);
        QFETCH(int, entry);
        QFETCH(bool, bypassed);
        QFETCH(int, comboIndex);

        // Favorite 2 shows the zone with source 8 and not bypassed, so that
        // every part of the refill to favorite 5 has something to change.
        window->favoriteSource[1][zone - 1] = 7;
        window->favoriteSource[4][zone - 1] = entry;
        selectFavorite(1);
        QVERIFY(!bypassBox(zone)->isChecked());
        QVERIFY(sourceCombo(zone)->isEnabled());
        QCOMPARE(sourceCombo(zone)->currentIndex(), 7);

        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        selectFavorite(4);
        QCOMPARE(bypassBox(zone)->isChecked(), bypassed);
        QCOMPARE(sourceCombo(zone)->isEnabled(), !bypassed);
        QCOMPARE(sourceCombo(zone)->currentIndex(), comboIndex);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(window->favoriteSource[4][zone - 1], entry);
        // A zone the favorite leaves alone everywhere stays bypassed.
        const int other = zone == 1 ? 4 : 1;
        QVERIFY(bypassBox(other)->isChecked());
        QVERIFY(!sourceCombo(other)->isEnabled());
    }

    void favoriteSelectionByKeyboard()
    {
        window->favoriteSource[1][5] = 3;
        showPageOf(*window, window->ui->listViewFavorites);
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        QTest::keyClick(window->ui->listViewFavorites, Qt::Key_Down);
        QCOMPARE(window->ui->listViewFavorites->currentIndex().row(), 1);
        QVERIFY(!bypassBox(6)->isChecked());
        QCOMPARE(sourceCombo(6)->currentIndex(), 3);
        QCOMPARE(spy.count(), 0);
    }

    void favoriteBypass_data()
    {
        QTest::addColumn<int>("favoriteRow");
        QTest::addColumn<int>("zone");
        QTest::addColumn<QString>("assign");
        QTest::addColumn<QString>("bypass");
        QTest::newRow("favorite 1, zone 7") << 0 << 7 << "[F1AO7I1]"
                                            << "[F1RO7]";
        QTest::newRow("favorite 10, zone 7") << 9 << 7 << "[F10AO7I1]"
                                             << "[F10RO7]";
        QTest::newRow("favorite 4, zone 16") << 3 << 16 << "[F4AO16I1]"
                                             << "[F4RO16]";
    }

    void favoriteBypass()
    {
        QFETCH(int, favoriteRow);
        QFETCH(int, zone);
        QFETCH(QString, assign);
        QFETCH(QString, bypass);

        selectFavorite(favoriteRow);
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        click(*window, bypassBox(zone));
        QCOMPARE(sentCommands(spy), QStringList{assign});
        QCOMPARE(window->favoriteSource[favoriteRow][zone - 1], 0);
        QVERIFY(sourceCombo(zone)->isEnabled());

        click(*window, bypassBox(zone));
        QCOMPARE(sentCommands(spy), (QStringList{assign, bypass}));
        QCOMPARE(window->favoriteSource[favoriteRow][zone - 1], FavoriteBypass);
        QVERIFY(!sourceCombo(zone)->isEnabled());
    }

    void favoriteSource_data()
    {
        QTest::addColumn<int>("favoriteRow");
        QTest::addColumn<int>("zone");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected");
        QTest::newRow("favorite 1, zone 4, source 9") << 0 << 4 << 8 << "[F1AO4I9]";
        QTest::newRow("favorite 7, zone 13, source 16") << 6 << 13 << 15 << "[F7AO13I16]";
        QTest::newRow("favorite 2, zone 1, source 2") << 1 << 1 << 1 << "[F2AO1I2]";
    }

    void favoriteSource()
    {
        QFETCH(int, favoriteRow);
        QFETCH(int, zone);
        QFETCH(int, index);
        QFETCH(QString, expected);

        selectFavorite(favoriteRow);
        click(*window, bypassBox(zone));
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        sourceCombo(zone)->setCurrentIndex(index);
        QCOMPARE(sentCommands(spy), QStringList{expected});
        QCOMPARE(window->favoriteSource[favoriteRow][zone - 1], index);

        // Bypassing and un-bypassing again assigns the source the combo shows.
        click(*window, bypassBox(zone));
        click(*window, bypassBox(zone));
        QCOMPARE(sentCommands(spy).last(), expected);
        QCOMPARE(window->favoriteSource[favoriteRow][zone - 1], index);
    }

    void renameInList_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("group 2") << "listViewGroup" << 1 << "Downstairs"
                                 << "[NG2\"Downstairs\"]";
        QTest::newRow("group 10") << "listViewGroup" << 9 << "All"
                                  << "[NG10\"All\"]";
        QTest::newRow("favorite 3") << "listViewFavorites" << 2 << "Movie Night"
                                    << "[NF3\"Movie Night\"]";
        QTest::newRow("favorite 1") << "listViewFavorites" << 0 << "Party"
                                    << "[NF1\"Party\"]";
    }

    void renameInList()
    {
        QFETCH(QString, list);
        QFETCH(int, row);
        QFETCH(QString, name);
        QFETCH(QString, expected);

        auto *view = named<QListView>(*window, list);
        showPageOf(*window, view);
        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        QVERIFY(renameInPlace(view, row, name));
        // The delegate commits after Return on its next pass of the event loop.
        QTRY_COMPARE(sentCommands(spy), QStringList{expected});
        QCOMPARE(view->model()->index(row, 0).data().toString(), name);
    }

    // An in-place edit left empty is refused in every name list: the row
    // keeps its name and nothing is sent; the next edit goes out as usual.
    void emptiedListNameIsRefused_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("byFocus"); // editor left by focus instead of Return
        QTest::addColumn<QString>("next");

        QTest::newRow("group 2, Return") << "listViewGroup" << 1 << false << "[NG2\"Next\"]";
        QTest::newRow("group 10, focus") << "listViewGroup" << 9 << true << "[NG10\"Next\"]";
        QTest::newRow("favorite 1, Return") << "listViewFavorites" << 0 << false << "[NF1\"Next\"]";
        QTest::newRow("favorite 6, focus") << "listViewFavorites" << 5 << true << "[NF6\"Next\"]";
        QTest::newRow("preset 3, Return") << "listViewDSPPreset" << 2 << false << "[NEP3\"Next\"]";
        QTest::newRow("preset 10, focus") << "listViewDSPPreset" << 9 << true << "[NEP10\"Next\"]";
    }

    void emptiedListNameIsRefused()
    {
        QFETCH(QString, list);
        QFETCH(int, row);
        QFETCH(bool, byFocus);
        QFETCH(QString, next);

        auto *view = named<QListView>(*window, list);
        showPageOf(*window, view);
        if (view == window->ui->listViewDSPPreset)
            window->ui->comboBoxDSPMode->setCurrentIndex(Preset); // the list takes edits in Preset mode
        QVERIFY(view->isEnabled());
        const QModelIndex index = view->model()->index(row, 0);
        const QString held = index.data().toString();

        QSignalSpy spy(window.get(), &zor_config::sendSentData);
        view->setCurrentIndex(index);
        view->edit(index);
        auto *editor = qobject_cast<QLineEdit *>(view->indexWidget(index));
        QVERIFY(editor);
        QTRY_VERIFY(editor->hasFocus());
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Delete);
        QCOMPARE(editor->text(), QString());
        if (byFocus)
            window->ui->tabWidget->setFocus();
        else
            QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!view->indexWidget(index)); // the editor has committed and closed
        QCOMPARE(sentCommands(spy), QStringList());
        QCOMPARE(index.data().toString(), held);

        QVERIFY(renameInPlace(view, row, "Next"));
        QTRY_COMPARE(sentCommands(spy), QStringList{next});
        QCOMPARE(index.data().toString(), QStringLiteral("Next"));
    }
};

QTEST_MAIN(tst_group_favorite_editors)
#include "tst_group_favorite_editors.moc"
