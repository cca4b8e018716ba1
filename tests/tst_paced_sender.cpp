// Sending a command list one at a time with a pause after each.
#include <QtTest>

#include "protocol/core/paced_sender.h"

using Commands = QList<QByteArray>;

class tst_paced_sender : public QObject
{
    Q_OBJECT

private slots:
    // stopAfter: how many commands arrive before the action is taken from the
    // commandReady slot (-1: never).
    void outcome_data()
    {
        QTest::addColumn<Commands>("commands");
        QTest::addColumn<int>("pacingMs");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("stopAfter");
        QTest::addColumn<Commands>("received");
        QTest::addColumn<int>("outcome");

        const Commands three{"VO1R-10", "VO2R-20", "SN1Tuner"};
        QTest::newRow("all sent, in order")
            << three << 20 << "" << -1 << three << int(PacedSender::Completed);
        QTest::newRow("into a file, no pause")
            << three << 0 << "" << -1 << three << int(PacedSender::Completed);
        QTest::newRow("empty list completes")
            << Commands{} << 20 << "" << -1 << Commands{} << int(PacedSender::Completed);
        QTest::newRow("cancel keeps the current command")
            << three << 20 << "cancel" << 2 << Commands{"VO1R-10", "VO2R-20"} << int(PacedSender::Cancelled);
        QTest::newRow("cancel on the first")
            << three << 20 << "cancel" << 1 << Commands{"VO1R-10"} << int(PacedSender::Cancelled);
        QTest::newRow("link lost stops now")
            << three << 20 << "linkLost" << 1 << Commands{"VO1R-10"} << int(PacedSender::LinkLost);
        QTest::newRow("link lost on the last")
            << three << 0 << "linkLost" << 3 << three << int(PacedSender::LinkLost);
    }

    void outcome()
    {
        QFETCH(Commands, commands);
        QFETCH(int, pacingMs);
        QFETCH(QString, action);
        QFETCH(int, stopAfter);
        QFETCH(Commands, received);
        QFETCH(int, outcome);

        PacedSender sender;
        Commands got;
        QList<int> outcomes;
        QList<QPair<int, int>> progress;
        connect(&sender, &PacedSender::commandReady, this, [&](const QByteArray &command) {
            got << command;
            if (got.size() == stopAfter) {
                if (action == "cancel")
                    sender.cancel();
                else
                    sender.linkLost();
            }
        });
        connect(&sender, &PacedSender::progress, this,
                [&](int sent, int total) { progress << qMakePair(sent, total); });
        connect(&sender, &PacedSender::finished, this, [&](PacedSender::Outcome o) { outcomes << int(o); });

        sender.start(commands, pacingMs);
        QTRY_COMPARE(outcomes.size(), 1);
        QCOMPARE(outcomes.first(), outcome);
        QCOMPARE(got, received);
        QVERIFY(!sender.isRunning());
        QCOMPARE(sender.sent(), received.size());
        QCOMPARE(sender.total(), commands.size());
        if (outcome == PacedSender::Completed) {
            QCOMPARE(progress.size(), commands.size());
            for (int i = 0; i < progress.size(); ++i)
                QCOMPARE(progress.at(i), qMakePair(i + 1, int(commands.size())));
        }
    }

    void firstAtOnceThenPaced()
    {
        PacedSender sender;
        QElapsedTimer clock;
        QList<qint64> at;
        connect(&sender, &PacedSender::commandReady, this,
                [&](const QByteArray &) { at << clock.elapsed(); });
        bool done = false;
        connect(&sender, &PacedSender::finished, this, [&] { done = true; });
        clock.start();
        sender.start({"A", "B", "C"}, 60);
        QCOMPARE(at.size(), 1); // the first goes out before start() returns
        QVERIFY(sender.isRunning());
        QTRY_VERIFY(done);
        QCOMPARE(at.size(), 3);
        for (int i = 1; i < at.size(); ++i)
            QVERIFY2(at.at(i) - at.at(i - 1) >= 55, qPrintable(QString::number(at.at(i) - at.at(i - 1))));
    }

    void restartAbandonsTheRunningList()
    {
        PacedSender sender;
        Commands got;
        QList<int> outcomes;
        connect(&sender, &PacedSender::commandReady, this, [&](const QByteArray &c) { got << c; });
        connect(&sender, &PacedSender::finished, this, [&](PacedSender::Outcome o) { outcomes << int(o); });
        sender.start({"A1", "A2", "A3"}, 30);
        sender.start({"B1", "B2"}, 30);
        QTRY_COMPARE(outcomes.size(), 1);
        QCOMPARE(got, (Commands{"A1", "B1", "B2"}));
        QCOMPARE(outcomes.first(), int(PacedSender::Completed));
    }
};

QTEST_GUILESS_MAIN(tst_paced_sender)
#include "tst_paced_sender.moc"
