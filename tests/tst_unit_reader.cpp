// Reading a whole unit into a model: the commands asked for, when the reading
// ends, and what it holds.
#include <QtTest>

#include "protocol/core/unit_reader.h"
#include "sim/unit_state.h"

using Lines = QList<QByteArray>;

namespace {

// A unit whose settings differ from a fresh one on every page.
UnitState editedUnit()
{
    UnitState unit;
    using namespace protocol;
    const Lines edits{sourceName(3, "Turntable"),
                      zoneName(2, "Kitchen"),
                      zoneVolume(5, -12),
                      zoneMute(5, false),
                      zoneBalance(7, -30),
                      zonePowerOnVolume(1, -20),
                      zonePower(4, false),
                      zoneFixed(6, true),
                      zoneSource(9, 4),
                      zoneDspMode(3, 1),
                      zoneEqBand(3, 4, -6),
                      presetEqBand(2, 7, 5),
                      presetName(2, "Jazz"),
                      dhcpEnable(false),
                      ipAddress("10.1.2.3"),
                      fpBrightness(2),
                      groupZone(3, 12, true),
                      groupName(3, "Patio"),
                      favoriteZoneSource(2, 5, 7),
                      triggerMode(1)};
    for (const QByteArray &edit : edits) {
        if (!unit.apply(edit).accepted)
            qFatal("edit not accepted: %s", edit.constData());
    }
    return unit;
}

Lines withLineEnds(const Lines &lines)
{
    Lines out;
    for (const QByteArray &line : lines)
        out << line + "\r\n";
    return out;
}

} // namespace

class tst_unit_reader : public QObject
{
    Q_OBJECT

private slots:
    void commandsAsked_data()
    {
        QTest::addColumn<bool>("serial");
        QTest::addColumn<Lines>("commands");
        QTest::newRow("network") << false << Lines{"[QX]"};
        QTest::newRow("serial asks for responses first") << true << Lines{"[SERIAL1]", "[QX]"};
    }

    void commandsAsked()
    {
        QFETCH(bool, serial);
        QFETCH(Lines, commands);
        UnitReader reader;
        Lines asked;
        connect(&reader, &UnitReader::commandReady, [&](const QByteArray &c) { asked << c; });
        reader.start(serial);
        QCOMPARE(asked, commands);
        QVERIFY(reader.isRunning());
    }

    void everySettingCountsOnce() { QCOMPARE(UnitState().dump().size(), UnitSettings::SettingCount); }

    // Feeding a unit's answer: the reading ends the moment the last setting
    // arrives; an answer that lacks a setting fails after the quiet time.
    void reading_data()
    {
        QTest::addColumn<Lines>("answer");
        QTest::addColumn<bool>("chunked");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<int>("linesCounted");

        const Lines full = editedUnit().dump();
        QTest::newRow("whole answer, line by line") << full << false << true << int(full.size());
        QTest::newRow("whole answer, bytes in odd chunks") << full << true << true << int(full.size());
        Lines echoFirst = full;
        echoFirst.prepend("SERIAL1");
        echoFirst.insert(40, "O3L50"); // an output level is no setting
        QTest::newRow("echo and output level among the settings")
            << echoFirst << false << true << int(echoFirst.size());
        Lines repeated = full;
        repeated.insert(10, full.at(0));
        repeated.removeLast(); // the last setting's line never comes
        QTest::newRow("a setting twice and one missing")
            << repeated << false << false << int(repeated.size());
        QTest::newRow("the first 150 lines, then silence") << full.mid(0, 150) << true << false << 150;
        Lines blanks = full;
        blanks.insert(5, "");
        blanks.insert(6, "   ");
        QTest::newRow("blank lines are not lines of the answer")
            << blanks << true << true << int(full.size());
    }

    void reading()
    {
        QFETCH(Lines, answer);
        QFETCH(bool, chunked);
        QFETCH(bool, complete);
        QFETCH(int, linesCounted);

        UnitReader reader;
        reader.quietMs = 100;
        QSignalSpy finished(&reader, &UnitReader::finished);
        QSignalSpy failed(&reader, &UnitReader::failed);
        reader.start(false);

        if (chunked) {
            QByteArray all;
            for (const QByteArray &line : withLineEnds(answer))
                all += line;
            for (int at = 0; at < all.size(); at += 37)
                reader.feedBytes(all.mid(at, 37));
        } else {
            for (const QByteArray &line : answer)
                reader.feedLine(line);
        }

        // What the model holds is what the lines say.
        UnitSettings expected;
        for (const QByteArray &line : answer)
            expected.apply(line, UnitSettings::Origin::Reported);
        if (complete) {
            QCOMPARE(finished.count(), 1);
            QVERIFY(reader.settings() == editedUnit().settings());
        } else {
            QVERIFY(reader.isRunning());
            QVERIFY(failed.wait(5000));
            QCOMPARE(failed.at(0).at(0).value<UnitReader::Failure>(), UnitReader::Incomplete);
            QCOMPARE(reader.incompleteText(),
                     QStringLiteral("The unit answered %1 of 847 settings.").arg(expected.heldCount()));
            QCOMPARE(finished.count(), 0);
        }
        QVERIFY(!reader.isRunning());
        QCOMPARE(failed.count(), complete ? 0 : 1);
        QCOMPARE(reader.linesReceived(), linesCounted);
        QVERIFY(reader.settings() == expected);

        // Lines after the end change nothing.
        reader.feedLine("VO1R0");
        QVERIFY(reader.settings() == expected);
    }

    void silentUnitFails()
    {
        UnitReader reader;
        reader.firstReplyMs = 50;
        QSignalSpy finished(&reader, &UnitReader::finished);
        QSignalSpy failed(&reader, &UnitReader::failed);
        reader.start(true);
        QVERIFY(failed.wait(5000));
        QCOMPARE(failed.at(0).at(0).value<UnitReader::Failure>(), UnitReader::NoReply);
        QCOMPARE(finished.count(), 0);
        QVERIFY(!reader.isRunning());
    }

    // A unit that keeps talking without ever completing its answer is given
    // up at the overall limit, however short its pauses.
    void endlessAnswerIsGivenUp()
    {
        UnitReader reader;
        reader.quietMs = 1000;
        reader.overallMs = 300;
        QSignalSpy failed(&reader, &UnitReader::failed);
        QTimer talk;
        connect(&talk, &QTimer::timeout, &reader, [&reader] { reader.feedLine("VO2R-30"); });
        reader.start(false);
        talk.start(20);
        QVERIFY(failed.wait(5000));
        QCOMPARE(failed.at(0).at(0).value<UnitReader::Failure>(), UnitReader::Incomplete);
        QCOMPARE(reader.settingsReceived(), 1);
    }

    // A reading over a serial link has turned the unit's serial responses
    // on; after checking a write that turned them off, they are put back.
    void serialResponsesGivenBack_data()
    {
        QTest::addColumn<bool>("serial");
        QTest::addColumn<Lines>("sent");
        QTest::addColumn<Lines>("given");
        QTest::addColumn<bool>("taken"); // the reading then holds what was sent
        QTest::newRow("serial, sent off") << true << Lines{"[SERIAL0]"} << Lines{"[SERIAL0]"} << true;
        QTest::newRow("serial, sent on") << true << Lines{"[SERIAL1]"} << Lines{} << true;
        QTest::newRow("serial, not sent") << true << Lines{"[VO5R-12]"} << Lines{} << true;
        QTest::newRow("network, sent off") << false << Lines{"[SERIAL0]"} << Lines{} << false;
    }

    void serialResponsesGivenBack()
    {
        QFETCH(bool, serial);
        QFETCH(Lines, sent);
        QFETCH(Lines, given);
        QFETCH(bool, taken);
        UnitReader reader;
        reader.start(serial);
        for (const QByteArray &line : editedUnit().dump())
            reader.feedLine(line == "SERIAL0" ? "SERIAL1" : line);
        QVERIFY(!reader.isRunning());
        const UnitSettings wanted = UnitSettings::fromCommands(sent);
        QCOMPARE(reader.takeBackSerialResponses(wanted), given);
        QCOMPARE(reader.settings().differences(wanted).isEmpty(), taken);
    }

    void cancelledReadingStaysSilent()
    {
        UnitReader reader;
        reader.firstReplyMs = 20;
        reader.quietMs = 20;
        QSignalSpy finished(&reader, &UnitReader::finished);
        QSignalSpy failed(&reader, &UnitReader::failed);
        reader.start(false);
        reader.feedLine("VO2R-30");
        reader.cancel();
        QVERIFY(!reader.isRunning());
        // A second reader with the same times proves the first one's timers
        // would have fired by now.
        UnitReader witness;
        witness.firstReplyMs = 40;
        QSignalSpy witnessFailed(&witness, &UnitReader::failed);
        witness.start(false);
        QVERIFY(witnessFailed.wait(5000));
        QCOMPARE(finished.count(), 0);
        QCOMPARE(failed.count(), 0);
    }

    void restartBeginsWithAFreshModel()
    {
        UnitReader reader;
        reader.quietMs = 20;
        reader.start(false);
        reader.feedLine("VO2R-30");
        reader.start(false);
        QCOMPARE(reader.linesReceived(), 0);
        QCOMPARE(reader.settings().zones[1].volume, UnitSettings().zones[1].volume);
    }
};

QTEST_GUILESS_MAIN(tst_unit_reader)
#include "tst_unit_reader.moc"
