// The main window form on a bare QMainWindow: every widget by object name
// with its class, parent, layout place, range, state, text and status tip,
// the actions and menus, the style sheet, fonts and the form's own
// widget-to-widget connections. Widgets are looked up by name, as the
// editors, the parser and send-all do.
#include <QtTest>

#include <memory>

#include "forms/zor_config_form.h"

namespace {

const QVariant NoText;

QString num(const char *prefix, int n)
{
    return QLatin1String(prefix) + QLatin1Char('_') + QString::number(n);
}

QString textOf(QObject *object)
{
    if (auto *box = qobject_cast<QGroupBox *>(object))
        return box->title();
    return object->property("text").toString();
}

// Place of a widget in a layout: grid row, column and spans; for a box layout
// the index in the layout and -1 for the rest.
struct Place {
    int row = -1, column = -1, rowSpan = -1, columnSpan = -1;
};

Place placeIn(QLayout *layout, QWidget *widget)
{
    Place place;
    const int index = layout->indexOf(widget);
    if (index < 0)
        return place;
    if (auto *grid = qobject_cast<QGridLayout *>(layout))
        grid->getItemPosition(index, &place.row, &place.column, &place.rowSpan, &place.columnSpan);
    else
        place.row = index;
    return place;
}

} // namespace

class tst_form : public QObject
{
    Q_OBJECT

private:
    QMainWindow window;
    Ui_zor_config ui;

    template <typename T = QWidget> T *widget(const QString &name) { return window.findChild<T *>(name); }

    // Inventory row: object, class, parent widget, layout and place in it,
    // text (NoText: not checked) and status tip.
    void row(const QString &name, const char *className, const QString &parent, const QString &layout,
             Place place, const QVariant &text, const QString &statusTip = QString())
    {
        QTest::newRow(qPrintable(name))
            << name << QByteArray(className) << parent << layout << place.row << place.column << place.rowSpan
            << place.columnSpan << text << statusTip;
    }
    static Place cell(int row, int column, int rowSpan = 1, int columnSpan = 1)
    {
        return Place{row, column, rowSpan, columnSpan};
    }
    static Place at(int index) { return Place{index, -1, -1, -1}; }

private slots:
    void initTestCase() { ui.setupUi(&window); }

    void window_frame()
    {
        QCOMPARE(window.objectName(), QStringLiteral("zor_config"));
        QCOMPARE(window.size(), QSize(800, 719));
        QVERIFY(window.windowTitle().isEmpty());
        QCOMPARE(window.centralWidget(), widget("centralWidget"));
        QCOMPARE(window.menuBar(), widget<QMenuBar>("menuBar"));
        QCOMPARE(window.statusBar(), widget<QStatusBar>("statusBar"));
        QCOMPARE(widget("menuBar")->geometry(), QRect(0, 0, 800, 22));
        QCOMPARE(placeIn(widget("centralWidget")->layout(), widget("tabWidget")).row, 0);
        QCOMPARE(widget("centralWidget")->layout()->objectName(), QStringLiteral("gridLayout"));
    }

    void tabs()
    {
        auto *tabs = widget<QTabWidget>("tabWidget");
        QVERIFY(tabs);
        const QStringList pages{"tabSource",    "tabZone",           "tabDSP", "tabNetwork", "tabGroups",
                                "tabFavorites", "tabTroubleshooting"};
        const QStringList titles{"Source",    "Zone",           "DSP", "Network/Misc", "Groups",
                                 "Favorites", "Troubleshooting"};
        QCOMPARE(tabs->count(), pages.size());
        for (int i = 0; i < pages.size(); ++i) {
            QCOMPARE(tabs->widget(i)->objectName(), pages[i]);
            QCOMPARE(tabs->tabText(i), titles[i]);
        }
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(!widget("tabTroubleshooting")->layout());
    }

    void inventory_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("className");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("gridRow");
        QTest::addColumn<int>("gridColumn");
        QTest::addColumn<int>("rowSpan");
        QTest::addColumn<int>("columnSpan");
        QTest::addColumn<QVariant>("text");
        QTest::addColumn<QString>("statusTip");

        const QString none;
        const Place free;

        // Source page
        row("labelSourceName", "QLabel", "tabSource", "gridLayout_2", cell(0, 1, 1, 2), "Source Name");
        for (int n = 1; n <= 16; ++n) {
            row(num("labelSourceName", n), "QLabel", "tabSource", "gridLayout_2", cell(n, 0),
                QString("Source %1").arg(n));
            row(num("lineEditSourceName", n), "QLineEdit", "tabSource", "gridLayout_2", cell(n, 2),
                QString("Source Name %1").arg(n), "Set the name of the source input.");
        }

        // Zone page
        const char *headers[][2] = {
            {"labelZoneName", "Zone Name"}, {"labelZoneVol", "Volume (dB)"}, {nullptr, nullptr},
            {"labelZoneMute", "Mute"},      {"labelZoneFix", "Fixed"},       {"labelZoneBalance", "Bal (dB)"},
            {"labelZoneSource", "Source"},  {"labelZonePower", "Power"},     {"labelZonePOnVol", "POn Vol"}};
        for (int column = 1; column <= 9; ++column) {
            if (headers[column - 1][0])
                row(headers[column - 1][0], "QLabel", "tabZone", "gridLayout_4", cell(0, column),
                    headers[column - 1][1]);
        }
        for (int n = 1; n <= 16; ++n) {
            const auto zone = [&](const char *prefix, const char *className, int column, const QVariant &text,
                                  const char *tip) {
                row(num(prefix, n), className, "tabZone", "gridLayout_4", cell(n, column), text, tip);
            };
            zone("labelZone", "QLabel", 0, QString("Zone %1").arg(n), "");
            zone("lineEditZoneName", "QLineEdit", 1, QString("Zone Name %1").arg(n),
                 "Set the name of the zone output.");
            zone("sliderZoneVol", "QSlider", 2, NoText, "Sets the volume level of the output zone.");
            zone("labelZoneVol", "QLabel", 3, "-40", "");
            zone("checkBoxZoneMute", "QCheckBox", 4, "", "Mutes or unmutes the output volume.");
            zone("checkBoxZoneFix", "QCheckBox", 5, "",
                 "Sets the volume level to fixed (all the way up, and not adjustable).");
            zone("spinBoxZoneBal", "QSpinBox", 6, NoText,
                 "Sets left right balance. Negative values are left, positive right.");
            zone("comboBoxZoneSource", "QComboBox", 7, NoText,
                 "Set the source to connect to the output zone.");
            zone("checkBoxZonePower", "QCheckBox", 8, "", "Set the output zone to be on or off.");
            zone("spinBoxZonePOnVol", "QSpinBox", 9, NoText,
                 "Sets the volume level for an output returning from power off.");
        }

        // DSP page
        row("labelDSPZone", "QLabel", "tabDSP", "gridLayout_8", cell(0, 0), "Zone");
        row("labelDSPMode", "QLabel", "tabDSP", "gridLayout_8", cell(0, 1), "DSP Mode");
        row("listViewDSPZone", "QListView", "tabDSP", "gridLayout_8", cell(1, 0, 5, 1), NoText,
            "Sets the active output zone to edit.");
        row("comboBoxDSPMode", "QComboBox", "tabDSP", "gridLayout_8", cell(1, 1), NoText,
            "Sets the output zone DSP mode.");
        row("labelDSPPreset", "QLabel", "tabDSP", "gridLayout_8", cell(2, 1), "Preset");
        row("listViewDSPPreset", "QListView", "tabDSP", "gridLayout_8", cell(3, 1, 3, 1), NoText,
            "Sets the active preset and also names presets (double-click to edit).");
        row("frameDSPEQ", "QFrame", "tabDSP", "gridLayout_8", cell(0, 2, 4, 2), NoText);
        row("frameDSPTone", "QFrame", "tabDSP", "gridLayout_8", cell(4, 2, 2, 1), NoText);
        row("frameDSPLowpass", "QFrame", "tabDSP", "gridLayout_8", cell(4, 3), NoText);
        row("frameDSPHighpass", "QFrame", "tabDSP", "gridLayout_8", cell(5, 3), NoText);
        row("graphicsView", "QGraphicsView", "tabDSP", "gridLayout_8", cell(7, 0, 1, 4), NoText,
            "Shows the frequency response of the selected zone output.");
        const char *captions[] = {"32 Hz", "64 Hz", "125 Hz", "250 Hz", "500 Hz",
                                  "1 kHz", "2 kHz", "4 kHz",  "8 kHz",  "16 kHz"};
        for (int n = 1; n <= 10; ++n) {
            row(num("labelDSPEQ", n), "QLabel", "frameDSPEQ", "gridLayout_5", cell(0, n - 1),
                captions[n - 1]);
            row(num("sliderDSPEQ", n), "QSlider", "frameDSPEQ", "gridLayout_5", cell(1, n - 1), NoText,
                "Sets the level of gain for the particular frequency.");
            row(num("labelDSPEQVal", n), "QLabel", "frameDSPEQ", "gridLayout_5", cell(2, n - 1), "0");
        }
        row("labelDSPBass", "QLabel", "frameDSPTone", "gridLayout_6", cell(0, 0), "Bass");
        row("labelDSPTreble", "QLabel", "frameDSPTone", "gridLayout_6", cell(0, 1), "Treble");
        row("sliderDSPBass", "QSlider", "frameDSPTone", "gridLayout_6", cell(1, 0), NoText,
            "Sets the level of bass boost or cut.");
        row("sliderDSPTreble", "QSlider", "frameDSPTone", "gridLayout_6", cell(1, 1), NoText,
            "Sets the level of treble boost or cut.");
        row("labelDSPBassVal", "QLabel", "frameDSPTone", "gridLayout_6", cell(2, 0), "0");
        row("labelDSPTrebleVal", "QLabel", "frameDSPTone", "gridLayout_6", cell(2, 1), "0");
        row("labelDSPLowpass", "QLabel", "frameDSPLowpass", "gridLayout_3", cell(0, 0, 1, 2),
            "Lowpass Filter Frequency");
        row("sliderDSPLowpass", "QSlider", "frameDSPLowpass", "gridLayout_3", cell(1, 0), NoText,
            "Sets the cutoff frequency of the low pass filter.");
        row("labelDSPLowpassVal", "QLabel", "frameDSPLowpass", "gridLayout_3", cell(1, 1), "100");
        row("labelHighpass", "QLabel", "frameDSPHighpass", "gridLayout_7", cell(0, 0, 1, 2),
            "Highpass Filter Frequency");
        row("sliderDSPHighpass", "QSlider", "frameDSPHighpass", "gridLayout_7", cell(1, 0), NoText,
            "Sets the cutoff frequency of the highpass filter.");
        row("labelDSPHighpassVal", "QLabel", "frameDSPHighpass", "gridLayout_7", cell(1, 1), "100");

        // Network/Misc page
        row("groupBox", "QGroupBox", "tabNetwork", "gridLayout_10", cell(0, 0, 4, 1), "Network");
        row("groupBoxFPControls", "QGroupBox", "tabNetwork", "gridLayout_10", cell(0, 1),
            "Front Panel Controls");
        row("groupBoxSerial", "QGroupBox", "tabNetwork", "gridLayout_10", cell(1, 1), "Serial Port");
        row("groupBoxTrigger", "QGroupBox", "tabNetwork", "gridLayout_10", cell(2, 1), "Wired IR / Trigger");
        row("groupBoxNetwork", "QGroupBox", "groupBox", "verticalLayout_3", at(0),
            "Internet Protocol (IP) Settings");
        row("pushButtonNetworkCommit", "QPushButton", "groupBox", "verticalLayout_3", at(1), "Commit Changes",
            "Commit network setting changes to the unit. Telnet connections will be dropped.");
        row("groupBoxNetworkSDDP", "QGroupBox", "groupBox", "verticalLayout_3", at(2), "Device Discovery");
        row("checkBoxNetworkDHCP", "QCheckBox", "groupBoxNetwork", "verticalLayout", at(0), "Use DHCP",
            "Sets the network connection to use DHCP or static IP address settings.");
        row("groupBoxNetworkStatic", "QGroupBox", "groupBoxNetwork", "verticalLayout", at(1),
            "Static Settings", "Specify the static IP address, subnet, and gateway.");
        row("labelNetworkIP", "QLabel", "groupBoxNetworkStatic", "gridLayout_9", cell(0, 0), "IP Address");
        row("lineEditNetworkIP", "QLineEdit", "groupBoxNetworkStatic", "gridLayout_9", cell(0, 1),
            "192.168.0.13");
        row("labelNetworkMask", "QLabel", "groupBoxNetworkStatic", "gridLayout_9", cell(1, 0),
            "Network Mask");
        row("lineEditNetworkMask", "QLineEdit", "groupBoxNetworkStatic", "gridLayout_9", cell(1, 1),
            "255.255.255.0");
        row("labelNetworkGateway", "QLabel", "groupBoxNetworkStatic", "gridLayout_9", cell(2, 0), "Gateway");
        row("lineEditNetworkGateway", "QLineEdit", "groupBoxNetworkStatic", "gridLayout_9", cell(2, 1),
            "192.168.0.3");
        row("checkBoxNetworkSDDP", "QCheckBox", "groupBoxNetworkSDDP", "verticalLayout_2", at(0),
            "Use Control4(tm) Simple Device Discovery Protocol (SDDP)",
            "Enables or disables discovery using SDDP protocol.");
        row("labelFPBrightness", "QLabel", "groupBoxFPControls", "horizontalLayout", at(0),
            "Front Panel Brightness");
        row("sliderFPBrightness", "QSlider", "groupBoxFPControls", "horizontalLayout", at(1), NoText,
            "Sets the front panel brightness level.");
        row("labelFPBrightnessPercent", "QLabel", "groupBoxFPControls", "horizontalLayout", at(2), "100%");
        row("labelFPSleep", "QLabel", "groupBoxFPControls", "horizontalLayout_3", at(0),
            "Front Panel Sleep Time");
        row("sliderFPSleep", "QSlider", "groupBoxFPControls", "horizontalLayout_3", at(1), NoText,
            "Sets the amount of time before inactivity turns off the front panel display.");
        row("labelFPSleepTime", "QLabel", "groupBoxFPControls", "horizontalLayout_3", at(2), "5 Minute(s)");
        row("checkBoxFPIR", "QCheckBox", "groupBoxFPControls", "verticalLayout_4", at(2),
            "Front Panel IR Disable", "Enables the front panel IR receiver. Leave disabled unless in use.");
        row("checkBoxFPLock", "QCheckBox", "groupBoxFPControls", "verticalLayout_4", at(3),
            "Front Panel Lock", "Locks the front panel to prevent front panel tampering.");
        row("checkBoxSerial", "QCheckBox", "groupBoxSerial", none, free, "Serial Enable",
            "Serial response enable. Disable to speed network control methods.");
        row("labelTriggerMode", "QLabel", "groupBoxTrigger", "horizontalLayout_2", at(0), "Mode");
        row("comboBoxTriggerMode", "QComboBox", "groupBoxTrigger", "horizontalLayout_2", at(1), NoText,
            "Sets the back panel jack to be wired IR or audio trigger.");
        row("groupBoxTriggerSettings", "QGroupBox", "groupBoxTrigger", "verticalLayout_6", at(1),
            "Trigger Mode Settings");
        row("labelTriggerModeTime", "QLabel", "groupBoxTriggerSettings", "horizontalLayout_4", at(0), "Time");
        row("sliderTriggerTime", "QSlider", "groupBoxTriggerSettings", "horizontalLayout_4", at(1), NoText,
            "Sets the amount of time to stay active after an audio trigger event.");
        row("labelTriggerModeTimeVal", "QLabel", "groupBoxTriggerSettings", "horizontalLayout_4", at(2),
            "5 Minutes");
        row("labelTriggerModeLevel", "QLabel", "groupBoxTriggerSettings", "horizontalLayout_5", at(0),
            "Level");
        row("sliderTriggerLevel", "QSlider", "groupBoxTriggerSettings", "horizontalLayout_5", at(1), NoText,
            "Sets the required audio input level to trigger audio sense.");
        row("labelTriggerModeLevelVal", "QLabel", "groupBoxTriggerSettings", "horizontalLayout_5", at(2),
            "20 mVRMS");

        // Groups page
        row("labelGroupName", "QLabel", "tabGroups", "verticalLayout_8", at(0), "Group Name / Active");
        row("listViewGroup", "QListView", "tabGroups", "verticalLayout_8", at(1), NoText,
            "Sets the active group to edit and also names groups (double-click to edit name).");
        row("groupBoxGroupMembers", "QGroupBox", "tabGroups", "horizontalLayout_6", at(1), "Group Members",
            "Sets the zones that are a member of the active group.");
        for (int n = 1; n <= 16; ++n)
            row(num("checkBoxGroupZone", n), "QCheckBox", "groupBoxGroupMembers", "verticalLayout_7",
                at(n - 1), QString("Zone %1").arg(n));

        // Favorites page
        row("label", "QLabel", "tabFavorites", "verticalLayout_9", at(0), "Favorite Name / Active");
        row("listViewFavorites", "QListView", "tabFavorites", "verticalLayout_9", at(1), NoText,
            "Sets the active favorite, and also edits the names (double-click to edit).");
        row("groupBoxFavorite", "QGroupBox", "tabFavorites", "gridLayout_12", cell(0, 1), "Favorite Members");
        row("labelFavoriteZone", "QLabel", "groupBoxFavorite", "gridLayout_11", cell(0, 0), "Zone");
        row("labelFavoriteBypass", "QLabel", "groupBoxFavorite", "gridLayout_11", cell(0, 1), "Bypass");
        row("labelFavoriteSource", "QLabel", "groupBoxFavorite", "gridLayout_11", cell(0, 2), "Source");
        row("labelFavoriteZone_17", "QLabel", "groupBoxFavorite", "gridLayout_11", cell(0, 3), "Zone");
        row("labelFavoriteBypass_2", "QLabel", "groupBoxFavorite", "gridLayout_11", cell(0, 4, 1, 2),
            "Bypass");
        row("labelFavoriteSource_2", "QLabel", "groupBoxFavorite", "gridLayout_11", cell(0, 6), "Source");
        for (int n = 1; n <= 16; ++n) {
            const bool left = n <= 8;
            const int r = left ? n : n - 8;
            row(num("labelFavoriteZone", n), "QLabel", "groupBoxFavorite", "gridLayout_11",
                left ? cell(r, 0) : cell(r, 3, 1, 2), QString("Zone %1").arg(n));
            row(num("checkBoxFavoriteBypass", n), "QCheckBox", "groupBoxFavorite", "gridLayout_11",
                cell(r, left ? 1 : 5), "", "Causes the favorite to ignore this zone output when activated.");
            row(num("comboBoxFavoriteSource", n), "QComboBox", "groupBoxFavorite", "gridLayout_11",
                cell(r, left ? 2 : 6), NoText,
                "Specifies the source that is to be connected to the zone when the favorite is activated.");
        }

        // Troubleshooting page
        row("pushButtonPollOutputLevels", "QPushButton", "tabTroubleshooting", none, free,
            "Poll Volume Levels",
            "Reads the level at the output of the zone (affected by volume and source selection).");
        row("checkBoxPollOutputLevels", "QCheckBox", "tabTroubleshooting", none, free, "Poll every second",
            "Polls the output levels once a second while a connection is open.");
        row("label_2", "QLabel", "tabTroubleshooting", none, free, "Query all zones to\nrefresh display.");
        row("pushButtonSetOneToOne", "QPushButton", "tabTroubleshooting", none, free, "Reset Sources",
            "Sets zone 1 to source 1, zone 2 to source 2, ...");
        row("label_3", "QLabel", "tabTroubleshooting", none, free,
            "Sets each zone to the\ncorresponding source\n number.");
        row("pushButtonMaxAllVolumes", "QPushButton", "tabTroubleshooting", none, free, "Max All Zones",
            "Sets the output volume of all zones to 0 dB (100%). Turn your amp off first.");
        row("label_4", "QLabel", "tabTroubleshooting", none, free,
            "WARNING:\nTurn off amplifiers\nbefore setting\nvolumes to maximum.");
        for (int n = 1; n <= 16; ++n) {
            const QString box = num("groupBoxZone", n);
            row(box, "QGroupBox", "tabTroubleshooting", none, free, QString("Zone %1").arg(n));
            row(num("labelSourceZone", n), "QLabel", box, none, free, "Source 1");
            row(num("labelLeftZone", n), "QLabel", box, none, free, "Left");
            row(num("labelRightzone", n), "QLabel", box, none, free, "Right");
            row(num("progressBarLeftZone", n), "QProgressBar", box, none, free, NoText);
            row(num("progressBarRightZone", n), "QProgressBar", box, none, free, NoText);
        }
    }

    void inventory()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, className);
        QFETCH(QString, parent);
        QFETCH(QString, layout);
        QFETCH(int, gridRow);
        QFETCH(int, gridColumn);
        QFETCH(int, rowSpan);
        QFETCH(int, columnSpan);
        QFETCH(QVariant, text);
        QFETCH(QString, statusTip);

        const QList<QWidget *> found = window.findChildren<QWidget *>(name);
        QCOMPARE(found.size(), 1);
        QWidget *w = found.first();
        QCOMPARE(QByteArray(w->metaObject()->className()), className);
        QVERIFY(w->parentWidget());
        QCOMPARE(w->parentWidget()->objectName(), parent);
        if (!layout.isEmpty()) {
            auto *owner = window.findChild<QLayout *>(layout);
            QVERIFY2(owner, qPrintable(layout));
            const Place place = placeIn(owner, w);
            QCOMPARE(place.row, gridRow);
            QCOMPARE(place.column, gridColumn);
            QCOMPARE(place.rowSpan, rowSpan);
            QCOMPARE(place.columnSpan, columnSpan);
        }
        if (text.isValid())
            QCOMPARE(textOf(w), text.toString());
        QCOMPARE(w->statusTip(), statusTip);
    }

    // Every numbered family runs 1..count without gaps and stops there; the
    // members are created in ascending order, so a search returns zone 1
    // first.
    void families_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("count");
        const QStringList zoneFamilies{
            "labelSourceName",    "lineEditSourceName",     "labelZone",
            "lineEditZoneName",   "sliderZoneVol",          "labelZoneVol",
            "checkBoxZoneMute",   "checkBoxZoneFix",        "spinBoxZoneBal",
            "comboBoxZoneSource", "checkBoxZonePower",      "spinBoxZonePOnVol",
            "checkBoxGroupZone",  "checkBoxFavoriteBypass", "comboBoxFavoriteSource",
            "groupBoxZone",       "labelSourceZone",        "labelLeftZone",
            "labelRightzone",     "progressBarLeftZone",    "progressBarRightZone"};
        for (const QString &prefix : zoneFamilies)
            QTest::newRow(qPrintable(prefix)) << prefix << 16;
        for (const char *prefix : {"labelDSPEQ", "sliderDSPEQ", "labelDSPEQVal"})
            QTest::newRow(prefix) << QString(prefix) << 10;
    }

    void families()
    {
        QFETCH(QString, prefix);
        QFETCH(int, count);
        const QRegularExpression member(QStringLiteral("^%1_(\\d+)$").arg(prefix));
        QList<int> numbers;
        for (QWidget *w : window.findChildren<QWidget *>(member))
            numbers << member.match(w->objectName()).captured(1).toInt();
        QList<int> expected;
        for (int n = 1; n <= count; ++n)
            expected << n;
        QCOMPARE(numbers, expected);
    }

    // The named members and the family arrays are the same objects.
    void members_data()
    {
        QTest::addColumn<QObject *>("member");
        QTest::addColumn<QString>("name");
        for (int n = 1; n <= 16; ++n) {
            QTest::addRow("sliderZoneVolN[%d]", n)
                << static_cast<QObject *>(ui.sliderZoneVolN[n]) << num("sliderZoneVol", n);
            QTest::addRow("labelRightzoneN[%d]", n)
                << static_cast<QObject *>(ui.labelRightzoneN[n]) << num("labelRightzone", n);
            QTest::addRow("checkBoxFavoriteBypassN[%d]", n)
                << static_cast<QObject *>(ui.checkBoxFavoriteBypassN[n]) << num("checkBoxFavoriteBypass", n);
            QTest::addRow("comboBoxZoneSourceN[%d]", n)
                << static_cast<QObject *>(ui.comboBoxZoneSourceN[n]) << num("comboBoxZoneSource", n);
        }
        for (int n = 1; n <= 10; ++n)
            QTest::addRow("sliderDSPEQN[%d]", n)
                << static_cast<QObject *>(ui.sliderDSPEQN[n]) << num("sliderDSPEQ", n);
        QTest::newRow("sliderZoneVol_3") << static_cast<QObject *>(ui.sliderZoneVol_3) << "sliderZoneVol_3";
        QTest::newRow("labelRightzone_12")
            << static_cast<QObject *>(ui.labelRightzone_12) << "labelRightzone_12";
        QTest::newRow("groupBoxZone_7") << static_cast<QObject *>(ui.groupBoxZone_7) << "groupBoxZone_7";
        QTest::newRow("labelDSPEQVal_10")
            << static_cast<QObject *>(ui.labelDSPEQVal_10) << "labelDSPEQVal_10";
        QTest::newRow("spinBoxZonePOnVol_16")
            << static_cast<QObject *>(ui.spinBoxZonePOnVol_16) << "spinBoxZonePOnVol_16";
        QTest::newRow("labelFavoriteZone_17")
            << static_cast<QObject *>(ui.labelFavoriteZone_17) << "labelFavoriteZone_17";
        QTest::newRow("statusBar") << static_cast<QObject *>(ui.statusBar) << "statusBar";
        QTest::newRow("gridLayout_11") << static_cast<QObject *>(ui.gridLayout_11) << "gridLayout_11";
        QTest::newRow("horizontalLayout_5")
            << static_cast<QObject *>(ui.horizontalLayout_5) << "horizontalLayout_5";
    }

    void members()
    {
        QFETCH(QObject *, member);
        QFETCH(QString, name);
        QVERIFY(member);
        QCOMPARE(member->objectName(), name);
        QCOMPARE(window.findChild<QObject *>(name), member);
    }

    void layouts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("className");
        QTest::addColumn<QString>("owner"); // widget that owns it, empty when nested
        QTest::addColumn<QString>("outer"); // layout it is nested in
        const auto add = [](const char *name, const char *className, const char *owner, const char *outer) {
            QTest::newRow(name) << QString(name) << QByteArray(className) << QString(owner) << QString(outer);
        };
        add("gridLayout", "QGridLayout", "centralWidget", "");
        add("gridLayout_2", "QGridLayout", "tabSource", "");
        add("gridLayout_4", "QGridLayout", "tabZone", "");
        add("gridLayout_8", "QGridLayout", "tabDSP", "");
        add("gridLayout_5", "QGridLayout", "frameDSPEQ", "");
        add("gridLayout_6", "QGridLayout", "frameDSPTone", "");
        add("gridLayout_3", "QGridLayout", "frameDSPLowpass", "");
        add("gridLayout_7", "QGridLayout", "frameDSPHighpass", "");
        add("gridLayout_10", "QGridLayout", "tabNetwork", "");
        add("verticalLayout_3", "QVBoxLayout", "groupBox", "");
        add("verticalLayout", "QVBoxLayout", "groupBoxNetwork", "");
        add("gridLayout_9", "QGridLayout", "groupBoxNetworkStatic", "");
        add("verticalLayout_2", "QVBoxLayout", "groupBoxNetworkSDDP", "");
        add("verticalLayout_4", "QVBoxLayout", "groupBoxFPControls", "");
        add("horizontalLayout", "QHBoxLayout", "", "verticalLayout_4");
        add("horizontalLayout_3", "QHBoxLayout", "", "verticalLayout_4");
        add("verticalLayout_6", "QVBoxLayout", "groupBoxTrigger", "");
        add("horizontalLayout_2", "QHBoxLayout", "", "verticalLayout_6");
        add("verticalLayout_5", "QVBoxLayout", "groupBoxTriggerSettings", "");
        add("horizontalLayout_4", "QHBoxLayout", "", "verticalLayout_5");
        add("horizontalLayout_5", "QHBoxLayout", "", "verticalLayout_5");
        add("horizontalLayout_6", "QHBoxLayout", "tabGroups", "");
        add("verticalLayout_8", "QVBoxLayout", "", "horizontalLayout_6");
        add("verticalLayout_7", "QVBoxLayout", "groupBoxGroupMembers", "");
        add("gridLayout_12", "QGridLayout", "tabFavorites", "");
        add("verticalLayout_9", "QVBoxLayout", "", "gridLayout_12");
        add("gridLayout_11", "QGridLayout", "groupBoxFavorite", "");
    }

    void layouts()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, className);
        QFETCH(QString, owner);
        QFETCH(QString, outer);
        auto *layout = window.findChild<QLayout *>(name);
        QVERIFY(layout);
        QCOMPARE(QByteArray(layout->metaObject()->className()), className);
        QCOMPARE(layout->spacing(), 6);
        if (owner.isEmpty()) {
            auto *parentLayout = qobject_cast<QLayout *>(layout->parent());
            QVERIFY(parentLayout);
            QCOMPARE(parentLayout->objectName(), outer);
            QCOMPARE(layout->contentsMargins(), QMargins(0, 0, 0, 0));
        } else {
            QCOMPARE(widget(owner)->layout(), layout);
            QCOMPARE(layout->contentsMargins(), QMargins(11, 11, 11, 11));
        }
    }

    void spacers()
    {
        // Source page: below the last row, in the line edits' column.
        auto *grid = ui.gridLayout_2;
        QSpacerItem *spacer = grid->itemAtPosition(17, 2)->spacerItem();
        QVERIFY(spacer);
        QCOMPARE(spacer->sizeHint(), QSize(20, 54));
        QCOMPARE(spacer->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
        QVERIFY(ui.gridLayout_10->itemAtPosition(4, 0)->spacerItem());
        QCOMPARE(ui.gridLayout_10->itemAtPosition(4, 0)->sizeHint(), QSize(20, 182));
        QCOMPARE(ui.gridLayout_10->itemAtPosition(4, 1)->sizeHint(), QSize(20, 40));
        QCOMPARE(ui.gridLayout_12->itemAtPosition(1, 1)->sizeHint(), QSize(20, 228));
        QCOMPARE(ui.gridLayout_12->itemAtPosition(1, 0)->sizeHint(), QSize(20, 109));
        QCOMPARE(ui.gridLayout_12->itemAtPosition(0, 0)->layout(), ui.verticalLayout_9);
        QLayoutItem *groupsSpacer = ui.horizontalLayout_6->itemAt(2);
        QVERIFY(groupsSpacer->spacerItem());
        QCOMPARE(groupsSpacer->sizeHint(), QSize(323, 20));
        QCOMPARE(groupsSpacer->spacerItem()->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(ui.horizontalLayout_6->itemAt(0)->layout(), ui.verticalLayout_8);
        QCOMPARE(ui.verticalLayout_4->itemAt(0)->layout(), ui.horizontalLayout);
        QCOMPARE(ui.verticalLayout_4->itemAt(1)->layout(), ui.horizontalLayout_3);
        QCOMPARE(ui.verticalLayout_6->itemAt(0)->layout(), ui.horizontalLayout_2);
    }

    // Range and initial value of every slider, spin box and level bar.
    void ranges_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        const auto add = [](const QString &name, int minimum, int maximum, int value) {
            QTest::newRow(qPrintable(name)) << name << minimum << maximum << value;
        };
        for (int n = 1; n <= 16; ++n) {
            add(num("sliderZoneVol", n), -80, 0, -40);
            add(num("spinBoxZoneBal", n), -80, 80, 0);
            add(num("spinBoxZonePOnVol", n), -80, 0, -40);
            add(num("progressBarLeftZone", n), 0, 100, 0);
            add(num("progressBarRightZone", n), 0, 100, 0);
        }
        for (int n = 1; n <= 10; ++n)
            add(num("sliderDSPEQ", n), -10, 10, 0);
        add("sliderDSPBass", -12, 12, 0);
        add("sliderDSPTreble", -12, 12, 0);
        add("sliderDSPLowpass", 40, 240, 100);
        add("sliderDSPHighpass", 100, 20000, 100);
        add("sliderFPBrightness", 0, 3, 3);
        add("sliderFPSleep", 0, 3, 3);
        add("sliderTriggerTime", 5, 15, 5);
        add("sliderTriggerLevel", 20, 200, 20);
    }

    void ranges()
    {
        QFETCH(QString, name);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, value);
        QWidget *w = widget(name);
        QVERIFY(w);
        QCOMPARE(w->property("minimum").toInt(), minimum);
        QCOMPARE(w->property("maximum").toInt(), maximum);
        QCOMPARE(w->property("value").toInt(), value);
    }

    void sliders_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("singleStep");
        QTest::addColumn<int>("pageStep");
        QTest::addColumn<bool>("tracking");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("tickInterval");
        const auto add = [](const QString &name, int single, int page, bool tracking,
                            Qt::Orientation orientation, QSlider::TickPosition ticks, int interval) {
            QTest::newRow(qPrintable(name))
                << name << single << page << tracking << int(orientation) << int(ticks) << interval;
        };
        for (int n = 1; n <= 16; ++n)
            add(num("sliderZoneVol", n), 1, 10, false, Qt::Horizontal, QSlider::TicksBelow, 10);
        for (int n = 1; n <= 10; ++n)
            add(num("sliderDSPEQ", n), 1, 5, false, Qt::Vertical, QSlider::TicksLeft, 0);
        add("sliderDSPBass", 1, 5, false, Qt::Vertical, QSlider::TicksLeft, 0);
        add("sliderDSPTreble", 1, 5, false, Qt::Vertical, QSlider::TicksLeft, 0);
        add("sliderDSPLowpass", 1, 10, false, Qt::Horizontal, QSlider::TicksBelow, 0);
        add("sliderDSPHighpass", 1, 100, false, Qt::Horizontal, QSlider::TicksBelow, 1000);
        add("sliderFPBrightness", 1, 1, true, Qt::Horizontal, QSlider::TicksBelow, 0);
        add("sliderFPSleep", 1, 1, true, Qt::Horizontal, QSlider::TicksBelow, 0);
        add("sliderTriggerTime", 5, 5, false, Qt::Horizontal, QSlider::TicksBelow, 5);
        add("sliderTriggerLevel", 5, 20, false, Qt::Horizontal, QSlider::TicksBelow, 0);
    }

    void sliders()
    {
        QFETCH(QString, name);
        auto *slider = widget<QSlider>(name);
        QVERIFY(slider);
        QTEST(slider->singleStep(), "singleStep");
        QTEST(slider->pageStep(), "pageStep");
        QTEST(slider->hasTracking(), "tracking");
        QTEST(int(slider->orientation()), "orientation");
        QTEST(int(slider->tickPosition()), "ticks");
        QTEST(slider->tickInterval(), "tickInterval");
    }

    // Enabled and checked state of every box and of the widgets the form
    // disables; -1: not a check box.
    void states_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("checked");
        const auto add = [](const QString &name, bool enabled, int checked) {
            QTest::newRow(qPrintable(name)) << name << enabled << checked;
        };
        for (int n = 1; n <= 16; ++n) {
            add(num("checkBoxZoneMute", n), true, 1);
            add(num("checkBoxZoneFix", n), true, 0);
            add(num("checkBoxZonePower", n), true, 1);
            add(num("checkBoxGroupZone", n), true, 0);
            add(num("checkBoxFavoriteBypass", n), true, 1);
            add(num("comboBoxFavoriteSource", n), false, -1);
            add(num("comboBoxZoneSource", n), true, -1);
        }
        add("listViewDSPPreset", false, -1);
        add("listViewDSPZone", true, -1);
        add("frameDSPEQ", false, -1);
        add("frameDSPTone", false, -1);
        add("frameDSPLowpass", false, -1);
        add("frameDSPHighpass", false, -1);
        add("checkBoxNetworkDHCP", true, 1);
        add("groupBoxNetworkStatic", false, -1);
        add("checkBoxNetworkSDDP", true, 1);
        add("checkBoxFPIR", true, 1);
        add("checkBoxFPLock", true, 0);
        add("checkBoxSerial", true, 0);
        add("groupBoxTriggerSettings", false, -1);
        add("comboBoxTriggerMode", true, -1);
    }

    void states()
    {
        QFETCH(QString, name);
        QFETCH(bool, enabled);
        QFETCH(int, checked);
        QWidget *w = widget(name);
        QVERIFY(w);
        QCOMPARE(w->isEnabled(), enabled);
        if (checked >= 0) {
            auto *box = qobject_cast<QCheckBox *>(w);
            QVERIFY(box);
            QCOMPARE(int(box->isChecked()), checked);
        }
    }

    void alignment_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("centred");
        for (const char *name : {"labelSourceName",
                                 "labelZoneName",
                                 "labelZoneVol",
                                 "labelZoneMute",
                                 "labelZoneFix",
                                 "labelZoneBalance",
                                 "labelZoneSource",
                                 "labelZonePower",
                                 "labelZonePOnVol",
                                 "labelDSPZone",
                                 "labelDSPMode",
                                 "labelDSPPreset",
                                 "labelDSPBass",
                                 "labelDSPTreble",
                                 "labelDSPBassVal",
                                 "labelDSPTrebleVal",
                                 "labelDSPLowpass",
                                 "labelDSPLowpassVal",
                                 "labelHighpass",
                                 "labelDSPHighpassVal",
                                 "labelGroupName",
                                 "label",
                                 "labelFavoriteZone",
                                 "labelFavoriteBypass",
                                 "labelFavoriteSource",
                                 "labelFavoriteZone_17",
                                 "labelFavoriteBypass_2",
                                 "labelFavoriteSource_2",
                                 "label_2",
                                 "label_3",
                                 "label_4"})
            QTest::newRow(name) << QString(name) << true;
        for (int n = 1; n <= 16; ++n) {
            QTest::newRow(qPrintable(num("labelZoneVol", n))) << num("labelZoneVol", n) << true;
            QTest::newRow(qPrintable(num("labelZone", n))) << num("labelZone", n) << false;
            QTest::newRow(qPrintable(num("labelFavoriteZone", n))) << num("labelFavoriteZone", n) << false;
        }
        for (int n = 1; n <= 10; ++n) {
            QTest::newRow(qPrintable(num("labelDSPEQ", n))) << num("labelDSPEQ", n) << true;
            QTest::newRow(qPrintable(num("labelDSPEQVal", n))) << num("labelDSPEQVal", n) << true;
        }
        for (const char *name : {"labelNetworkIP", "labelFPBrightness", "labelTriggerModeTimeVal"})
            QTest::newRow(name) << QString(name) << false;
    }

    void alignment()
    {
        QFETCH(QString, name);
        QFETCH(bool, centred);
        auto *label = widget<QLabel>(name);
        QVERIFY(label);
        QCOMPARE(label->alignment() == Qt::AlignCenter, centred);
    }

    void sizes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QSize>("maximum");
        QTest::addColumn<int>("horizontalPolicy");
        QTest::addColumn<int>("verticalPolicy");
        const QSize unbounded(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        const int preferred = QSizePolicy::Preferred;
        for (int n = 1; n <= 16; ++n) {
            QTest::newRow(qPrintable(num("lineEditZoneName", n)))
                << num("lineEditZoneName", n) << QSize(103, 0) << QSize(103, QWIDGETSIZE_MAX)
                << int(QSizePolicy::Expanding) << int(QSizePolicy::Fixed);
            QTest::newRow(qPrintable(num("comboBoxZoneSource", n)))
                << num("comboBoxZoneSource", n) << QSize(121, 0) << unbounded << preferred
                << int(QSizePolicy::Fixed);
            QTest::newRow(qPrintable(num("checkBoxFavoriteBypass", n)))
                << num("checkBoxFavoriteBypass", n) << QSize(30, 0) << unbounded << int(QSizePolicy::Minimum)
                << int(QSizePolicy::Fixed);
            QTest::newRow(qPrintable(num("comboBoxFavoriteSource", n)))
                << num("comboBoxFavoriteSource", n) << QSize(0, 0) << unbounded << int(QSizePolicy::Expanding)
                << int(QSizePolicy::Fixed);
        }
        QTest::newRow("listViewDSPZone") << "listViewDSPZone" << QSize(0, 281) << unbounded
                                         << int(QSizePolicy::Expanding) << int(QSizePolicy::Expanding);
        QTest::newRow("pushButtonNetworkCommit") << "pushButtonNetworkCommit" << QSize(0, 40) << unbounded
                                                 << int(QSizePolicy::Minimum) << int(QSizePolicy::Fixed);
        QTest::newRow("groupBoxSerial")
            << "groupBoxSerial" << QSize(0, 50) << unbounded << preferred << preferred;
    }

    void sizes()
    {
        QFETCH(QString, name);
        QWidget *w = widget(name);
        QVERIFY(w);
        QTEST(w->minimumSize(), "minimum");
        QTEST(w->maximumSize(), "maximum");
        QTEST(int(w->sizePolicy().horizontalPolicy()), "horizontalPolicy");
        QTEST(int(w->sizePolicy().verticalPolicy()), "verticalPolicy");
    }

    void lineEdits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("inputMask");
        QTest::addColumn<bool>("clearButton");
        for (int n = 1; n <= 16; ++n) {
            QTest::newRow(qPrintable(num("lineEditSourceName", n)))
                << num("lineEditSourceName", n) << 16 << QString() << false;
            QTest::newRow(qPrintable(num("lineEditZoneName", n)))
                << num("lineEditZoneName", n) << 16 << QString() << false;
        }
        for (const char *name : {"lineEditNetworkIP", "lineEditNetworkMask", "lineEditNetworkGateway"})
            QTest::newRow(name) << QString(name) << 15 << QStringLiteral("000.000.000.000;_") << true;
    }

    void lineEdits()
    {
        QFETCH(QString, name);
        auto *edit = widget<QLineEdit>(name);
        QVERIFY(edit);
        QTEST(edit->maxLength(), "maxLength");
        QTEST(edit->inputMask(), "inputMask");
        QTEST(edit->isClearButtonEnabled(), "clearButton");
    }

    void comboItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("comboBoxDSPMode")
            << "comboBoxDSPMode" << QStringList{"Disabled", "ZQ", "Preset", "Tone", "Lowpass", "Highpass"};
        QTest::newRow("comboBoxTriggerMode")
            << "comboBoxTriggerMode" << QStringList{"Wired IR", "Trigger", "Trigger + Serial"};
        QTest::newRow("comboBoxZoneSource_1") << "comboBoxZoneSource_1" << QStringList();
        QTest::newRow("comboBoxFavoriteSource_16") << "comboBoxFavoriteSource_16" << QStringList();
    }

    void comboItems()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, items);
        auto *combo = widget<QComboBox>(name);
        QVERIFY(combo);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        QCOMPARE(shown, items);
        QCOMPARE(combo->currentIndex(), items.isEmpty() ? -1 : 0);
    }

    void listViews_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("editTriggers");
        const int defaults = int(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
        QTest::newRow("listViewDSPZone") << "listViewDSPZone" << int(QAbstractItemView::NoEditTriggers);
        QTest::newRow("listViewDSPPreset") << "listViewDSPPreset" << defaults;
        QTest::newRow("listViewGroup") << "listViewGroup" << defaults;
        QTest::newRow("listViewFavorites") << "listViewFavorites" << defaults;
    }

    void listViews()
    {
        QFETCH(QString, name);
        auto *view = widget<QListView>(name);
        QVERIFY(view);
        QTEST(int(view->editTriggers()), "editTriggers");
        QVERIFY(!view->model() || view->model()->rowCount() == 0);
    }

    void frames_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"frameDSPEQ", "frameDSPTone", "frameDSPLowpass", "frameDSPHighpass"})
            QTest::newRow(name) << QString(name);
    }

    void frames()
    {
        QFETCH(QString, name);
        auto *frame = widget<QFrame>(name);
        QVERIFY(frame);
        QCOMPARE(frame->frameShape(), QFrame::Panel);
        QCOMPARE(frame->frameShadow(), QFrame::Sunken);
    }

    void graphicsView()
    {
        auto *view = widget<QGraphicsView>("graphicsView");
        QVERIFY(view);
        QCOMPARE(view->frameShape(), QFrame::Panel);
        QCOMPARE(view->midLineWidth(), 1);
        QCOMPARE(view->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(view->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(view->sizeAdjustPolicy(), QAbstractScrollArea::AdjustIgnored);
        QCOMPARE(view->backgroundBrush().style(), Qt::SolidPattern);
        QCOMPARE(view->backgroundBrush().color(), QColor(0, 0, 0, 255));
        QVERIFY(!view->isInteractive());
        QCOMPARE(view->alignment(), Qt::AlignLeft | Qt::AlignVCenter);
        QCOMPARE(view->renderHints(), QPainter::RenderHints(QPainter::TextAntialiasing));
        QCOMPARE(view->dragMode(), QGraphicsView::NoDrag);
        QCOMPARE(view->transformationAnchor(), QGraphicsView::NoAnchor);
        QCOMPARE(view->resizeAnchor(), QGraphicsView::NoAnchor);
        QCOMPARE(view->viewportUpdateMode(), QGraphicsView::FullViewportUpdate);
        QVERIFY(!view->scene());
    }

    void geometries_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("pushButtonPollOutputLevels")
            << "pushButtonPollOutputLevels" << QRect(590, 20, 171, 61);
        QTest::newRow("label_2") << "label_2" << QRect(590, 90, 171, 31);
        QTest::newRow("pushButtonSetOneToOne") << "pushButtonSetOneToOne" << QRect(590, 140, 171, 61);
        QTest::newRow("label_3") << "label_3" << QRect(590, 210, 171, 51);
        QTest::newRow("pushButtonMaxAllVolumes") << "pushButtonMaxAllVolumes" << QRect(590, 320, 171, 71);
        QTest::newRow("label_4") << "label_4" << QRect(590, 400, 171, 61);
        QTest::newRow("checkBoxSerial") << "checkBoxSerial" << QRect(10, 20, 181, 17);
        for (int n = 1; n <= 16; ++n) {
            const int x = n <= 8 ? 10 : 300;
            const int y = 10 + 60 * (n <= 8 ? n - 1 : n - 9);
            QTest::newRow(qPrintable(num("groupBoxZone", n)))
                << num("groupBoxZone", n) << QRect(x, y, 281, 61);
            QTest::newRow(qPrintable(num("labelSourceZone", n)))
                << num("labelSourceZone", n) << (n == 1 ? QRect(10, 30, 61, 16) : QRect(10, 20, 61, 27));
            QTest::newRow(qPrintable(num("labelLeftZone", n)))
                << num("labelLeftZone", n) << QRect(80, 20, 31, 20);
            QTest::newRow(qPrintable(num("labelRightzone", n)))
                << num("labelRightzone", n) << QRect(80, 40, 31, 16);
            QTest::newRow(qPrintable(num("progressBarLeftZone", n)))
                << num("progressBarLeftZone", n) << QRect(120, 20, 151, 16);
            QTest::newRow(qPrintable(num("progressBarRightZone", n)))
                << num("progressBarRightZone", n) << QRect(120, 40, 151, 16);
        }
    }

    void geometries()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QWidget *w = widget(name);
        QVERIFY(w);
        if (qobject_cast<QLabel *>(w)) {
            // A label keeps its place; its size is the form's unless its text
            // needs more at the font in use.
            QCOMPARE(w->pos(), geometry.topLeft());
            QCOMPARE(w->size(), geometry.size().expandedTo(w->sizeHint()));
        } else {
            QCOMPARE(w->geometry(), geometry);
        }
    }

    // Shown, with every page visited in turn, no visible label is smaller
    // than its text needs; nor after the font of the page without layout
    // changes while it is shown.
    void labelsShowTheirWholeText()
    {
        QMainWindow shown;
        Ui_zor_config form;
        form.setupUi(&shown);
        shown.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shown));

        const auto clipped = [&shown]() {
            QStringList labels;
            for (QLabel *label : shown.findChildren<QLabel *>()) {
                if (!label->isVisible())
                    continue;
                const QSize needed = label->wordWrap()
                                         ? QSize(label->width(), label->heightForWidth(label->width()))
                                         : label->sizeHint();
                if (label->height() < needed.height() || label->width() < needed.width())
                    labels << QStringLiteral("%1 %2x%3 < %4x%5")
                                  .arg(label->objectName())
                                  .arg(label->width())
                                  .arg(label->height())
                                  .arg(needed.width())
                                  .arg(needed.height());
            }
            return labels;
        };
        int seen = 0;
        for (int page = 0; page < form.tabWidget->count(); ++page) {
            form.tabWidget->setCurrentIndex(page);
            QTRY_VERIFY(form.tabWidget->widget(page)->isVisible());
            QTRY_COMPARE(clipped(), QStringList());
            seen += form.tabWidget->widget(page)->findChildren<QLabel *>().size();
        }
        QVERIFY(seen > 0);

        QFont larger = form.tabTroubleshooting->font();
        larger.setPointSizeF(larger.pointSizeF() * 1.5);
        form.tabTroubleshooting->setFont(larger);
        QTRY_COMPARE(clipped(), QStringList());
        QCOMPARE(form.label_4->pos(), QPoint(590, 400));
        QCOMPARE(form.labelRightzone_16->pos(), QPoint(80, 40));
    }

    void actions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("statusTip");
        QTest::addColumn<bool>("checkable");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QKeySequence>("shortcut");
        const auto add = [](const char *name, const char *text, const char *tip, bool checkable, bool enabled,
                            const char *shortcut) {
            QTest::newRow(name) << QString(name) << QString(text) << QString(tip) << checkable << enabled
                                << QKeySequence(QString::fromLatin1(shortcut));
        };
        add("actionLoad", "&Load", "Load settings from a file.", false, true, "Ctrl+O");
        add("actionSave", "&Save", "Save settings to a file.", false, true, "Ctrl+S");
        add("actionExportReport", "Export Report...",
            "Write every setting and the DSP curves to a PDF or HTML file.", false, true, "Ctrl+E");
        add("actionExit", "&Exit", "", false, true, "Ctrl+Q");
        add("actionSerial", "&Serial", "Open serial connection dialog box.", true, true, "");
        add("actionTelnet", "&Network", "Open network connection dialog box.", true, true, "");
        add("actionReceiveAll", "&Receive All", "Receive all settings from a connected unit.", false, false,
            "F5");
        add("actionSendAll", "S&end All", "Send all settings to a connected unit.", false, false,
            "Ctrl+Shift+S");
        add("actionCompare", "Compare with Unit...",
            "List the settings in which the connected unit differs from the window.", false, false, "");
        add("actionSendChanges", "Send Changes...",
            "Send only the settings in which the connected unit differs.", false, false, "");
        add("actionConsole", "&Console", "Open up the communication console to see sent/received data.",
            false, true, "Ctrl+T");
        add("actionUndo", "Undo", "Take back the last change of the settings.", false, false, "Ctrl+Z");
        add("actionRedo", "Redo", "Make the change taken back again.", false, false, "Ctrl+Shift+Z");
    }

    void actions()
    {
        QFETCH(QString, name);
        auto *action = window.findChild<QAction *>(name);
        QVERIFY(action);
        QCOMPARE(action->parent(), &window);
        QTEST(action->text(), "text");
        QTEST(action->statusTip(), "statusTip");
        QTEST(action->isCheckable(), "checkable");
        QVERIFY(!action->isChecked());
        QTEST(action->isEnabled(), "enabled");
        QTEST(action->shortcut(), "shortcut");
        QCOMPARE(action->font().family(), QStringLiteral("Arial"));
    }

    void menus()
    {
        const auto names = [](QWidget *holder) {
            QStringList list;
            for (QAction *action : holder->actions())
                list << (action->isSeparator() ? QStringLiteral("-")
                         : action->menu()      ? action->menu()->objectName()
                                               : action->objectName());
            return list;
        };
        QCOMPARE(names(window.menuBar()), (QStringList{"menuFile", "menuEdit", "menuConnection"}));
        auto *file = window.findChild<QMenu *>("menuFile");
        auto *connection = window.findChild<QMenu *>("menuConnection");
        QVERIFY(file && connection);
        QCOMPARE(file->title(), QStringLiteral("&File"));
        QCOMPARE(connection->title(), QStringLiteral("&Connection"));
        QCOMPARE(names(file), (QStringList{"actionLoad", "actionSave", "actionExportReport",
                                           "menuRecentFiles", "-", "actionExit"}));
        QCOMPARE(window.findChild<QMenu *>("menuRecentFiles")->title(), QStringLiteral("Recent Files"));
        QCOMPARE(window.findChild<QMenu *>("menuEdit")->title(), QStringLiteral("&Edit"));
        QCOMPARE(names(window.findChild<QMenu *>("menuEdit")), (QStringList{"actionUndo", "actionRedo"}));
        QCOMPARE(names(connection),
                 (QStringList{"actionSerial", "actionTelnet", "-", "actionReceiveAll", "actionSendAll",
                              "actionCompare", "actionSendChanges", "-", "actionConsole"}));
    }

    // The three rules in order; layout whitespace inside the string is free.
    void styleSheet()
    {
        QString sheet = window.styleSheet();
        sheet.remove(QRegularExpression(QStringLiteral("\\s")));
        const QString expected = QStringLiteral(
            "#tabSource,#tabZone,#tabDSP,#tabGroups,#tabFavorites{background-color:rgb(240,240,240);}"
            "QTabBar::tab{background:qlineargradient(x1:0,y1:0,x2:0,y2:1,"
            "stop:0rgb(230,230,230),stop:0.4rgb(230,230,230),stop:0.5rgb(215,215,215),stop:1.0rgb(215,215,"
            "215));"
            "border:1pxsolidrgb(137,140,149);border-bottom-color:rgb(137,140,149);"
            "border-top-left-radius:0px;border-top-right-radius:0px;padding:5px;}"
            "QTabBar::tab:selected,QTabBar::tab:hover{background:qlineargradient(x1:0,y1:0,x2:0,y2:1,"
            "stop:0rgb(255,255,255),stop:0.4rgb(255,255,255),stop:0.5rgb(240,240,240),stop:1.0rgb(240,240,"
            "240));}");
        QCOMPARE(sheet, expected);
        // Words that whitespace removal glued together are still apart.
        QVERIFY(window.styleSheet().contains(QStringLiteral("stop: 0.4 rgb(230, 230, 230)")));
        QVERIFY(window.styleSheet().contains(QStringLiteral("1px solid rgb(137, 140, 149)")));
    }

    // explicit: the widget sets its own font; otherwise it inherits.
    void fonts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("explicitFont");
        QTest::addColumn<int>("pointSize"); // -1: the inherited default
        const auto add = [](const char *name, bool own, int size) {
            QTest::newRow(name) << QString(name) << own << size;
        };
        add("tabWidget", true, -1);
        add("labelSourceName_1", true, -1);
        add("sliderZoneVol_16", true, -1);
        add("comboBoxDSPMode", true, -1);
        add("checkBoxGroupZone_4", true, -1);
        add("comboBoxFavoriteSource_9", true, -1);
        add("lineEditNetworkIP", true, -1);
        add("groupBoxFPControls", true, 8);
        add("sliderFPBrightness", true, 8);
        add("sliderFPSleep", true, 8);
        add("labelFPBrightness", true, 8); // family only, size from the group box
        add("checkBoxFPLock", true, 8);
        add("labelLeftZone_4", true, -1);
        add("labelSourceZone_12", true, -1);
        add("groupBoxTrigger", false, -1);
        add("comboBoxTriggerMode", false, -1);
        add("sliderTriggerLevel", false, -1);
        add("labelTriggerModeLevelVal", false, -1);
        add("groupBoxSerial", false, -1);
        add("checkBoxSerial", false, -1);
        add("pushButtonPollOutputLevels", false, -1);
        add("label_3", false, -1);
        add("groupBoxZone_9", false, -1);
        add("progressBarLeftZone_4", false, -1);
    }

    void fonts()
    {
        QFETCH(QString, name);
        QFETCH(bool, explicitFont);
        QFETCH(int, pointSize);
        QWidget *w = widget(name);
        QVERIFY(w);
        QCOMPARE(w->testAttribute(Qt::WA_SetFont), explicitFont);
        QCOMPARE(w->font().family(), QStringLiteral("Arial"));
        const int inheritedSize = window.font().pointSize();
        QCOMPARE(w->font().pointSize(), pointSize < 0 ? inheritedSize : pointSize);
        QVERIFY(!w->font().bold());
        QVERIFY(!w->font().italic());
    }

    void buddies()
    {
        QCOMPARE(ui.labelFPBrightness->buddy(), ui.sliderFPBrightness);
        QCOMPARE(ui.labelFPBrightnessPercent->buddy(), ui.sliderFPBrightness);
        QCOMPARE(ui.labelFPSleep->buddy(), ui.sliderFPSleep);
        QCOMPARE(ui.labelFPSleepTime->buddy(), ui.sliderFPSleep);
    }

    // Masked address fields keep the dotted text and show "_" in the empty
    // places of each group.
    void inputMasks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("ip") << "lineEditNetworkIP"
                            << "192.168.0.13";
        QTest::newRow("mask") << "lineEditNetworkMask"
                              << "255.255.255.0";
        QTest::newRow("gateway") << "lineEditNetworkGateway"
                                 << "192.168.0.3";
    }

    void inputMasks()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        auto *edit = widget<QLineEdit>(name);
        QVERIFY(edit);
        QCOMPARE(edit->text(), text);
        const QString shown = edit->displayText();
        QCOMPARE(shown.size(), 15);
        for (int dot : {3, 7, 11})
            QCOMPARE(shown.at(dot), QLatin1Char('.'));
        QCOMPARE(QString(shown).remove(QLatin1Char('_')), text);
    }

    // The form's own connections only; each check uses a fresh form.
    void sliderDrivesItsLabel_data()
    {
        QTest::addColumn<QString>("slider");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("zone 3 to -25") << "sliderZoneVol_3"
                                       << "labelZoneVol_3" << -25 << "-25";
        QTest::newRow("zone 1 to 0") << "sliderZoneVol_1"
                                     << "labelZoneVol_1" << 0 << "0";
        QTest::newRow("zone 16 to -80") << "sliderZoneVol_16"
                                        << "labelZoneVol_16" << -80 << "-80";
        QTest::newRow("band 1 to 7") << "sliderDSPEQ_1"
                                     << "labelDSPEQVal_1" << 7 << "7";
        QTest::newRow("band 10 to -10") << "sliderDSPEQ_10"
                                        << "labelDSPEQVal_10" << -10 << "-10";
        QTest::newRow("bass to 12") << "sliderDSPBass"
                                    << "labelDSPBassVal" << 12 << "12";
        QTest::newRow("treble to -3") << "sliderDSPTreble"
                                      << "labelDSPTrebleVal" << -3 << "-3";
        QTest::newRow("lowpass to 240") << "sliderDSPLowpass"
                                        << "labelDSPLowpassVal" << 240 << "240";
        QTest::newRow("highpass to 12500") << "sliderDSPHighpass"
                                           << "labelDSPHighpassVal" << 12500 << "12500";
        // No form connection: their labels are the editors' business.
        QTest::newRow("brightness") << "sliderFPBrightness"
                                    << "labelFPBrightnessPercent" << 1 << "100%";
        QTest::newRow("sleep") << "sliderFPSleep"
                               << "labelFPSleepTime" << 0 << "5 Minute(s)";
        QTest::newRow("trigger time") << "sliderTriggerTime"
                                      << "labelTriggerModeTimeVal" << 15 << "5 Minutes";
        QTest::newRow("trigger level") << "sliderTriggerLevel"
                                       << "labelTriggerModeLevelVal" << 200 << "20 mVRMS";
    }

    void sliderDrivesItsLabel()
    {
        QFETCH(QString, slider);
        QFETCH(QString, label);
        QFETCH(int, value);
        QMainWindow fresh;
        Ui_zor_config form;
        form.setupUi(&fresh);
        QMap<QString, QString> before;
        for (QLabel *l : fresh.findChildren<QLabel *>())
            before.insert(l->objectName(), l->text());

        fresh.findChild<QSlider *>(slider)->setValue(value);

        for (QLabel *l : fresh.findChildren<QLabel *>()) {
            if (l->objectName() == label)
                QTEST(l->text(), "shown");
            else
                QCOMPARE(l->text(), before.value(l->objectName()));
        }
    }

    void bypassControlsOnlyItsCombo_data()
    {
        QTest::addColumn<int>("zone");
        for (int zone : {1, 5, 8, 9, 16})
            QTest::addRow("zone %d", zone) << zone;
    }

    void bypassControlsOnlyItsCombo()
    {
        QFETCH(int, zone);
        QMainWindow fresh;
        Ui_zor_config form;
        form.setupUi(&fresh);
        const auto enabledCombos = [&fresh]() {
            QList<int> zones;
            for (int n = 1; n <= 16; ++n) {
                if (fresh.findChild<QComboBox *>(num("comboBoxFavoriteSource", n))->isEnabled())
                    zones << n;
            }
            return zones;
        };
        auto *bypass = fresh.findChild<QCheckBox *>(num("checkBoxFavoriteBypass", zone));
        bypass->setChecked(false);
        QCOMPARE(enabledCombos(), QList<int>{zone});
        bypass->setChecked(true);
        QCOMPARE(enabledCombos(), QList<int>());
    }

    void maskedFieldAcceptsOnlyDigits()
    {
        QMainWindow fresh;
        Ui_zor_config form;
        form.setupUi(&fresh);
        form.groupBoxNetworkStatic->setEnabled(true); // as when DHCP is unchecked
        QLineEdit *edit = form.lineEditNetworkIP;
        edit->clear();
        edit->setCursorPosition(0);
        QTest::keyClicks(edit, QStringLiteral("1a0x.0-0.7.25y4"));
        QCOMPARE(edit->text(), QStringLiteral("10.00.7.254"));
        QCOMPARE(edit->displayText(), QStringLiteral("10_.00_.7__.254"));
    }

    // A second retranslateUi refills the item lists instead of appending.
    void retranslateIsRepeatable()
    {
        ui.retranslateUi(&window);
        QCOMPARE(ui.comboBoxDSPMode->count(), 6);
        QCOMPARE(ui.comboBoxDSPMode->itemText(1), QStringLiteral("ZQ"));
        QCOMPARE(ui.comboBoxTriggerMode->count(), 3);
        QCOMPARE(ui.tabWidget->tabText(3), QStringLiteral("Network/Misc"));
        QCOMPARE(ui.labelZoneVol_5->text(), QStringLiteral("-40"));
    }
};

QTEST_MAIN(tst_form)
#include "tst_form.moc"
