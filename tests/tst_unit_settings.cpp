// UnitSettings: applying lines, the Send All list, differences and equality.
#include <QtTest>

#include "app/zor_config.h"
#include "forms/zor_config_form.h"
#include "protocol/core/messages.h"
#include "protocol/core/unit_settings.h"

using protocol::definition;
using protocol::FieldKind;
using protocol::Message;

namespace {

UnitSettings modelOf(const QByteArrayList &lines)
{
    UnitSettings model;
    for (const QByteArray &line : lines)
        model.apply(line);
    return model;
}

QStringList describe(const QVector<UnitSettings::Difference> &differences)
{
    QStringList lines;
    for (const UnitSettings::Difference &d : differences) {
        QStringList commands;
        for (const QByteArray &command : d.commands)
            commands << QString::fromUtf8(command);
        lines << QStringList{d.page, d.setting, d.current, d.wanted, commands.join(' ')}.join('|');
    }
    return lines;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A configuration that differs from the defaults on every page: every DSP
// mode, a fixed zone, a zone off, both balance directions, a static address.
QByteArrayList editedConfiguration()
{
    QByteArrayList lines;
    for (int n = 1; n <= 16; ++n) {
        const QByteArray s = QByteArray::number(n);
        lines << "[NI" + s + "\"Input " + s + " \xc3\xa9\"]"
              << "[NO" + s + "\"Room " + s + "\"]"
              << "[VPONO" + s + "L" + QByteArray::number(-20 - n) + "]"
              << "[BO" + s + (n % 2 ? "L" : "R") + QByteArray::number(n) + "]"
              << "[VO" + s + "R" + QByteArray::number(-3 * n) + "]"
              << "[EO" + s + "M" + QByteArray::number(n % 6) + "]"
              << "[TO" + s + "B4T-3]"
              << "[EO" + s + "LP" + QByteArray::number(40 + 10 * n) + "]"
              << "[EO" + s + "HP" + QByteArray::number(1000 * n) + "]"
              << "[EO" + s + "P" + QByteArray::number(n % 10 + 1) + "]";
        for (int b = 1; b <= 10; ++b)
            lines << "[EO" + s + "B" + QByteArray::number(b) + "L" + QByteArray::number((n + b) % 21 - 10) +
                         "]";
    }
    lines << "[VUMO2]"
          << "[POFFO4]"
          << "[VO6F1]";
    for (int p = 1; p <= 10; ++p) {
        lines << "[NEP" + QByteArray::number(p) + "\"Curve " + QByteArray::number(p) + "\"]";
        for (int b = 1; b <= 10; ++b)
            lines << "[EP" + QByteArray::number(p) + "B" + QByteArray::number(b) + "L" +
                         QByteArray::number((p * b) % 21 - 10) + "]";
    }
    lines << "[DHCP0]"
          << "[SDDP0]"
          << "[IP10.0.0.7]"
          << "[NM255.255.0.0]"
          << "[GW10.0.0.1]"
          << "[SD2]"
          << "[SLEEP2]"
          << "[IRL0]"
          << "[FPL1]"
          << "[SERIAL1]"
          << "[TRIGMODE1]"
          << "[TRIGLEVEL85]"
          << "[TRIGTIME10]";
    for (int g = 1; g <= 10; ++g) {
        lines << "[NG" + QByteArray::number(g) + "\"Area " + QByteArray::number(g) + "\"]";
        for (int z = g; z <= 16; z += g)
            lines << "[G" + QByteArray::number(g) + "AO" + QByteArray::number(z) + "]";
    }
    for (int f = 1; f <= 10; ++f) {
        lines << "[NF" + QByteArray::number(f) + "\"Scene " + QByteArray::number(f) + "\"]";
        for (int z = 1; z <= 16; ++z) {
            if ((f + z) % 3 != 0)
                lines << "[F" + QByteArray::number(f) + "AO" + QByteArray::number(z) + "I" +
                             QByteArray::number((f * z) % 16 + 1) + "]";
        }
    }
    return lines;
}

// A random setting command with every field within its range; with
// `replies`, output levels (reply forms only) are drawn too.
QByteArray randomSetting(QRandomGenerator &random, bool replies = false)
{
    static const QStringList names = {QStringLiteral("A"), QStringLiteral("Kitchen"),
                                      QStringLiteral("K\u00fcche 2"), QStringLiteral("16 characters!!")};
    for (;;) {
        const auto id = static_cast<Message>(random.bounded(protocol::ReplyRowCount));
        const protocol::MessageDefinition &row = definition(id);
        if (row.replyOnly && !replies)
            continue;
        QVector<protocol::Field> fields;
        for (int f = 0; f < row.fieldCount; ++f) {
            const protocol::FieldDefinition &field = row.fields[f];
            switch (field.kind) {
            case FieldKind::Number:
                fields << field.min + field.step * random.bounded((field.max - field.min) / field.step + 1);
                break;
            case FieldKind::Name:
                fields << names.at(random.bounded(names.size()));
                break;
            case FieldKind::Address:
                fields << QStringLiteral("10.%1.%2.%3")
                              .arg(random.bounded(256))
                              .arg(random.bounded(256))
                              .arg(random.bounded(256));
                break;
            case FieldKind::None:
                break;
            }
        }
        return row.replyOnly ? '[' + protocol::replyLine(id, fields) + ']' : protocol::command(id, fields);
    }
}

} // namespace

class tst_unit_settings : public QObject
{
    Q_OBJECT

private slots:
    void everySettingAppliesAndIsSent_data();
    void everySettingAppliesAndIsSent();
    void linesNotApplied_data();
    void linesNotApplied();
    void defaultsAreThoseOfAFreshWindow();
    void windowAndModelReadRepliesAlike_data();
    void windowAndModelReadRepliesAlike();
    void differences_data();
    void differences();
    void differenceCommandsMakeModelsEqual_data();
    void differenceCommandsMakeModelsEqual();
};

void tst_unit_settings::everySettingAppliesAndIsSent_data()
{
    // Lines applied in turn; the last one changes exactly one setting, after
    // which the Send All list holds `sent` (empty: a setting Send All leaves
    // alone).
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<QByteArray>("sent");

    QMap<Message, QPair<QByteArrayList, QByteArray>> rows;
    rows[Message::ZoneVolume] = {{"VO3R-25"}, "[VO3R-25]"};
    rows[Message::ZoneSource] = {{"[CO3I5]"}, ""};
    rows[Message::ZoneUnmute] = {{"[VUMO3]"}, "[VUMO3]"};
    rows[Message::ZoneMute] = {{"[VUMO3]", "[VMO3]"}, "[VMO3]"};
    rows[Message::SourceName] = {{"[NI5\"Turntable\"]\n"}, "[NI5\"Turntable\"]"};
    rows[Message::ZoneName] = {{"NO2\"K\xc3\xbc"
                                "che\""},
                               "[NO2\"K\xc3\xbc"
                               "che\"]"};
    rows[Message::ZoneFixed] = {{"[VO5F1]"}, "[VO5F1]"};
    rows[Message::ZonePowerOff] = {{"[POFFO6]"}, "[POFFO6]"};
    rows[Message::ZonePowerOnVolume] = {{"[VPONO2L0]"}, "[VPONO2L0]"};
    rows[Message::ZonePowerOn] = {{"[POFFO6]", "[PONO6]"}, "[PONO6]"};
    rows[Message::ZoneBalanceLeft] = {{"[BO4L12]"}, "[BO4L12]"};
    rows[Message::ZoneBalanceRight] = {{"[BO4L12]", "[BO4R0]"}, "[BO4R0]"};
    rows[Message::ZoneDspMode] = {{"[EO3M5]"}, "[EO3M5]"};
    rows[Message::ZoneTone] = {{"[EO3M3]", "[TO3B4T-2]"}, "[TO3B4T-2]"};
    rows[Message::ZoneHighpass] = {{"[EO3M5]", "[EO3HP15000]"}, "[EO3HP15000]"};
    rows[Message::ZoneLowpass] = {{"[EO3M4]", "[EO3LP240]"}, "[EO3LP240]"};
    rows[Message::ZoneEqBand] = {{"[EO2M1]", "EO2B3L-4"}, "[EO2B3L-4]"};
    rows[Message::ZonePresetSelect] = {{"[EO3M2]", "[EO3P10]"}, "[EO3P10]"};
    rows[Message::PresetName] = {{"[NEP2\"Rock\"]"}, "[NEP2\"Rock\"]"};
    rows[Message::PresetEqBand] = {{"[EP2B7L-10]"}, "[EP2B7L-10]"};
    rows[Message::DhcpEnable] = {{"[DHCP0]"}, "[DHCP0]"};
    rows[Message::SddpEnable] = {{"[SDDP0]"}, "[SDDP0]"};
    rows[Message::Gateway] = {{"[DHCP0]", "[GW10.0.0.1]"}, "[GW10.0.0.1]"};
    rows[Message::IpAddress] = {{"[DHCP0]", "IP10.0.0.7"}, "[IP10.0.0.7]"};
    rows[Message::NetworkMask] = {{"[DHCP0]", "[NM255.0.0.0]"}, "[NM255.0.0.0]"};
    rows[Message::FpBrightness] = {{"[SD2]"}, "[SD2]"};
    rows[Message::FpSleep] = {{"[SLEEP2]"}, "[SLEEP2]"};
    rows[Message::FpLock] = {{"[FPL1]"}, "[FPL1]"};
    rows[Message::FpIrLock] = {{"[IRL0]"}, "[IRL0]"};
    rows[Message::TriggerMode] = {{"[TRIGMODE2]"}, "[TRIGMODE2]"};
    rows[Message::TriggerLevel] = {{"[TRIGLEVEL200]"}, "[TRIGLEVEL200]"};
    rows[Message::TriggerTime] = {{"[TRIGTIME15]"}, "[TRIGTIME15]"};
    rows[Message::SerialResponses] = {{"[SERIAL1]"}, "[SERIAL1]"};
    rows[Message::GroupAddZone] = {{"[G4AO11]"}, "[G4AO11]"};
    rows[Message::GroupRemoveZone] = {{"[G4AO11]", "[G4RO11]"}, "[G4RO11]"};
    rows[Message::GroupName] = {{"[NG4\"Upstairs\"]"}, "[NG4\"Upstairs\"]"};
    rows[Message::FavoriteZoneSource] = {{"[F3AO7I5]"}, "[F3AO7I5]"};
    rows[Message::FavoriteName] = {{"[NF3\"Party\"]"}, "[NF3\"Party\"]"};
    rows[Message::FavoriteZoneBypass] = {{"[F3AO7I5]", "[F3RO7]"}, "[F3RO7]"};

    // Every setting message of the table has its row.
    for (int i = 0; i < protocol::ReplyRowCount; ++i) {
        const auto id = static_cast<Message>(i);
        if (definition(id).replyOnly)
            continue;
        const auto row = rows.value(id, {{"(no row)"}, "(no row)"});
        QTest::newRow(definition(id).name) << row.first << row.second;
    }

    // Other forms of the same lines.
    QTest::newRow("reply inside text") << QByteArrayList{"xxVO12R-41yy"} << QByteArray("[VO12R-41]");
    QTest::newRow("CR LF file line") << QByteArrayList{"[TRIGMODE1]\r\n"} << QByteArray("[TRIGMODE1]");
    QTest::newRow("leading zeros") << QByteArrayList{"[VO03R-05]"} << QByteArray("[VO3R-5]");
    QTest::newRow("name that looks like a reply")
        << QByteArrayList{"[NO1\"VO2R-20\"]"} << QByteArray("[NO1\"VO2R-20\"]");
    QTest::newRow("name inside a line")
        << QByteArrayList{"echo NG2\"Upstairs\" done"} << QByteArray("[NG2\"Upstairs\"]");
    QTest::newRow("sixteen characters")
        << QByteArrayList{"[NEP10\"0123456789abcdef\"]"} << QByteArray("[NEP10\"0123456789abcdef\"]");
}

void tst_unit_settings::everySettingAppliesAndIsSent()
{
    QFETCH(QByteArrayList, lines);
    QFETCH(QByteArray, sent);

    UnitSettings model;
    for (int i = 0; i + 1 < lines.size(); ++i)
        QVERIFY2(model.apply(lines[i]), lines[i].constData());
    const UnitSettings before = model;
    if (!sent.isEmpty())
        QVERIFY(!before.sendAllCommands().contains(sent));

    QVERIFY(model.apply(lines.last()));
    QVERIFY(model != before);
    QCOMPARE(before.differences(model).size(), sent.isEmpty() ? 0 : 1);
    if (!sent.isEmpty())
        QVERIFY2(model.sendAllCommands().contains(sent), sent.constData());
    else
        QCOMPARE(model.sendAllCommands(), before.sendAllCommands());
}

void tst_unit_settings::linesNotApplied_data()
{
    QTest::addColumn<QByteArray>("line");
    for (const char *line : {"",
                             "not a command",
                             "O7L55",
                             "[O7R99]",
                             "[QX]",
                             "[QOL]",
                             "[EC]",
                             "[VXR0]",
                             "[VO3R-81]",
                             "VO3R-99",
                             "VO17R-5",
                             "[VO0R-5]",
                             "[BO1L81]",
                             "[TO1B13T0]",
                             "[EO1HP99]",
                             "[EO1B11L0]",
                             "[EO1P0]",
                             "[EP1B1L-11]",
                             "[NO1\"\"]",
                             "[NEP1\"seventeen chars !\"]",
                             "[NI1\"a\tb\"]",
                             "[IP1.2.3.256]",
                             "[TRIGLEVEL19]",
                             "[TRIGTIME12]",
                             "[G11AO1]",
                             "[G0AO1]",
                             "[G1RO17]",
                             "[F1AO17I2]",
                             "[F1AO2I0]",
                             "[F11RO1]",
                             "[NG11\"x\"]",
                             "[SLEEP6]"})
        QTest::newRow(*line ? line : "empty") << QByteArray(line);
    QTest::newRow("text after a zero byte") << QByteArray("x\0[SD1]", 7);
}

void tst_unit_settings::linesNotApplied()
{
    QFETCH(QByteArray, line);
    UnitSettings model;
    QVERIFY(!model.apply(line));
    QVERIFY(model == UnitSettings());
}

void tst_unit_settings::defaultsAreThoseOfAFreshWindow()
{
    QTemporaryDir dir;
    zor_config window;
    QVERIFY(window.saveConfiguration(dir.filePath("fresh.ZOR")));
    UnitSettings saved;
    for (const QByteArray &line : fileBytes(dir.filePath("fresh.ZOR")).split('\n'))
        saved.apply(line);
    UnitSettings defaults;
    defaults.holdAll();
    QCOMPARE(describe(saved.differences(defaults)), QStringList());
    QCOMPARE(describe(defaults.differences(saved)), QStringList());
    QCOMPARE(describe(defaults.differences(window.currentSettings())), QStringList());
}

void tst_unit_settings::windowAndModelReadRepliesAlike_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<bool>("fromFile");
    for (quint32 seed = 1; seed <= 8; ++seed)
        QTest::addRow("%s, seed %u", seed % 2 ? "unit" : "file", seed) << seed << bool(seed % 2 == 0);
}

// A window that took a stream of replies (from the unit, or from a file it
// loads) and a model that applied the same stream agree on every setting the
// model holds: the rules a reply follows (a fixed zone at 0 dB, a zone
// powering on at its power-on volume, a sleep time the slider can show) are
// the same in both.
void tst_unit_settings::windowAndModelReadRepliesAlike()
{
    QFETCH(quint32, seed);
    QFETCH(bool, fromFile);
    QRandomGenerator random(seed);
    QByteArrayList stream;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray command = randomSetting(random, true);
        stream << (fromFile ? command : command.mid(1, command.size() - 2));
    }

    zor_config window;
    const auto origin = fromFile ? UnitSettings::Origin::Stored : UnitSettings::Origin::Reported;
    if (fromFile) {
        QTemporaryDir dir;
        QFile file(dir.filePath("stream.ZOR"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(stream.join('\n'));
        file.close();
        QVERIFY(window.loadConfiguration(file.fileName()));
    } else {
        for (const QByteArray &line : stream)
            window.parseCommand(line);
    }
    UnitSettings model;
    for (const QByteArray &line : stream)
        model.apply(line, origin);

    const UnitSettings shown = window.currentSettings();
    QStringList disagreements;
    for (int i = 0; i < UnitSettings::SettingCount; ++i) {
        const UnitSettings::Setting setting = UnitSettings::Setting::at(i);
        if (model.holds(setting) && model.commandOf(setting) != shown.commandOf(setting))
            disagreements << setting.name() + ": model " + model.valueText(setting) + ", window " +
                                 shown.valueText(setting);
    }
    QVERIFY(model.heldCount() > UnitSettings::SettingCount / 2);
    QCOMPARE(disagreements, QStringList());
}

void tst_unit_settings::differences_data()
{
    // The unit holds `unit`, the window `window`; each expected line is
    // page|setting|the unit's value|the window's value|commands.
    QTest::addColumn<QByteArrayList>("unit");
    QTest::addColumn<QByteArrayList>("window");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("none") << QByteArrayList{"[SD0]"} << QByteArrayList{} << QStringList{};
    QTest::newRow("zone volume") << QByteArrayList{} << QByteArrayList{"[VO3R-20]"}
                                 << QStringList{"Zone|Zone 3 volume|-40 dB|-20 dB|[VO3R-20]"};
    QTest::newRow("source name") << QByteArrayList{} << QByteArrayList{"[NI5\"Tuner\"]"}
                                 << QStringList{"Source|Source 5 name|Source Name 5|Tuner|[NI5\"Tuner\"]"};
    QTest::newRow("mute and power") << QByteArrayList{"[POFFO2]"} << QByteArrayList{"[VUMO2]", "[PONO2]"}
                                    << QStringList{"Zone|Zone 2 mute|On|Off|[VUMO2]",
                                                   "Zone|Zone 2 power|Off|On|[PONO2]"};
    QTest::newRow("balance to the left") << QByteArrayList{"[BO7R3]"} << QByteArrayList{"[BO7L10]"}
                                         << QStringList{"Zone|Zone 7 balance|3 right|10 left|[BO7L10]"};
    // The zones' sources are the unit's live routing, which Send All leaves alone.
    QTest::newRow("zone source") << QByteArrayList{} << QByteArrayList{"[CO3I5]"} << QStringList{};
    QTest::newRow("DSP mode to tone")
        << QByteArrayList{} << QByteArrayList{"[EO2M3]", "[TO2B4T-2]"}
        << QStringList{"DSP|Zone 2 DSP mode|Disabled|Tone|[EO2M3] [TO2B4T-2] [TO2B4T-2]"};
    QTest::newRow("DSP mode to EQ") << QByteArrayList{} << QByteArrayList{"[EO2M1]", "[EO2B7L3]"}
                                    << QStringList{"DSP|Zone 2 DSP mode|Disabled|EQ|[EO2M1] [EO2B7L3]"};
    QTest::newRow("DSP mode to EQ, every band")
        << QByteArrayList{}
        << QByteArrayList{"[EO2M1]",   "[EO2B1L0]", "[EO2B2L0]", "[EO2B3L0]", "[EO2B4L0]", "[EO2B5L0]",
                          "[EO2B6L0]", "[EO2B7L3]", "[EO2B8L0]", "[EO2B9L0]", "[EO2B10L0]"}
        << QStringList{"DSP|Zone 2 DSP mode|Disabled|EQ|[EO2M1] [EO2B1L0] [EO2B2L0] [EO2B3L0] [EO2B4L0] "
                       "[EO2B5L0] [EO2B6L0] [EO2B7L3] [EO2B8L0] [EO2B9L0] [EO2B10L0]"};
    QTest::newRow("DSP parameters of a mode not in use")
        << QByteArrayList{"[EO3M1]", "[EO3B2L5]"} << QByteArrayList{"[EO3M4]", "[EO3B2L0]", "[EO3LP200]"}
        << QStringList{"DSP|Zone 3 DSP mode|EQ|Lowpass|[EO3M4] [EO3LP200]"};
    QTest::newRow("a band without its zone's mode")
        << QByteArrayList{"[EO3M4]"} << QByteArrayList{"[EO3B2L5]"}
        << QStringList{"DSP|Zone 3 EQ band 2|0 dB|5 dB|[EO3B2L5]"};
    QTest::newRow("DSP mode off, a stored lowpass differs")
        << QByteArrayList{"[EO9M4]", "[EO9LP200]"} << QByteArrayList{"[EO9M0]", "[EO9LP100]"}
        << QStringList{"DSP|Zone 9 DSP mode|Lowpass|Disabled|[EO9M0]"};
    QTest::newRow("EQ band in EQ mode") << QByteArrayList{"[EO2M1]"} << QByteArrayList{"[EO2M1]", "[EO2B7L3]"}
                                        << QStringList{"DSP|Zone 2 EQ band 7|0 dB|3 dB|[EO2B7L3]"};
    QTest::newRow("preset choice and preset band")
        << QByteArrayList{"[EO4M2]"} << QByteArrayList{"[EO4M2]", "[EO4P3]", "[EP2B7L-4]"}
        << QStringList{"DSP|Zone 4 preset|Preset 1|Preset 3|[EO4P3]",
                       "DSP|Preset 2 band 7|0 dB|-4 dB|[EP2B7L-4]"};
    QTest::newRow("tone within tone mode")
        << QByteArrayList{"[EO1M3]"} << QByteArrayList{"[EO1M3]", "[TO1B0T5]"}
        << QStringList{"DSP|Zone 1 tone|bass 0 dB, treble 0 dB|"
                       "bass 0 dB, treble 5 dB|[TO1B0T5]"};
    QTest::newRow("switch to a static address")
        << QByteArrayList{} << QByteArrayList{"[DHCP0]", "[IP10.0.0.5]"}
        << QStringList{"Network/Misc|DHCP|On|Off|[DHCP0] [IP10.0.0.5]"};
    QTest::newRow("static address changed")
        << QByteArrayList{"[DHCP0]"} << QByteArrayList{"[DHCP0]", "[GW10.0.0.1]"}
        << QStringList{"Network/Misc|Gateway|192.168.0.3|10.0.0.1|[GW10.0.0.1]"};
    QTest::newRow("switch to DHCP") << QByteArrayList{"[DHCP0]", "[IP10.0.0.5]"} << QByteArrayList{"[DHCP1]"}
                                    << QStringList{"Network/Misc|DHCP|Off|On|[DHCP1]"};
    QTest::newRow("address while DHCP is on")
        << QByteArrayList{} << QByteArrayList{"[DHCP1]", "[IP10.0.0.5]"} << QStringList{};
    QTest::newRow("address without DHCP")
        << QByteArrayList{} << QByteArrayList{"[IP10.0.0.5]"}
        << QStringList{"Network/Misc|IP address|192.168.0.13|10.0.0.5|[IP10.0.0.5]"};
    QTest::newRow("front panel and trigger")
        << QByteArrayList{} << QByteArrayList{"[SD3]", "[SLEEP0]", "[IRL0]", "[TRIGMODE2]", "[TRIGLEVEL60]"}
        << QStringList{"Network/Misc|Front panel brightness|100%|25%|[SD3]",
                       "Network/Misc|Front panel sleep|5 Minute(s)|0 Minute(s)|[SLEEP0]",
                       "Network/Misc|Front panel IR disable|On|Off|[IRL0]",
                       "Network/Misc|Trigger mode|Wired IR|Trigger + Serial|[TRIGMODE2]",
                       "Network/Misc|Trigger level|20 mVRMS|60 mVRMS|[TRIGLEVEL60]"};
    QTest::newRow("group members added and removed")
        << QByteArrayList{"[G4AO2]", "[G4AO3]"}
        << QByteArrayList{"[G4RO2]", "[G4AO3]", "[G4AO11]", "[G4RO12]", "[NG4\"Upstairs\"]"}
        << QStringList{"Groups|Group 4 name|Group Name 4|Upstairs|[NG4\"Upstairs\"]",
                       "Groups|Group 4 member Zone 2|Member|Not a member|[G4RO2]",
                       "Groups|Group 4 member Zone 11|Not a member|Member|[G4AO11]"};
    QTest::newRow("favorite sources")
        << QByteArrayList{"[F3AO1I2]"} << QByteArrayList{"[F3RO1]", "[F3AO7I5]", "[NF3\"Movie\"]"}
        << QStringList{"Favorites|Favorite 3 name|Favorite Name 3|Movie|[NF3\"Movie\"]",
                       "Favorites|Favorite 3 Zone 1 source|Source 2|Bypass|[F3RO1]",
                       "Favorites|Favorite 3 Zone 7 source|Bypass|Source 5|[F3AO7I5]"};
    QTest::newRow("in Send All order across pages")
        << QByteArrayList{} << QByteArrayList{"[F1RO1]",        "[F1AO1I1]",     "[G1AO1]",      "[SERIAL1]",
                                              "[NEP1\"Flat\"]", "[EO1M5]",       "[VPONO1L-10]", "[VO1F1]",
                                              "[VO1R0]",        "[NO1\"Hall\"]", "[NI1\"CD\"]"}
        << QStringList{"Source|Source 1 name|Source Name 1|CD|[NI1\"CD\"]",
                       "Zone|Zone 1 name|Zone Name 1|Hall|[NO1\"Hall\"]",
                       "Zone|Zone 1 volume|-40 dB|0 dB|[VO1R0]",
                       "Zone|Zone 1 fixed volume|Off|On|[VO1F1]",
                       "Zone|Zone 1 power-on volume|-40 dB|-10 dB|[VPONO1L-10]",
                       "DSP|Zone 1 DSP mode|Disabled|Highpass|[EO1M5]",
                       "DSP|Preset 1 name|Preset Name 1|Flat|[NEP1\"Flat\"]",
                       "Network/Misc|Serial responses|Off|On|[SERIAL1]",
                       "Groups|Group 1 member Zone 1|Not a member|Member|[G1AO1]",
                       "Favorites|Favorite 1 Zone 1 source|Bypass|Source 1|[F1AO1I1]"};
}

void tst_unit_settings::differences()
{
    QFETCH(QByteArrayList, unit);
    QFETCH(QByteArrayList, window);
    QFETCH(QStringList, expected);
    // The unit holds every setting; the window side holds what its lines set.
    UnitSettings a = modelOf(unit);
    a.holdAll();
    const UnitSettings b = modelOf(window);
    QCOMPARE(describe(a.differences(b)), expected);
}

void tst_unit_settings::differenceCommandsMakeModelsEqual_data()
{
    QTest::addColumn<QByteArrayList>("unit");
    QTest::addColumn<QByteArrayList>("window");

    const QByteArrayList edited = editedConfiguration();
    QTest::newRow("a few edits") << QByteArrayList{"[EO2M1]", "[EO2B3L4]", "[G1AO5]", "[DHCP0]"}
                                 << QByteArrayList{"[EO2M3]", "[TO2B1T1]", "[G1AO6]", "[VO4R0]"};
    QTest::newRow("every page, edited window") << QByteArrayList{} << edited;
    QTest::newRow("every page, edited unit") << edited << QByteArrayList{};
    for (quint32 seed = 1; seed <= 6; ++seed) {
        QRandomGenerator random(seed);
        QByteArrayList unit;
        QByteArrayList window;
        for (int i = 0; i < 40 * int(seed); ++i) {
            unit << randomSetting(random);
            window << randomSetting(random);
        }
        QTest::addRow("random %u", seed) << unit << window;
    }
}

void tst_unit_settings::differenceCommandsMakeModelsEqual()
{
    QFETCH(QByteArrayList, unit);
    QFETCH(QByteArrayList, window);
    UnitSettings a = modelOf(unit);
    a.holdAll();
    const UnitSettings b = modelOf(window);
    const QList<QByteArray> sendAll = b.sendAllCommands();

    // Each command is one that the wanted side's Send All sends; applied to
    // the unit they leave no difference. A zone made fixed is put at 0 dB,
    // unmuted and powered after Send All's order has sent those, so where the
    // wanted side holds a fixed zone otherwise, a second round sends them.
    for (int round = 1; round <= 2; ++round) {
        for (const UnitSettings::Difference &difference : a.differences(b)) {
            QVERIFY(!difference.commands.isEmpty());
            if (round == 2)
                QVERIFY2(QRegularExpression("^Zone \\d+ (volume|mute|power)$")
                             .match(difference.setting)
                             .hasMatch(),
                         qPrintable(difference.setting));
            for (const QByteArray &command : difference.commands) {
                QVERIFY2(sendAll.contains(command), command.constData());
                QVERIFY2(a.apply(command), command.constData());
            }
        }
    }
    QCOMPARE(describe(a.differences(b)), QStringList());
}

QTEST_MAIN(tst_unit_settings)
#include "tst_unit_settings.moc"
