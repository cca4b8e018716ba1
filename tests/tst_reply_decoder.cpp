#include <QtTest>

#include "protocol/core/reply_decoder.h"

#include <QRandomGenerator>

using namespace protocol;

namespace {

// The reference: every reply expression in turn, compiled from the table as
// written, no shortcuts.
DecodedReply naiveDecode(const QString &line)
{
    static const QVector<QRegularExpression> expressions = [] {
        QVector<QRegularExpression> list;
        for (int row = 1; row <= ReplyRowCount; ++row)
            list.append(QRegularExpression(QString::fromLatin1(definition(messageOfRow(row)).reply)));
        return list;
    }();
    DecodedReply reply;
    for (int row = 1; row <= ReplyRowCount; ++row) {
        const QRegularExpressionMatch match = expressions[row - 1].match(line);
        if (!match.hasMatch())
            continue;
        reply.row = row;
        reply.matchStart = match.capturedStart();
        reply.matchLength = match.capturedLength();
        reply.captureCount = expressions[row - 1].captureCount();
        for (int c = 0; c < reply.captureCount; ++c)
            reply.text[c] = match.captured(c + 1);
        break;
    }
    return reply;
}

QString describe(const DecodedReply &reply)
{
    QStringList parts{QString::number(reply.row), QString::number(reply.matchStart),
                      QString::number(reply.matchLength)};
    for (int c = 0; c < reply.captureCount; ++c)
        parts << reply.text[c];
    return parts.join(QLatin1Char('|'));
}

// A reply line of a random message with the field values a sloppy or hostile
// sender might use: leading zeros, signs, too many digits, quotes in names.
QString randomFragment(QRandomGenerator &random)
{
    static const QStringList numbers{"0",   "1",   "03",  "12",   "16",    "17",     "-5", "-05", "-40",
                                     "100", "150", "999", "1000", "20000", "123456", "-",  ""};
    static const QStringList names{
        "Kitchen",       "",   "a\"b",   "1234567890123456", "12345678901234567", "VO1R-5", "O3L5",
        "\u00e9t\u00e9", "\"", "x\"y\"z"};
    auto pick = [&](const QStringList &list) { return list.at(random.bounded(list.size())); };

    const Message id = static_cast<Message>(random.bounded(ReplyRowCount));
    const MessageDefinition &row = definition(id);
    QString form = QString::fromLatin1(row.command).mid(1);
    form.chop(1);
    for (int f = 0; f < row.fieldCount; ++f) {
        QString field;
        if (row.fields[f].kind == FieldKind::Name)
            field = pick(names);
        else if (row.fields[f].kind == FieldKind::Address)
            field = pick(numbers) + '.' + pick(numbers) + '.' + pick(numbers) + '.' + pick(numbers);
        else
            field = pick(numbers);
        form.replace(form.indexOf(QStringLiteral("{}")), 2, field);
    }
    return form;
}

QString randomSoup(QRandomGenerator &random)
{
    static const QString alphabet = QStringLiteral("VOBLRPNEIFGAMCHTSDQXU0123456789-\"[] .\u00e9");
    QString line;
    const int length = random.bounded(40);
    for (int i = 0; i < length; ++i)
        line += alphabet.at(random.bounded(alphabet.size()));
    return line;
}

} // namespace

class tst_reply_decoder : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void decodeBytes_data();
    void decodeBytes();
    void sameAsPlainSearch_data();
    void sameAsPlainSearch();
};

void tst_reply_decoder::decode_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message"); // empty: not recognised
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<int>>("values");

    auto row = [](const char *tag, const QString &line, const char *message, const QStringList &texts,
                  const QList<int> &values) {
        QTest::newRow(tag) << line << QString::fromLatin1(message) << texts << values;
    };
    auto none = [](const char *tag, const QString &line) {
        QTest::newRow(tag) << line << QString() << QStringList() << QList<int>();
    };

    row("volume inside other text", "xxVO12R-40yy", "zone volume", {"12", "-40"}, {12, -40});
    row("volume leading zero in zone", "VO03R-20", "zone volume", {"03", "-20"}, {3, -20});
    row("volume leading zero in value", "VO12R-05", "zone volume", {"12", "-05"}, {12, -5});
    row("volume bracketed", "[VO3R-25]", "zone volume", {"3", "-25"}, {3, -25});
    row("balance left is not an output level", "BO4L12", "zone balance left", {"4", "12"}, {4, 12});
    row("balance right zero", "BO4R0", "zone balance right", {"4", "0"}, {4, 0});
    row("bracketed balance", "[BO3L5]", "zone balance left", {"3", "5"}, {3, 5});
    row("power-on volume is not an output level", "VPONO2L0", "zone power-on volume", {"2", "0"}, {2, 0});
    row("bracketed power-on volume", "[VPONO3L0]", "zone power-on volume", {"3", "0"}, {3, 0});
    row("power on", "PONO5", "zone power on", {"5"}, {5});
    row("power off", "POFFO5", "zone power off", {"5"}, {5});
    row("output level", "O7L55", "output level left", {"7", "55"}, {7, 55});
    row("output level beyond bar", "O7L150", "output level left", {"7", "150"}, {7, 150});
    row("output level right", "O16R100", "output level right", {"16", "100"}, {16, 100});
    row("two volumes: first in line", "VO1R-20 VO2R-30", "zone volume", {"1", "-20"}, {1, -20});
    row("table order beats line order", "O1L5 VO2R-30", "zone volume", {"2", "-30"}, {2, -30});
    row("unmute before mute", "VMO1 VUMO2", "zone unmute", {"2"}, {2});
    row("mute", "VMO9", "zone mute", {"9"}, {9});
    row("fixed", "VO5F1", "zone fixed", {"5", "1"}, {5, 1});
    row("source", "CO10I16", "zone source", {"10", "16"}, {10, 16});
    row("zone name", "NO3\"Kitchen\"", "zone name", {"3", "Kitchen"}, {3, 0});
    row("source name 16 chars", "NI1\"1234567890123456\"", "source name", {"1", "1234567890123456"}, {1, 0});
    row("name of 16 CJK characters",
        QStringLiteral("NI2\"") + QString(16, QChar(0x672C)) + QStringLiteral("\""), "source name",
        {"2", QString(16, QChar(0x672C))}, {2, 0});
    row("name with quote, greedy", "NO1\"a\"b\"", "zone name", {"1", "a\"b"}, {1, 0});
    row("17 chars then 1 more quote: longest name that ends at a quote", "NG1\"1234567890123456\"7\"",
        "group name", {"1", "1234567890123456"}, {1, 0});
    row("preset name", "NEP10\"Rock\"", "preset name", {"10", "Rock"}, {10, 0});
    row("favorite name", "NF1\"Party\"", "favorite name", {"1", "Party"}, {1, 0});
    row("DSP mode with leading zero", "EO03M2", "zone DSP mode", {"03", "2"}, {3, 2});
    row("tone", "TO7B-12T3", "zone tone", {"7", "-12", "3"}, {7, -12, 3});
    row("highpass", "EO1HP20000", "zone highpass", {"1", "20000"}, {1, 20000});
    row("lowpass", "EO2LP40", "zone lowpass", {"2", "40"}, {2, 40});
    row("zone EQ band", "EO2B3L-4", "zone EQ band", {"2", "3", "-4"}, {2, 3, -4});
    row("preset select", "EO2P10", "zone preset select", {"2", "10"}, {2, 10});
    row("preset EQ band", "EP3B10L7", "preset EQ band", {"3", "10", "7"}, {3, 10, 7});
    row("DHCP", "DHCP1", "DHCP enable", {"1"}, {1});
    row("SDDP is not brightness", "SDDP0", "SDDP enable", {"0"}, {0});
    row("brightness", "SD0", "front panel brightness", {"0"}, {0});
    row("sleep", "SLEEP5", "front panel sleep", {"5"}, {5});
    row("panel lock", "FPL1", "front panel lock", {"1"}, {1});
    row("IR lock", "IRL0", "front panel IR lock", {"0"}, {0});
    row("trigger mode", "TRIGMODE2", "trigger mode", {"2"}, {2});
    row("trigger level", "TRIGLEVEL120", "trigger level", {"120"}, {120});
    row("trigger time", "TRIGTIME10", "trigger time", {"10"}, {10});
    row("serial", "SERIAL1", "serial responses", {"1"}, {1});
    row("IP", "IP192.168.0.13", "IP address", {"192.168.0.13"}, {0});
    row("gateway before IP", "IP1.2.3.4 GW5.6.7.8", "gateway", {"5.6.7.8"}, {0});
    row("mask", "NM255.255.255.0", "network mask", {"255.255.255.0"}, {0});
    row("group add by number", "G03AO05", "group add zone", {"03", "05"}, {3, 5});
    row("group remove", "G1RO2", "group remove zone", {"1", "2"}, {1, 2});
    row("favorite source", "F1AO17I2", "favorite zone source", {"1", "17", "2"}, {1, 17, 2});
    row("favorite bypass", "F1RO4", "favorite zone bypass", {"1", "4"}, {1, 4});
    row("carriage return kept in a file line", "SD2\r\n", "front panel brightness", {"2"}, {2});
    none("empty name", "NO3\"\"");
    none("17 characters", "NO3\"12345678901234567\"");
    none("query all", "[QX]");
    none("all zones to maximum", "[VXR0]");
    none("network commit", "[EC]");
    none("query output levels", "[QOL]");
    none("empty", "");
    none("fixed 2", "VO5F2");
    none("trigger level one digit", "TRIGLEVEL5");
    none("lower case", "vo1r-20");
    none("full-width digits", QStringLiteral("VO\uff11R-5"));
}

void tst_reply_decoder::decode()
{
    QFETCH(QString, line);
    QFETCH(QString, message);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, values);

    const DecodedReply reply = decodeReply(line);
    if (message.isEmpty()) {
        QCOMPARE(reply.row, 0);
        QVERIFY(!reply.recognised());
        return;
    }
    QVERIFY(reply.recognised());
    QCOMPARE(QString::fromLatin1(definition(reply.message).name), message);
    QCOMPARE(reply.row, replyRow(reply.message));
    QCOMPARE(reply.captureCount, texts.size());
    for (int c = 0; c < texts.size(); ++c) {
        QCOMPARE(reply.text[c], texts[c]);
        QCOMPARE(line.mid(reply.captureStart[c], texts[c].size()), texts[c]);
        if (definition(reply.message).fields[c].kind == FieldKind::Number)
            QCOMPARE(reply.value[c], values[c]);
    }
    QVERIFY(reply.matchStart >= 0 && reply.matchStart + reply.matchLength <= line.size());
}

void tst_reply_decoder::decodeBytes_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("capture");
    QTest::addColumn<QString>("text");

    QTest::newRow("UTF-8 name") << QByteArray("NO1\"K\xc3\xbc"
                                              "che\"")
                                << "zone name" << 1
                                << QString::fromUtf8("K\xc3\xbc"
                                                     "che");
    QTest::newRow("up to NUL only") << QByteArray("SD1\0VO1R-5", 10) << "front panel brightness" << 0 << "1";
    QTest::newRow("NUL hides everything") << QByteArray("\0VO1R-5", 7) << QString() << 0 << QString();
    QTest::newRow("invalid UTF-8 before reply")
        << QByteArray("\xff\xfe\xc3VO1R-5") << "zone volume" << 1 << "-5";
    QTest::newRow("invalid UTF-8 in name") << QByteArray("NI1\"a\xff"
                                                         "b\"")
                                           << "source name" << 1
                                           << QString::fromUtf8("a\xef\xbf\xbd"
                                                                "b");
}

void tst_reply_decoder::decodeBytes()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, message);
    QFETCH(int, capture);
    QFETCH(QString, text);
    const DecodedReply reply = decodeReply(line);
    if (message.isEmpty()) {
        QVERIFY(!reply.recognised());
        return;
    }
    QCOMPARE(QString::fromLatin1(definition(reply.message).name), message);
    QCOMPARE(reply.text[capture], text);
}

void tst_reply_decoder::sameAsPlainSearch_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<quint32>("seed");
    QTest::newRow("one fragment") << 0 << 11u;
    QTest::newRow("two fragments") << 1 << 12u;
    QTest::newRow("fragments in soup") << 2 << 13u;
    QTest::newRow("soup") << 3 << 14u;
    QTest::newRow("cut fragments") << 4 << 15u;
}

void tst_reply_decoder::sameAsPlainSearch()
{
    // The prefilter must never change which row wins, where it matched or
    // what it captured.
    QFETCH(int, kind);
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);

    const QStringList fixed{"[BO3L5]",      "[VPONO3L0]",    "O3L5[BO3L5]",     "BO3O3L5",
                            "VPONO3L0O1R1", "EO1B2L3EO1LP1", "NO1\"NO2\"x\"\"", "GW1.2.3.4IP5.6.7.8",
                            "F1AO2I3F1RO2", "SDDP1SD1"};
    for (const QString &line : fixed)
        QCOMPARE(describe(decodeReply(line)), describe(naiveDecode(line)));

    int recognised = 0;
    const int count = 4000;
    for (int i = 0; i < count; ++i) {
        QString line;
        switch (kind) {
        case 0:
            line = randomFragment(random);
            break;
        case 1:
            line = randomFragment(random) + randomFragment(random);
            break;
        case 2:
            line = randomSoup(random) + randomFragment(random) + randomSoup(random) + randomFragment(random);
            break;
        case 3:
            line = randomSoup(random);
            break;
        default: {
            const QString whole = randomFragment(random) + randomFragment(random);
            line = whole.mid(random.bounded(whole.size() + 1), random.bounded(whole.size() + 1));
            break;
        }
        }
        const DecodedReply fast = decodeReply(line);
        const DecodedReply plain = naiveDecode(line);
        if (describe(fast) != describe(plain))
            QFAIL(qPrintable(
                QStringLiteral("line \"%1\": %2 vs %3").arg(line, describe(fast), describe(plain))));
        if (fast.recognised())
            ++recognised;
    }
    // The generators must exercise both outcomes to mean anything.
    QVERIFY(recognised > 0);
    if (kind != 0 && kind != 1)
        QVERIFY(recognised < count);
}

QTEST_GUILESS_MAIN(tst_reply_decoder)
#include "tst_reply_decoder.moc"
