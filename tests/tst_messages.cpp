#include <QtTest>

#include "protocol/core/messages.h"
#include "protocol/core/reply_decoder.h"

using namespace protocol;

Q_DECLARE_METATYPE(protocol::Message)

namespace {

// A value of each field that the unit accepts: the low or the high end of its range.
QVector<Field> sampleFields(const MessageDefinition &row, bool high)
{
    QVector<Field> fields;
    for (int f = 0; f < row.fieldCount; ++f) {
        const FieldDefinition &field = row.fields[f];
        switch (field.kind) {
        case FieldKind::Number:
            fields.append(Field(high ? field.max : field.min));
            break;
        case FieldKind::Name:
            fields.append(Field(high ? QStringLiteral("Sixteen chars!!!") : QStringLiteral("K")));
            break;
        case FieldKind::Address:
            fields.append(Field(high ? QStringLiteral("255.255.255.255") : QStringLiteral("0.0.0.0")));
            break;
        case FieldKind::None:
            break;
        }
    }
    return fields;
}

} // namespace

class tst_messages : public QObject
{
    Q_OBJECT

private slots:
    void commandBytes_data();
    void commandBytes();
    void commandBytesIgnoreLocale();
    void fieldCountMismatchBuildsNothing_data();
    void fieldCountMismatchBuildsNothing();
    void tableShape_data();
    void tableShape();
    void commandReadsBackAsItsOwnReply_data();
    void commandReadsBackAsItsOwnReply();
    void emptyNameIsNotAReply_data();
    void emptyNameIsNotAReply();
    void nameCannotBreakFraming_data();
    void nameCannotBreakFraming();
    void forbiddenNameChars_data();
    void forbiddenNameChars();
    void readFrame_data();
    void readFrame();
};

void tst_messages::commandBytes_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("zone volume") << zoneVolume(3, -25) << QByteArray("[VO3R-25]");
    QTest::newRow("zone volume 0 dB") << zoneVolume(16, 0) << QByteArray("[VO16R0]");
    QTest::newRow("balance -1 goes left") << zoneBalance(1, -1) << QByteArray("[BO1L1]");
    QTest::newRow("balance -80 goes left") << zoneBalance(2, -80) << QByteArray("[BO2L80]");
    QTest::newRow("balance 0 goes right") << zoneBalance(1, 0) << QByteArray("[BO1R0]");
    QTest::newRow("balance 80 goes right") << zoneBalance(1, 80) << QByteArray("[BO1R80]");
    QTest::newRow("zone source") << zoneSource(10, 16) << QByteArray("[CO10I16]");
    QTest::newRow("zone fixed") << zoneFixed(4, true) << QByteArray("[VO4F1]");
    QTest::newRow("zone mute") << zoneMute(4, true) << QByteArray("[VMO4]");
    QTest::newRow("zone unmute") << zoneMute(4, false) << QByteArray("[VUMO4]");
    QTest::newRow("zone power on") << zonePower(12, true) << QByteArray("[PONO12]");
    QTest::newRow("zone power off") << zonePower(12, false) << QByteArray("[POFFO12]");
    QTest::newRow("power-on volume") << zonePowerOnVolume(5, -40) << QByteArray("[VPONO5L-40]");
    QTest::newRow("group add zone") << groupZone(10, 16, true) << QByteArray("[G10AO16]");
    QTest::newRow("group remove zone") << groupZone(1, 2, false) << QByteArray("[G1RO2]");
    QTest::newRow("favorite zone source") << favoriteZoneSource(1, 4, 9) << QByteArray("[F1AO4I9]");
    QTest::newRow("favorite zone bypass") << favoriteZoneBypass(1, 4) << QByteArray("[F1RO4]");
    QTest::newRow("brightness") << fpBrightness(3) << QByteArray("[SD3]");
    QTest::newRow("sleep") << fpSleep(5) << QByteArray("[SLEEP5]");
    QTest::newRow("trigger time") << triggerTime(10) << QByteArray("[TRIGTIME10]");
    QTest::newRow("trigger level") << triggerLevel(120) << QByteArray("[TRIGLEVEL120]");
    QTest::newRow("trigger mode") << triggerMode(2) << QByteArray("[TRIGMODE2]");
    QTest::newRow("IR lock") << fpIrLock(true) << QByteArray("[IRL1]");
    QTest::newRow("panel lock") << fpLock(false) << QByteArray("[FPL0]");
    QTest::newRow("serial off") << serialResponses(false) << QByteArray("[SERIAL0]");
    QTest::newRow("DHCP") << dhcpEnable(false) << QByteArray("[DHCP0]");
    QTest::newRow("SDDP") << sddpEnable(true) << QByteArray("[SDDP1]");
    QTest::newRow("IP as typed") << ipAddress(QStringLiteral("192.168.0.13"))
                                 << QByteArray("[IP192.168.0.13]");
    QTest::newRow("mask") << networkMask(QStringLiteral("255.255.255.0")) << QByteArray("[NM255.255.255.0]");
    QTest::newRow("gateway") << gateway(QStringLiteral("192.168.0.3")) << QByteArray("[GW192.168.0.3]");
    QTest::newRow("highpass") << zoneHighpass(1, 20000) << QByteArray("[EO1HP20000]");
    QTest::newRow("lowpass") << zoneLowpass(2, 40) << QByteArray("[EO2LP40]");
    QTest::newRow("DSP mode") << zoneDspMode(3, 5) << QByteArray("[EO3M5]");
    QTest::newRow("tone") << zoneTone(7, -12, 3) << QByteArray("[TO7B-12T3]");
    QTest::newRow("zone EQ band") << zoneEqBand(2, 3, -4) << QByteArray("[EO2B3L-4]");
    QTest::newRow("preset select") << zonePresetSelect(2, 10) << QByteArray("[EO2P10]");
    QTest::newRow("preset EQ band") << presetEqBand(3, 10, 7) << QByteArray("[EP3B10L7]");
    QTest::newRow("zone name") << zoneName(3, QStringLiteral("Kitchen")) << QByteArray("[NO3\"Kitchen\"]");
    QTest::newRow("empty name") << zoneName(1, QString()) << QByteArray("[NO1\"\"]");
    QTest::newRow("source name UTF-8")
        << sourceName(2, QStringLiteral("Caf\u00e9")) << QByteArray("[NI2\"Caf\xc3\xa9\"]");
    QTest::newRow("preset name CJK") << presetName(1, QString::fromUtf8("\xe6\x97\xa5\xe6\x9c\xac"))
                                     << QByteArray("[NEP1\"\xe6\x97\xa5\xe6\x9c\xac\"]");
    QTest::newRow("group name long is sent whole") << groupName(10, QStringLiteral("A name of twenty chars"))
                                                   << QByteArray("[NG10\"A name of twenty chars\"]");
    QTest::newRow("favorite name") << favoriteName(4, QStringLiteral("Party"))
                                   << QByteArray("[NF4\"Party\"]");
    QTest::newRow("serial on literal") << serialResponses(true) << QByteArray("[SERIAL1]");
    QTest::newRow("query all") << queryAll() << QByteArray("[QX]");
    QTest::newRow("query output levels") << queryOutputLevels() << QByteArray("[QOL]");
    QTest::newRow("network commit") << networkCommit() << QByteArray("[EC]");
    QTest::newRow("all zones to maximum") << allZonesMax() << QByteArray("[VXR0]");
    QTest::newRow("generic builder") << command(Message::ZoneVolume, {3, -25}) << QByteArray("[VO3R-25]");
    QTest::newRow("reply of a setting") << replyLine(Message::ZoneVolume, {3, -25}) << QByteArray("VO3R-25");
    QTest::newRow("reply of a name") << replyLine(Message::GroupName, {2, "Up\"stairs"})
                                     << QByteArray("NG2\"Upstairs\"");
    QTest::newRow("output level reply")
        << replyLine(Message::OutputLevelLeft, {3, 50}) << QByteArray("O3L50");
    QTest::newRow("output level right reply")
        << replyLine(Message::OutputLevelRight, {16, 0}) << QByteArray("O16R0");
    QTest::newRow("no reply for a query") << replyLine(Message::QueryAll, {}) << QByteArray();
}

void tst_messages::commandBytes()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, expected);
    QCOMPARE(built, expected);
}

void tst_messages::commandBytesIgnoreLocale()
{
    // Digits and signs on the wire never follow the user's locale.
    const QLocale saved;
    for (const char *name : {"de_DE", "ar_EG", "fa_IR", "hi_IN"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        QCOMPARE(zoneVolume(12, -40), QByteArray("[VO12R-40]"));
        QCOMPARE(zoneHighpass(1, 12000), QByteArray("[EO1HP12000]"));
    }
    QLocale::setDefault(saved);
}

void tst_messages::fieldCountMismatchBuildsNothing_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::newRow("too few") << command(Message::ZoneVolume, {3});
    QTest::newRow("too many") << command(Message::QueryAll, {1});
    QTest::newRow("reply only") << command(Message::OutputLevelLeft, {1, 50});
}

void tst_messages::fieldCountMismatchBuildsNothing()
{
    QFETCH(QByteArray, built);
    QVERIFY(built.isEmpty());
}

void tst_messages::tableShape_data()
{
    QTest::addColumn<Message>("id");
    for (int i = 0; i < MessageCount; ++i)
        QTest::newRow(definition(static_cast<Message>(i)).name) << static_cast<Message>(i);
}

void tst_messages::tableShape()
{
    QFETCH(Message, id);
    const MessageDefinition &row = definition(id);
    QCOMPARE(row.id, id);
    QVERIFY(row.command);
    const QString form = QString::fromLatin1(row.command);
    QVERIFY(form.startsWith(QLatin1Char('[')) && form.endsWith(QLatin1Char(']')));
    QCOMPARE(form.count(QStringLiteral("{}")), row.fieldCount);
    QVERIFY(!row.replyOnly || row.reply);
    if (row.reply) {
        const QRegularExpression reply(QString::fromLatin1(row.reply));
        QVERIFY2(reply.isValid(), qPrintable(reply.errorString()));
        QCOMPARE(reply.captureCount(), row.fieldCount);
        QCOMPARE(messageOfRow(replyRow(id)), id);
        // The decoder's prefilter relies on: capital letters, then a capture
        // that starts with a digit class.
        const QString pattern = reply.pattern();
        const int open = pattern.indexOf(QLatin1Char('('));
        QVERIFY(open > 0);
        for (int i = 0; i < open; ++i)
            QVERIFY(pattern.at(i) >= QLatin1Char('A') && pattern.at(i) <= QLatin1Char('Z'));
        QCOMPARE(pattern.mid(open, 4), QStringLiteral("([0-"));
    } else {
        QCOMPARE(replyRow(id), 0);
    }
}

void tst_messages::commandReadsBackAsItsOwnReply_data()
{
    QTest::addColumn<Message>("id");
    QTest::addColumn<bool>("high");
    for (int i = 0; i < MessageCount; ++i) {
        const MessageDefinition &row = definition(static_cast<Message>(i));
        if (row.replyOnly || !row.reply)
            continue;
        QTest::addRow("%s low", row.name) << row.id << false;
        QTest::addRow("%s high", row.name) << row.id << true;
    }
}

void tst_messages::commandReadsBackAsItsOwnReply()
{
    // A saved command line is also a valid reply line: the decoder must find
    // the same message and the same fields in it.
    QFETCH(Message, id);
    QFETCH(bool, high);
    const MessageDefinition &row = definition(id);
    const QVector<Field> fields = sampleFields(row, high);
    const QByteArray bytes = command(id, fields);
    QVERIFY(!bytes.isEmpty());

    const DecodedReply reply = decodeReply(bytes);
    QCOMPARE(reply.message, id);
    QCOMPARE(reply.row, replyRow(id));
    QCOMPARE(reply.captureCount, row.fieldCount);
    for (int f = 0; f < row.fieldCount; ++f) {
        if (fields[f].isText())
            QCOMPARE(reply.text[f], fields[f].text());
        else
            QCOMPARE(reply.value[f], fields[f].number());
    }

    // The unit reads the same frame back into the same fields, within range.
    const auto parsed = protocol::parseFrame(QString::fromUtf8(bytes));
    QVERIFY(parsed.has_value());
    QCOMPARE(parsed->id, id);
    QVERIFY(withinRanges(*parsed));
    QCOMPARE(rebuild(*parsed), bytes);
}

void tst_messages::emptyNameIsNotAReply_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("source") << sourceName(1, QString());
    QTest::newRow("zone") << zoneName(1, QString());
    QTest::newRow("preset") << presetName(1, QString());
    QTest::newRow("group") << groupName(1, QString());
    QTest::newRow("favorite") << favoriteName(1, QString());
    QTest::newRow("only forbidden characters") << zoneName(1, QStringLiteral("\"[]"));
}

void tst_messages::emptyNameIsNotAReply()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(bytes.endsWith("\"\"]"));
    QVERIFY(!decodeReply(bytes).recognised());
    const auto parsed = protocol::parseFrame(QString::fromUtf8(bytes));
    QVERIFY(parsed.has_value());
    QVERIFY(!withinRanges(*parsed));
}

void tst_messages::nameCannotBreakFraming_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("sent");

    QTest::newRow("injection") << QStringLiteral("x\"][VXR0][") << QStringLiteral("xVXR0");
    QTest::newRow("quote") << QStringLiteral("12\" rack") << QStringLiteral("12 rack");
    QTest::newRow("brackets") << QStringLiteral("[A]") << QStringLiteral("A");
    QTest::newRow("CR LF") << QStringLiteral("Den\r\n[QX]") << QStringLiteral("DenQX");
    QTest::newRow("tab") << QStringLiteral("a\tb") << QStringLiteral("ab");
    QTest::newRow("NUL") << QString::fromUtf16(u"a\0b", 3) << QStringLiteral("ab");
    QTest::newRow("DEL and C1") << QStringLiteral("a\u007f\u0085\u009fb") << QStringLiteral("ab");
    QTest::newRow("line separator") << QStringLiteral("a\u2028b\u2029c") << QStringLiteral("abc");
    QTest::newRow("punctuation kept")
        << QStringLiteral("R&B / 'Jazz' {1}") << QStringLiteral("R&B / 'Jazz' {1}");
    QTest::newRow("accents kept") << QStringLiteral("\u00c9t\u00e9 \u00e0 Caf\u00e9")
                                  << QStringLiteral("\u00c9t\u00e9 \u00e0 Caf\u00e9");
    QTest::newRow("CJK kept") << QString::fromUtf8("\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e")
                              << QString::fromUtf8("\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e");
    QTest::newRow("emoji kept") << QString::fromUtf8("Bar \xf0\x9f\x8d\xba")
                                << QString::fromUtf8("Bar \xf0\x9f\x8d\xba");
    QTest::newRow("no-break space kept") << QStringLiteral("a\u00a0b") << QStringLiteral("a\u00a0b");
}

void tst_messages::nameCannotBreakFraming()
{
    QFETCH(QString, name);
    QFETCH(QString, sent);
    for (const QByteArray &bytes : {sourceName(1, name), zoneName(16, name), presetName(10, name),
                                    groupName(1, name), favoriteName(2, name)}) {
        QCOMPARE(bytes.count('['), 1);
        QCOMPARE(bytes.count(']'), 1);
        QCOMPARE(bytes.count('"'), 2);
        QVERIFY(!bytes.contains('\n') && !bytes.contains('\r') && !bytes.contains('\0'));
        QVERIFY(bytes.startsWith('[') && bytes.endsWith(']'));
        const DecodedReply reply = decodeReply(bytes);
        QVERIFY(reply.recognised());
        QCOMPARE(reply.text[1], sent);
    }
    QCOMPARE(sanitizeName(name), sent);
}

void tst_messages::forbiddenNameChars_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<bool>("forbidden");
    const struct {
        uint code;
        bool forbidden;
    } rows[] = {{0x00, true},   {0x09, true},   {0x0A, true},    {0x0D, true},    {0x1F, true},
                {0x20, false},  {0x21, false},  {0x22, true},    {0x5B, true},    {0x5C, false},
                {0x5D, true},   {0x7B, false},  {0x7E, false},   {0x7F, true},    {0x80, true},
                {0x85, true},   {0x9F, true},   {0xA0, false},   {0xE9, false},   {0x2027, false},
                {0x2028, true}, {0x2029, true}, {0x202A, false}, {0xFEFF, false}, {0xFFFD, false}};
    for (const auto &row : rows)
        QTest::addRow("U+%04X", row.code) << row.code << row.forbidden;
}

void tst_messages::forbiddenNameChars()
{
    QFETCH(uint, code);
    QFETCH(bool, forbidden);
    const QChar c(static_cast<ushort>(code));
    QCOMPARE(isForbiddenNameChar(c), forbidden);
    const QString name = QStringLiteral("a") + c + QStringLiteral("b");
    QCOMPARE(sanitizeName(name), forbidden ? QStringLiteral("ab") : name);
}

void tst_messages::readFrame_data()
{
    QTest::addColumn<QString>("frame");
    QTest::addColumn<bool>("parsed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("inRange");
    QTest::addColumn<QByteArray>("canonical");

    auto row = [](const char *tag, const QString &frame, const char *message, bool inRange,
                  const QByteArray &canonical) {
        QTest::newRow(tag) << frame << true << QString::fromLatin1(message) << inRange << canonical;
    };
    auto none = [](const char *tag, const QString &frame) {
        QTest::newRow(tag) << frame << false << QString() << false << QByteArray();
    };

    row("leading zeros", QStringLiteral("[VO03R-05]"), "zone volume", true, "[VO3R-5]");
    row("volume too low", QStringLiteral("[VO3R-81]"), "zone volume", false, "[VO3R-81]");
    row("volume above 0", QStringLiteral("[VO3R1]"), "zone volume", false, "[VO3R1]");
    row("zone 17", QStringLiteral("[VO17R-5]"), "zone volume", false, "[VO17R-5]");
    row("zone 0", QStringLiteral("[VMO0]"), "zone mute", false, "[VMO0]");
    row("balance left 0", QStringLiteral("[BO1L0]"), "zone balance left", false, "[BO1L0]");
    row("balance right 0", QStringLiteral("[BO1R0]"), "zone balance right", true, "[BO1R0]");
    row("SD is brightness", QStringLiteral("[SD2]"), "front panel brightness", true, "[SD2]");
    row("SDDP is discovery", QStringLiteral("[SDDP0]"), "SDDP enable", true, "[SDDP0]");
    row("trigger time off step", QStringLiteral("[TRIGTIME12]"), "trigger time", false, "[TRIGTIME12]");
    row("trigger time on step", QStringLiteral("[TRIGTIME15]"), "trigger time", true, "[TRIGTIME15]");
    row("trigger level low", QStringLiteral("[TRIGLEVEL19]"), "trigger level", false, "[TRIGLEVEL19]");
    row("highpass top", QStringLiteral("[EO1HP20000]"), "zone highpass", true, "[EO1HP20000]");
    row("highpass over", QStringLiteral("[EO1HP20001]"), "zone highpass", false, "[EO1HP20001]");
    row("IP octet 256", QStringLiteral("[IP256.1.1.1]"), "IP address", false, "[IP256.1.1.1]");
    row("name 16", QStringLiteral("[NO1\"1234567890123456\"]"), "zone name", true,
        "[NO1\"1234567890123456\"]");
    row("name 17", QStringLiteral("[NO1\"12345678901234567\"]"), "zone name", false,
        "[NO1\"12345678901234567\"]");
    row("name 16 CJK", QString::fromUtf8("[NI1\"") + QString(16, QChar(0x65E5)) + QStringLiteral("\"]"),
        "source name", true,
        (QString::fromUtf8("[NI1\"") + QString(16, QChar(0x65E5)) + QStringLiteral("\"]")).toUtf8());
    row("name with quote", QStringLiteral("[NG1\"a\"b\"]"), "group name", false, "[NG1\"ab\"]");
    row("favorite source 17", QStringLiteral("[F1AO2I17]"), "favorite zone source", false, "[F1AO2I17]");
    row("preset 11", QStringLiteral("[EO1P11]"), "zone preset select", false, "[EO1P11]");
    row("literal", QStringLiteral("[VXR0]"), "all zones to maximum", true, "[VXR0]");
    none("reply only", QStringLiteral("[O1L50]"));
    none("unknown mnemonic", QStringLiteral("[XYZ1]"));
    none("trailing space", QStringLiteral("[VO3R-25 ]"));
    none("two frames", QStringLiteral("[VMO1][VMO2]"));
    none("no brackets", QStringLiteral("VO3R-25"));
    none("half-typed address", QStringLiteral("[IP192.168..]"));
    none("number too long", QStringLiteral("[VO1R-1234567890]"));
    none("empty", QString());
}

void tst_messages::readFrame()
{
    QFETCH(QString, frame);
    QFETCH(bool, parsed);
    QFETCH(QString, message);
    QFETCH(bool, inRange);
    QFETCH(QByteArray, canonical);

    const auto result = protocol::parseFrame(frame);
    QCOMPARE(result.has_value(), parsed);
    if (!parsed)
        return;
    QCOMPARE(QString::fromLatin1(definition(result->id).name), message);
    QCOMPARE(withinRanges(*result), inRange);
    QCOMPARE(rebuild(*result), canonical);
}

QTEST_GUILESS_MAIN(tst_messages)
#include "tst_messages.moc"
