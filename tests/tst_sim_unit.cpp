#include <QtTest>

#include "protocol/core/config_file_reader.h"
#include "protocol/core/messages.h"
#include "protocol/core/reply_decoder.h"
#include "sim/frame_splitter.h"
#include "sim/unit_state.h"

#include <QRandomGenerator>

#include <functional>
#include <QTemporaryDir>

using namespace protocol;

Q_DECLARE_METATYPE(protocol::Message)

namespace {

// A command of the message with every field at the low or high end of its range.
QByteArray sampleCommand(Message id, bool high)
{
    const MessageDefinition &row = definition(id);
    QVector<Field> fields;
    for (int f = 0; f < row.fieldCount; ++f) {
        const FieldDefinition &field = row.fields[f];
        if (field.kind == FieldKind::Number)
            fields << Field(high ? field.max : field.min);
        else if (field.kind == FieldKind::Name)
            fields << Field(high ? QStringLiteral("Sixteen chars!!!") : QStringLiteral("K"));
        else
            fields << Field(high ? QStringLiteral("255.255.255.255") : QStringLiteral("10.0.0.1"));
    }
    return command(id, fields);
}

// A command of a random setting message with random in-range fields.
QByteArray randomCommand(QRandomGenerator &random)
{
    for (;;) {
        const Message id = static_cast<Message>(random.bounded(ReplyRowCount));
        const MessageDefinition &row = definition(id);
        if (row.replyOnly)
            continue;
        QVector<Field> fields;
        for (int f = 0; f < row.fieldCount; ++f) {
            const FieldDefinition &field = row.fields[f];
            if (field.kind == FieldKind::Number) {
                const int steps = (field.max - field.min) / field.step;
                fields << Field(field.min + field.step * random.bounded(steps + 1));
            } else if (field.kind == FieldKind::Name) {
                fields << Field(QStringLiteral("N\u00e4me %1").arg(random.bounded(1000)));
            } else {
                fields << Field(QStringLiteral("10.%1.%2.%3")
                                    .arg(random.bounded(256))
                                    .arg(random.bounded(256))
                                    .arg(random.bounded(256)));
            }
        }
        return command(id, fields);
    }
}

QByteArray joinLines(const QList<QByteArray> &lines)
{
    QByteArray text;
    for (const QByteArray &line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace

class tst_sim_unit : public QObject
{
    Q_OBJECT

private slots:
    void defaults_data();
    void defaults();
    void everySettingStoredAndEchoed_data();
    void everySettingStoredAndEchoed();
    void fieldsLandInTheirSetting_data();
    void fieldsLandInTheirSetting();
    void refused_data();
    void refused();
    void dumpReplaysToIdenticalState_data();
    void dumpReplaysToIdenticalState();
    void outputLevels_data();
    void outputLevels();
    void allZonesToMaximum();
    void networkCommit();
    void splitter_data();
    void splitter();
    void splitterMemoryBound();
    void loadConfigurationFile();
};

void tst_sim_unit::defaults_data()
{
    QTest::addColumn<QByteArray>("line");
    for (const char *line : {"VO1R-40",
                             "VO16R-40",
                             "VMO1",
                             "VMO16",
                             "PONO1",
                             "VO1F0",
                             "BO1R0",
                             "CO1I1",
                             "CO16I1",
                             "VPONO1L-40",
                             "NI1\"Source Name 1\"",
                             "NI16\"Source Name 16\"",
                             "NO1\"Zone Name 1\"",
                             "NO16\"Zone Name 16\"",
                             "NEP1\"Preset Name 1\"",
                             "NEP10\"Preset Name 10\"",
                             "NG10\"Group Name 10\"",
                             "NF10\"Favorite Name 10\"",
                             "EP10B10L0",
                             "EO1M0",
                             "EO1LP100",
                             "EO16HP100",
                             "TO1B0T0",
                             "EO1B1L0",
                             "EO1P1",
                             "DHCP1",
                             "SDDP1",
                             "IP192.168.0.13",
                             "NM255.255.255.0",
                             "GW192.168.0.3",
                             "SD0",
                             "SLEEP5",
                             "IRL1",
                             "FPL0",
                             "SERIAL0",
                             "TRIGMODE0",
                             "TRIGLEVEL20",
                             "TRIGTIME5",
                             "G1RO1",
                             "G10RO16",
                             "F1RO1",
                             "F10RO16"})
        QTest::newRow(line) << QByteArray(line);
}

void tst_sim_unit::defaults()
{
    QFETCH(QByteArray, line);
    QVERIFY(UnitState().dump().contains(line));
}

void tst_sim_unit::everySettingStoredAndEchoed_data()
{
    QTest::addColumn<QByteArray>("frame");
    for (int i = 0; i < MessageCount; ++i) {
        const MessageDefinition &row = definition(static_cast<Message>(i));
        if (row.replyOnly || !row.reply)
            continue;
        QTest::addRow("%s low", row.name) << sampleCommand(row.id, false);
        QTest::addRow("%s high", row.name) << sampleCommand(row.id, true);
    }
}

void tst_sim_unit::everySettingStoredAndEchoed()
{
    QFETCH(QByteArray, frame);
    UnitState unit;
    const UnitState::Outcome outcome = unit.apply(frame);
    QVERIFY(outcome.accepted);
    QVERIFY(!outcome.networkCommit);
    const QByteArray echo = frame.mid(1, frame.size() - 2);
    QCOMPARE(outcome.replies, QList<QByteArray>{echo});
    // The unit now holds the setting: a query reports it.
    QVERIFY2(unit.dump().contains(echo), echo.constData());
    // And the echo is a reply line the utility recognises as the same message.
    QCOMPARE(decodeReply(echo).message, parseFrame(QString::fromUtf8(frame))->id);
}

void tst_sim_unit::fieldsLandInTheirSetting_data()
{
    QTest::addColumn<QByteArrayList>("replies");
    QTest::addColumn<QByteArray>("echo");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("expected");

    using Get = std::function<QVariant(const UnitSettings &)>;
    auto row = [](const char *tag, const QByteArray &frame, const QByteArray &echo, const Get &get,
                  const QVariant &expected) {
        UnitState unit;
        const QByteArrayList replies = unit.apply(frame).replies;
        QTest::newRow(tag) << replies << echo << get(unit.settings()) << expected;
    };
    using S = UnitSettings;
    row(
        "volume, leading zeros", "[VO03R-05]", "VO3R-5", [](const S &s) { return s.zones[2].volume; }, -5);
    row(
        "balance left is negative", "[BO2L7]", "BO2L7", [](const S &s) { return s.zones[1].balance; }, -7);
    row(
        "balance right", "[BO2R80]", "BO2R80", [](const S &s) { return s.zones[1].balance; }, 80);
    row(
        "tone: bass", "[TO4B-3T9]", "TO4B-3T9", [](const S &s) { return s.zones[3].bass; }, -3);
    row(
        "tone: treble", "[TO4B-3T9]", "TO4B-3T9", [](const S &s) { return s.zones[3].treble; }, 9);
    row(
        "zone EQ band 10", "[EO5B10L-4]", "EO5B10L-4", [](const S &s) { return s.zones[4].eq[9]; }, -4);
    row(
        "preset EQ band", "[EP3B1L6]", "EP3B1L6", [](const S &s) { return s.presets[2].eq[0]; }, 6);
    row(
        "group add zone 16", "[G2AO16]", "G2AO16", [](const S &s) { return int(s.groups[1].members); },
        0x8000);
    row(
        "favorite source", "[F3AO4I9]", "F3AO4I9", [](const S &s) { return s.favorites[2].source[3]; }, 9);
    row(
        "source name UTF-8", "[NI2\"Caf\xc3\xa9\"]", "NI2\"Caf\xc3\xa9\"",
        [](const S &s) { return s.sourceNames[1]; }, QString::fromUtf8("Caf\xc3\xa9"));
    row(
        "power-on volume", "[VPONO6L-80]", "VPONO6L-80", [](const S &s) { return s.zones[5].powerOnVolume; },
        -80);
    row(
        "unmute", "[VUMO7]", "VUMO7", [](const S &s) { return s.zones[6].muted; }, false);
    row(
        "fixed", "[VO8F1]", "VO8F1", [](const S &s) { return s.zones[7].fixed; }, true);
    row(
        "gateway", "[GW10.0.0.1]", "GW10.0.0.1", [](const S &s) { return s.gateway; }, "10.0.0.1");
    row(
        "sleep", "[SLEEP2]", "SLEEP2", [](const S &s) { return s.sleep; }, 2);
}

void tst_sim_unit::fieldsLandInTheirSetting()
{
    QFETCH(QByteArrayList, replies);
    QFETCH(QByteArray, echo);
    QFETCH(QVariant, stored);
    QFETCH(QVariant, expected);
    QCOMPARE(replies, QByteArrayList{echo});
    QCOMPARE(stored, expected);
}

void tst_sim_unit::refused_data()
{
    QTest::addColumn<QByteArray>("frame");
    for (const char *frame : {"[VO3R-81]",
                              "[VO3R1]",
                              "[VO17R-5]",
                              "[VO0R-5]",
                              "[VO1F2]",
                              "[BO1L0]",
                              "[BO1L81]",
                              "[BO1R81]",
                              "[BO1R-1]",
                              "[CO1I0]",
                              "[CO1I17]",
                              "[VPONO1L-81]",
                              "[TO1B13T0]",
                              "[TO1B0T-13]",
                              "[EO1M6]",
                              "[EO1HP99]",
                              "[EO1HP20001]",
                              "[EO1LP39]",
                              "[EO1LP241]",
                              "[EO1B11L0]",
                              "[EO1B0L0]",
                              "[EO1B1L11]",
                              "[EO1P0]",
                              "[EO1P11]",
                              "[NEP11\"x\"]",
                              "[EP1B1L-11]",
                              "[EP0B1L0]",
                              "[DHCP2]",
                              "[SDDP-1]",
                              "[IP1.2.3.256]",
                              "[IP1.2.3]",
                              "[NM1.2.3.4.5]",
                              "[GW]",
                              "[SD4]",
                              "[SLEEP6]",
                              "[FPL2]",
                              "[IRL2]",
                              "[TRIGMODE3]",
                              "[TRIGLEVEL19]",
                              "[TRIGLEVEL201]",
                              "[TRIGTIME12]",
                              "[TRIGTIME20]",
                              "[TRIGTIME0]",
                              "[SERIAL2]",
                              "[G11AO1]",
                              "[G0AO1]",
                              "[G1AO17]",
                              "[G1RO0]",
                              "[F1AO1I17]",
                              "[F1AO1I0]",
                              "[F11RO1]",
                              "[NF0\"x\"]",
                              "[NG11\"x\"]",
                              "[NO1\"\"]",
                              "[NI1\"12345678901234567\"]",
                              "[NO1\"a\"b\"]",
                              "[NO1\"a\tb\"]",
                              "[O1L50]",
                              "[O1R50]",
                              "[XYZ]",
                              "[vo1r-5]",
                              "[VO1R-5 ]",
                              "[ VO1R-5]",
                              "VO1R-5",
                              "[VO1R-5",
                              "VO1R-5]",
                              "[]",
                              "",
                              "[VO1R--5]",
                              "[VO1R-99999999999]",
                              "[QX1]",
                              "[VXR1]"})
        QTest::newRow(frame) << QByteArray(frame);
    QTest::newRow("NUL inside") << QByteArray("[SD1\0]", 6);
    QTest::newRow("name with NUL") << QByteArray("[NO1\"a\0b\"]", 10);
}

void tst_sim_unit::refused()
{
    QFETCH(QByteArray, frame);
    UnitState unit;
    const QList<QByteArray> before = unit.dump();
    const UnitState::Outcome outcome = unit.apply(frame);
    QVERIFY(!outcome.accepted);
    QVERIFY(outcome.replies.isEmpty());
    QVERIFY(!outcome.networkCommit);
    QCOMPARE(unit.dump(), before);
}

void tst_sim_unit::dumpReplaysToIdenticalState_data()
{
    QTest::addColumn<int>("ends"); // 0: none, 1: every setting at its low end, 2: at its high end
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("commands");
    QTest::newRow("defaults") << 0 << 1u << 0;
    QTest::newRow("low ends") << 1 << 1u << 0;
    QTest::newRow("high ends") << 2 << 1u << 0;
    QTest::newRow("a few edits") << 0 << 2u << 20;
    QTest::newRow("many edits") << 0 << 3u << 3000;
}

void tst_sim_unit::dumpReplaysToIdenticalState()
{
    QFETCH(int, ends);
    QFETCH(quint32, seed);
    QFETCH(int, commands);
    QRandomGenerator random(seed);
    UnitState edited;
    for (int i = 0; ends != 0 && i < ReplyRowCount; ++i) {
        if (!definition(static_cast<Message>(i)).replyOnly)
            QVERIFY(edited.apply(sampleCommand(static_cast<Message>(i), ends == 2)).accepted);
    }
    for (int i = 0; i < commands; ++i) {
        const QByteArray frame = randomCommand(random);
        QVERIFY2(edited.apply(frame).accepted, frame.constData());
    }
    if (commands > 100 || ends != 0)
        QVERIFY(edited != UnitState());

    const UnitState::Outcome query = edited.apply("[QX]");
    QVERIFY(query.accepted);
    QCOMPARE(query.replies, edited.dump());
    // Every line of the answer is a reply the utility recognises.
    for (const QByteArray &line : query.replies)
        QVERIFY2(decodeReply(line).recognised(), line.constData());

    UnitState replayed;
    QCOMPARE(replayed.applyText(joinLines(query.replies)), query.replies.size());
    QCOMPARE(replayed.differences(edited), QStringList());
    QVERIFY(replayed == edited);
}

void tst_sim_unit::outputLevels_data()
{
    QTest::addColumn<QByteArrayList>("setup");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");

    QTest::newRow("muted at start") << QByteArrayList{} << 0 << 0;
    QTest::newRow("unmuted -40 dB") << QByteArrayList{"[VUMO3]"} << 50 << 50;
    QTest::newRow("0 dB") << QByteArrayList{"[VUMO3]", "[VO3R0]"} << 100 << 100;
    QTest::newRow("-80 dB") << QByteArrayList{"[VUMO3]", "[VO3R-80]"} << 0 << 0;
    QTest::newRow("balance left") << QByteArrayList{"[VUMO3]", "[VO3R0]", "[BO3L40]"} << 100 << 50;
    QTest::newRow("balance full right") << QByteArrayList{"[VUMO3]", "[VO3R0]", "[BO3R80]"} << 0 << 100;
    QTest::newRow("powered off") << QByteArrayList{"[VUMO3]", "[POFFO3]"} << 0 << 0;
    QTest::newRow("fixed plays at 0 dB") << QByteArrayList{"[VUMO3]", "[VO3R-80]", "[VO3F1]"} << 100 << 100;
    QTest::newRow("volume set while fixed plays once no longer fixed")
        << QByteArrayList{"[VUMO3]", "[VO3F1]", "[VO3R-40]", "[VO3F0]"} << 50 << 50;
}

void tst_sim_unit::outputLevels()
{
    QFETCH(QByteArrayList, setup);
    QFETCH(int, left);
    QFETCH(int, right);
    UnitState unit;
    for (const QByteArray &frame : setup)
        QVERIFY(unit.apply(frame).accepted);
    const QList<QByteArray> lines = unit.apply("[QOL]").replies;
    QCOMPARE(lines.size(), 32);
    for (const QByteArray &line : lines) {
        const DecodedReply reply = decodeReply(line);
        QVERIFY(reply.message == Message::OutputLevelLeft || reply.message == Message::OutputLevelRight);
        QVERIFY(reply.value[1] >= 0 && reply.value[1] <= 100);
        if (reply.value[0] != 3)
            continue;
        QCOMPARE(reply.value[1], reply.message == Message::OutputLevelLeft ? left : right);
    }
    QVERIFY(lines.contains("O3L" + QByteArray::number(left)));
    QVERIFY(lines.contains("O3R" + QByteArray::number(right)));
}

void tst_sim_unit::allZonesToMaximum()
{
    UnitState unit;
    QVERIFY(unit.apply("[VO5R-70]").accepted);
    const UnitState::Outcome outcome = unit.apply("[VXR0]");
    QVERIFY(outcome.accepted);
    QList<QByteArray> expected;
    for (int z = 1; z <= 16; ++z) {
        expected << "VO" + QByteArray::number(z) + "R0";
        QCOMPARE(unit.settings().zones[z - 1].volume, 0);
    }
    QCOMPARE(outcome.replies, expected);
}

void tst_sim_unit::networkCommit()
{
    UnitState unit;
    const UnitState::Outcome outcome = unit.apply("[EC]");
    QVERIFY(outcome.accepted);
    QVERIFY(outcome.networkCommit);
    QVERIFY(outcome.replies.isEmpty());
}

void tst_sim_unit::splitter_data()
{
    QTest::addColumn<QByteArrayList>("chunks");
    QTest::addColumn<QByteArrayList>("frames");
    QTest::addColumn<int>("dropped");

    QTest::newRow("back to back") << QByteArrayList{"[VMO1][VUMO2]"} << QByteArrayList{"[VMO1]", "[VUMO2]"}
                                  << 0;
    QTest::newRow("line ends and noise between")
        << QByteArrayList{"x[VMO1]y\r\n[SD1]\n\n"} << QByteArrayList{"[VMO1]", "[SD1]"} << 0;
    QTest::newRow("split across reads")
        << QByteArrayList{"[VO1", "R-5", "][S", "D1]"} << QByteArrayList{"[VO1R-5]", "[SD1]"} << 0;
    QTest::newRow("one byte at a time") << QByteArrayList{"[", "E", "C", "]"} << QByteArrayList{"[EC]"} << 0;
    QTest::newRow("unclosed before a new frame")
        << QByteArrayList{"[VO1R-5[SD1]"} << QByteArrayList{"[SD1]"} << 1;
    QTest::newRow("line end inside") << QByteArrayList{"[VO1\nR-5][SD1]"} << QByteArrayList{"[SD1]"} << 1;
    QTest::newRow("stray closing bracket") << QByteArrayList{"]]x][SD1]"} << QByteArrayList{"[SD1]"} << 0;
    QTest::newRow("longest frame kept") << QByteArrayList{"[" + QByteArray(510, 'A') + "]"}
                                        << QByteArrayList{"[" + QByteArray(510, 'A') + "]"} << 0;
    QTest::newRow("one byte too long")
        << QByteArrayList{"[" + QByteArray(511, 'A') + "][SD1]"} << QByteArrayList{"[SD1]"} << 1;
    QTest::newRow("huge frame then a good one")
        << QByteArrayList{"[NO1\"" + QByteArray(10000, 'x'), QByteArray(10000, 'y') + "\"][VMO2]"}
        << QByteArrayList{"[VMO2]"} << 1;
    QTest::newRow("invalid UTF-8 passes through")
        << QByteArrayList{"[NO1\"\xff\xfe\"]"} << QByteArrayList{"[NO1\"\xff\xfe\"]"} << 0;
}

void tst_sim_unit::splitter()
{
    QFETCH(QByteArrayList, chunks);
    QFETCH(QByteArrayList, frames);
    QFETCH(int, dropped);
    FrameSplitter splitter;
    QByteArrayList got;
    for (const QByteArray &chunk : chunks) {
        got += splitter.feed(chunk);
        QVERIFY(splitter.pendingSize() <= FrameSplitter::MaxFrame);
    }
    QCOMPARE(got, frames);
    QCOMPARE(splitter.droppedFrames(), dropped);

    // Whatever the frames hold, applying them never breaks the unit.
    UnitState unit;
    for (const QByteArray &frame : got) {
        for (const QByteArray &line : unit.apply(frame).replies)
            QVERIFY(!line.contains('\n') && !line.contains('\r'));
    }
}

void tst_sim_unit::splitterMemoryBound()
{
    QRandomGenerator random(7);
    FrameSplitter splitter;
    UnitState unit;
    int frames = 0;
    for (int round = 0; round < 200; ++round) {
        QByteArray chunk(4096, Qt::Uninitialized);
        for (char &c : chunk) {
            // Mostly bytes inside frames, few brackets: long unclosed frames.
            const int pick = random.bounded(1000);
            c = pick == 0 ? '[' : pick == 1 ? ']' : char(random.bounded(256));
        }
        for (const QByteArray &frame : splitter.feed(chunk)) {
            QVERIFY(frame.size() <= FrameSplitter::MaxFrame);
            unit.apply(frame);
            ++frames;
        }
        QVERIFY(splitter.pendingSize() <= FrameSplitter::MaxFrame);
    }
    QVERIFY(frames > 0);
    QVERIFY(splitter.droppedFrames() > 0);
}

void tst_sim_unit::loadConfigurationFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("unit.ZOR"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "[NI1\"Turntable\"]\r\n[VO3R-35]\n[BO3L10]\r\n\r\nnot a command\n[EO3M3]\n[TO3B4T-2]\n[TO3B4T-2]\n"
        "[XYZ]\n[G2AO5]\n");
    // An overlong line is passed over, as the window's Load passes it over.
    file.write("[VO4R-30]" + QByteArray(ConfigFileReader::MaxLineLength, ' ') + "\n");
    file.close();

    UnitState unit;
    QString error;
    QVERIFY(unit.loadFile(path, &error));
    const UnitSettings &s = unit.settings();
    QCOMPARE(s.sourceNames[0], QStringLiteral("Turntable"));
    QCOMPARE(s.zones[2].volume, -35);
    QCOMPARE(s.zones[2].balance, -10);
    QCOMPARE(s.zones[2].dspMode, 3);
    QCOMPARE(s.zones[2].bass, 4);
    QCOMPARE(s.zones[2].treble, -2);
    QCOMPARE(s.groups[1].members, quint16(1u << 4));
    QCOMPARE(s.zones[3].volume, UnitSettings().zones[3].volume);

    UnitState missing;
    QVERIFY(!missing.loadFile(dir.filePath(QStringLiteral("none.ZOR")), &error));
    QVERIFY(error.contains(QStringLiteral("none.ZOR")));
    QVERIFY(missing == UnitState());
}

QTEST_GUILESS_MAIN(tst_sim_unit)
#include "tst_sim_unit.moc"
