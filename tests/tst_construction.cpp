// The main window right after construction: name models, list selections,
// settings state, title, status, actions, the source combos sharing one model,
// and the wiring of widget families by object name.
#include <QRadioButton>
#include <QtTest>

#include <functional>
#include <memory>

#include "app/zor_config.h"
#include "forms/zor_config_form.h"

namespace {

QString num(const char *prefix, int n)
{
    return QLatin1String(prefix) + QLatin1Char('_') + QString::number(n);
}

QStringList numberedNames(const QString &prefix, int count)
{
    QStringList names;
    for (int n = 1; n <= count; ++n)
        names << prefix + QString::number(n);
    return names;
}

QStringList itemsOf(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// Removes one connection of the family's signal(s) from widget to the
// window's editor slot(s); returns how many were there.
using Disconnector = std::function<int(QWidget *, zor_config *)>;

template <typename W, typename Signal, typename Slot>
int drop(QWidget *widget, zor_config *window, Signal signal, Slot slot)
{
    auto *typed = qobject_cast<W *>(widget);
    return typed && QObject::disconnect(typed, signal, window, slot) ? 1 : 0;
}

Disconnector familyDisconnector(const QString &key)
{
    using z = zor_config;
    const auto valueChanged = qOverload<int>(&QSpinBox::valueChanged);
    const auto indexChanged = qOverload<int>(&QComboBox::currentIndexChanged);
    if (key == "sliderZoneVol")
        return [](QWidget *w, z *s) {
            return drop<QSlider>(w, s, &QSlider::valueChanged, &z::sliderZoneVolChange);
        };
    if (key == "sliderDSPEQ")
        return [](QWidget *w, z *s) {
            return drop<QSlider>(w, s, &QSlider::valueChanged, &z::sliderDSPEqChange);
        };
    if (key == "checkBoxZoneMute")
        return [](QWidget *w, z *s) {
            return drop<QCheckBox>(w, s, &QCheckBox::toggled, &z::checkBoxZoneMuteChange);
        };
    if (key == "checkBoxGroupZone")
        return [](QWidget *w, z *s) {
            return drop<QCheckBox>(w, s, &QCheckBox::toggled, &z::checkBoxGroupZoneChange);
        };
    if (key == "checkBoxFavoriteBypass")
        return [](QWidget *w, z *s) {
            return drop<QCheckBox>(w, s, &QCheckBox::toggled, &z::checkBoxFavoriteBypassChange);
        };
    if (key == "spinBoxZoneBal")
        return [valueChanged](QWidget *w, z *s) {
            return drop<QSpinBox>(w, s, valueChanged, &z::spinBoxZoneBalChange);
        };
    if (key == "spinBoxZonePOnVol")
        return [valueChanged](QWidget *w, z *s) {
            return drop<QSpinBox>(w, s, valueChanged, &z::spinBoxZonePOnVolChange);
        };
    if (key == "comboBoxZoneSource")
        return [indexChanged](QWidget *w, z *s) {
            return drop<QComboBox>(w, s, indexChanged, &z::comboBoxZoneSourceChange);
        };
    if (key == "comboBoxFavoriteSource")
        return [indexChanged](QWidget *w, z *s) {
            return drop<QComboBox>(w, s, indexChanged, &z::comboBoxFavoriteSourceChange);
        };
    if (key == "lineEditZoneName")
        return [](QWidget *w, z *s) {
            return drop<QLineEdit>(w, s, &QLineEdit::editingFinished, &z::lineEditZoneNameChange) +
                   drop<QLineEdit>(w, s, &QLineEdit::textEdited, &z::lineEditZoneNameChangeFlag);
        };
    if (key == "lineEditSourceName")
        return [](QWidget *w, z *s) {
            return drop<QLineEdit>(w, s, &QLineEdit::editingFinished, &z::lineEditSourceNameChange) +
                   drop<QLineEdit>(w, s, &QLineEdit::textEdited, &z::lineEditSourceNameChangeFlag);
        };
    return nullptr;
}

int signalsOf(const QString &key)
{
    return key.startsWith(QLatin1String("lineEdit")) ? 2 : 1;
}

QWidget *create(const QString &className, QWidget *parent)
{
    if (className == "QSlider")
        return new QSlider(parent);
    if (className == "QSpinBox")
        return new QSpinBox(parent);
    if (className == "QCheckBox")
        return new QCheckBox(parent);
    if (className == "QRadioButton")
        return new QRadioButton(parent);
    if (className == "QPushButton")
        return new QPushButton(parent);
    if (className == "QComboBox")
        return new QComboBox(parent);
    if (className == "QLineEdit")
        return new QLineEdit(parent);
    if (className == "QLabel")
        return new QLabel(parent);
    return nullptr;
}

} // namespace

class tst_construction : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<zor_config> window;

    Ui_zor_config &ui() { return *window->ui; }

private slots:
    void init() { window.reset(new zor_config); }
    void cleanup() { window.reset(); }

    void titleStatusAndActions()
    {
        QCOMPARE(window->windowTitle(), QStringLiteral("ZOR Setup Utility - Version 2.2"));
        QCOMPARE(window->statusLabel.text(), QStringLiteral("No Connection"));
        QCOMPARE(window->statusLabel.parentWidget(), static_cast<QWidget *>(ui().statusBar));
        QVERIFY(!ui().actionReceiveAll->isEnabled());
        QVERIFY(!ui().actionSendAll->isEnabled());
        QVERIFY(ui().actionSerial->isCheckable() && !ui().actionSerial->isChecked());
        QVERIFY(ui().actionTelnet->isCheckable() && !ui().actionTelnet->isChecked());
        for (QAction *action : {ui().actionLoad, ui().actionSave, ui().actionExit, ui().actionConsole})
            QVERIFY(action->isEnabled());
        QCOMPARE(ui().tabWidget->currentIndex(), 0);
        QCOMPARE(ui().labelDSPHighpassVal->text(), QStringLiteral("100"));
        QCOMPARE(ui().sliderDSPHighpass->value(), 100);
        QCOMPARE(ui().comboBoxDSPMode->currentIndex(), 0);
    }

    void models_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("sources") << "source" << numberedNames("Source Name ", 16);
        QTest::newRow("zones") << "zone" << numberedNames("Zone Name ", 16);
        QTest::newRow("presets") << "preset" << numberedNames("Preset Name ", 10);
        QTest::newRow("groups") << "group" << numberedNames("Group Name ", 10);
        QTest::newRow("favorites") << "favorite" << numberedNames("Favorite Name ", 10);
    }

    void models()
    {
        QFETCH(QString, model);
        const QMap<QString, QStringListModel *> models{{"source", &window->sourceNamesModel},
                                                       {"zone", &window->zoneNamesModel},
                                                       {"preset", &window->presetNamesModel},
                                                       {"group", &window->groupNamesModel},
                                                       {"favorite", &window->favoriteNamesModel}};
        QTEST(models.value(model)->stringList(), "rows");
    }

    void listViews_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("currentRow"); // -1: none
        QTest::newRow("DSP zones") << "listViewDSPZone"
                                   << "zone" << 0;
        QTest::newRow("DSP presets") << "listViewDSPPreset"
                                     << "preset" << -1;
        QTest::newRow("groups") << "listViewGroup"
                                << "group" << 0;
        QTest::newRow("favorites") << "listViewFavorites"
                                   << "favorite" << 0;
    }

    void listViews()
    {
        QFETCH(QString, view);
        QFETCH(QString, model);
        QFETCH(int, currentRow);
        const QMap<QString, QStringListModel *> models{{"zone", &window->zoneNamesModel},
                                                       {"preset", &window->presetNamesModel},
                                                       {"group", &window->groupNamesModel},
                                                       {"favorite", &window->favoriteNamesModel}};
        auto *list = window->findChild<QListView *>(view);
        QVERIFY(list);
        QCOMPARE(list->model(), static_cast<QAbstractItemModel *>(models.value(model)));
        QCOMPARE(list->currentIndex().isValid() ? list->currentIndex().row() : -1, currentRow);
        if (currentRow >= 0)
            QVERIFY(list->selectionModel()->isRowSelected(currentRow, QModelIndex()));
        else
            QVERIFY(!list->selectionModel()->hasSelection());
    }

    void settingsState()
    {
        const ushort frequencies[10] = {32, 64, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};
        for (int band = 0; band < 10; ++band)
            QCOMPARE(window->eqBandFrequency[band], frequencies[band]);

        for (const ZoneDspSettings &zone : window->zoneDsp) {
            QCOMPARE(zone.mode, int(Disabled));
            QCOMPARE(zone.bass, 0);
            QCOMPARE(zone.treble, 0);
            for (int gain : zone.eq)
                QCOMPARE(gain, 0);
            QCOMPARE(zone.preset, 0);
            QCOMPARE(zone.lowpass, 100);
            QCOMPARE(zone.highpass, 100);
        }
        for (const auto &favorite : window->favoriteSource) {
            for (int source : favorite)
                QCOMPARE(source, FavoriteBypass);
        }
        for (ushort members : window->groupZones)
            QCOMPARE(members, ushort(0));
        for (const auto &preset : window->presetEq) {
            for (int gain : preset)
                QCOMPARE(gain, 0);
        }
        for (int i = 0; i < 16; ++i) {
            QVERIFY(!window->sourceNameChanged[i]);
            QVERIFY(!window->zoneNameChanged[i]);
        }
        QVERIFY(!window->networkIpChanged);
        QVERIFY(!window->networkGatewayChanged);
        QVERIFY(!window->networkMaskChanged);
    }

    // All 32 source combos show the source names model, so a rename shows
    // everywhere at once.
    void sourceCombosShareTheNames_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << 1 << "Tuner";
        QTest::newRow("middle") << 9 << "Blu-ray Ü";
        QTest::newRow("last") << 16 << "";
    }

    void sourceCombosShareTheNames()
    {
        QFETCH(int, source);
        QFETCH(QString, name);
        QStringList expected = numberedNames("Source Name ", 16);
        QList<QComboBox *> combos;
        for (int n = 1; n <= 16; ++n) {
            combos << ui().comboBoxZoneSourceN[n] << ui().comboBoxFavoriteSourceN[n];
        }
        QCOMPARE(combos.size(), 32);
        for (QComboBox *combo : combos) {
            QCOMPARE(itemsOf(combo), expected);
            QCOMPARE(combo->currentIndex(), 0);
        }

        QVERIFY(window->sourceNamesModel.setData(window->sourceNamesModel.index(source - 1), name));
        expected[source - 1] = name;
        for (QComboBox *combo : combos)
            QCOMPARE(itemsOf(combo), expected);
    }

    void bypassBoxTogglesItsCombo_data()
    {
        QTest::addColumn<int>("zone");
        for (int zone : {1, 5, 12, 16})
            QTest::addRow("zone %d", zone) << zone;
    }

    void bypassBoxTogglesItsCombo()
    {
        QFETCH(int, zone);
        QCheckBox *bypass = ui().checkBoxFavoriteBypassN[zone];
        bypass->setChecked(false);
        for (int n = 1; n <= 16; ++n)
            QCOMPARE(ui().comboBoxFavoriteSourceN[n]->isEnabled(), n == zone);
        bypass->setChecked(true);
        for (int n = 1; n <= 16; ++n)
            QVERIFY(!ui().comboBoxFavoriteSourceN[n]->isEnabled());
    }

    // A widget added after construction and wired by a second run: the
    // family's class is connected whatever follows the prefix, another class
    // with the same prefix is not, and nothing is connected twice.
    void familyWiring_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("family"); // empty: must stay unwired
        const auto add = [](const char *tag, const char *className, const char *name, const char *parent,
                            const char *familyKey) {
            QTest::newRow(tag) << QString(className) << QString(name) << QString(parent)
                               << QString(familyKey);
        };
        add("slider without number", "QSlider", "sliderZoneVol", "tabZone", "sliderZoneVol");
        add("slider, number 99", "QSlider", "sliderZoneVol_99", "tabZone", "sliderZoneVol");
        add("spin box named like a slider", "QSpinBox", "sliderZoneVol_99", "tabZone", "");
        add("label named like a slider", "QLabel", "sliderZoneVol_17", "tabZone", "");
        add("check box, letter suffix", "QCheckBox", "checkBoxGroupZoneX", "groupBoxGroupMembers",
            "checkBoxGroupZone");
        add("push button named like a check box", "QPushButton", "checkBoxGroupZone_3",
            "groupBoxGroupMembers", "");
        add("radio button named like a mute box", "QRadioButton", "checkBoxZoneMute_77", "tabZone", "");
        add("mute box, prefix inside the name", "QCheckBox", "spareCheckBoxZoneMute", "tabZone", "");
        add("mute box, prefix in the middle", "QCheckBox", "xcheckBoxZoneMute_2", "tabZone",
            "checkBoxZoneMute");
        add("EQ slider 11", "QSlider", "sliderDSPEQ_11", "frameDSPEQ", "sliderDSPEQ");
        add("favorite bypass 0", "QCheckBox", "checkBoxFavoriteBypass_0", "groupBoxFavorite",
            "checkBoxFavoriteBypass");
        add("favorite source extra", "QComboBox", "comboBoxFavoriteSourceExtra", "groupBoxFavorite",
            "comboBoxFavoriteSource");
        add("zone source extra", "QComboBox", "comboBoxZoneSource_17", "tabZone", "comboBoxZoneSource");
        add("balance spin box", "QSpinBox", "spinBoxZoneBal", "tabZone", "spinBoxZoneBal");
        add("power-on volume spin box", "QSpinBox", "spinBoxZonePOnVol_0", "tabZone", "spinBoxZonePOnVol");
        add("slider named like a spin box", "QSlider", "spinBoxZoneBal_5", "tabZone", "");
        add("zone name edit", "QLineEdit", "lineEditZoneName", "tabZone", "lineEditZoneName");
        add("source name edit", "QLineEdit", "lineEditSourceName_17", "tabSource", "lineEditSourceName");
        add("combo named like an edit", "QComboBox", "lineEditSourceName_18", "tabSource", "");
    }

    void familyWiring()
    {
        QFETCH(QString, className);
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QString, family);
        auto *page = window->findChild<QWidget *>(parent);
        QVERIFY(page);
        QWidget *added = create(className, page);
        QVERIFY(added);
        added->setObjectName(name);

        window->wireFamilies();
        window->wireFamilies(); // a repeated run adds nothing

        if (family.isEmpty()) {
            QVERIFY2(!QObject::disconnect(added, nullptr, window.get(), nullptr), "wired to the window");
            return;
        }
        const Disconnector dropOne = familyDisconnector(family);
        QVERIFY(dropOne);
        QCOMPARE(dropOne(added, window.get()), signalsOf(family));
        QCOMPARE(dropOne(added, window.get()), 0);
        QVERIFY2(!QObject::disconnect(added, nullptr, window.get(), nullptr), "also wired to another slot");
        if (auto *combo = qobject_cast<QComboBox *>(added)) {
            QCOMPARE(combo->model(), static_cast<QAbstractItemModel *>(&window->sourceNamesModel));
            QCOMPARE(itemsOf(combo), numberedNames("Source Name ", 16));
        }
    }

    // Every form member of a family is wired exactly once, also after the
    // wiring ran again: a doubled connection would send each edit twice.
    void formFamiliesWiredOnce_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("count");
        for (const char *key : {"lineEditSourceName", "lineEditZoneName", "sliderZoneVol", "checkBoxZoneMute",
                                "spinBoxZoneBal", "spinBoxZonePOnVol", "comboBoxZoneSource",
                                "checkBoxGroupZone", "checkBoxFavoriteBypass", "comboBoxFavoriteSource"})
            QTest::newRow(key) << QString(key) << 16;
        QTest::newRow("sliderDSPEQ") << "sliderDSPEQ" << 10;
    }

    void formFamiliesWiredOnce()
    {
        QFETCH(QString, family);
        QFETCH(int, count);
        window->wireFamilies();
        const Disconnector dropOne = familyDisconnector(family);
        QVERIFY(dropOne);
        for (int n = 1; n <= count; ++n) {
            auto *member = window->findChild<QWidget *>(num(qPrintable(family), n));
            QVERIFY(member);
            QCOMPARE(dropOne(member, window.get()), signalsOf(family));
            QCOMPARE(dropOne(member, window.get()), 0);
        }
    }
};

QTEST_MAIN(tst_construction)
#include "tst_construction.moc"
