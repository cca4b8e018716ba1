// Cutting a transport's byte stream into reply lines.
#include <QtTest>

#include "protocol/core/line_framer.h"

using Chunks = QList<QByteArray>;
using Lines = QList<QByteArray>;

class tst_line_framer : public QObject
{
    Q_OBJECT

private slots:
    void framing_data()
    {
        QTest::addColumn<Chunks>("reads");
        QTest::addColumn<QList<int>>("linesPerRead");
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QByteArray>("pending");

        QTest::newRow("reply split, CR LF and start of the next")
            << Chunks{"VO3R-", "35\r\nVO4R"} << QList<int>{0, 1} << Lines{"VO3R-35"} << QByteArray("VO4R");
        QTest::newRow("two replies in one read, in order")
            << Chunks{"VO1R-10\nVO2R-20\n"} << QList<int>{2} << Lines{"VO1R-10", "VO2R-20"} << QByteArray();
        QTest::newRow("no line feed yet")
            << Chunks{"VO1R-10", "\r"} << QList<int>{0, 0} << Lines{} << QByteArray("VO1R-10\r");
        QTest::newRow("line feed comes later")
            << Chunks{"VO1R-10", "\r", "\n"} << QList<int>{0, 0, 1} << Lines{"VO1R-10"} << QByteArray();
        QTest::newRow("CR LF alone is one empty line")
            << Chunks{"\r\n"} << QList<int>{1} << Lines{""} << QByteArray();
        QTest::newRow("blank lines each count")
            << Chunks{"\n \n\t\r\n"} << QList<int>{3} << Lines{"", "", ""} << QByteArray();
        QTest::newRow("inner whitespace stays")
            << Chunks{" \tSN1My  Source \r\n"} << QList<int>{1} << Lines{"SN1My  Source"} << QByteArray();
        QTest::newRow("zero byte kept in the line") << Chunks{QByteArray("AB\0CD\n", 6)} << QList<int>{1}
                                                    << Lines{QByteArray("AB\0CD", 5)} << QByteArray();
        QTest::newRow("byte by byte") << Chunks{"X", "1", "\r", "\n", "Y", "\n"}
                                      << QList<int>{0, 0, 0, 1, 0, 1} << Lines{"X1", "Y"} << QByteArray();
        QTest::newRow("empty read") << Chunks{"", "A\n", ""} << QList<int>{0, 1, 0} << Lines{"A"}
                                    << QByteArray();
    }

    void framing()
    {
        QFETCH(Chunks, reads);
        QFETCH(QList<int>, linesPerRead);
        QFETCH(Lines, lines);
        QFETCH(QByteArray, pending);

        LineFramer framer;
        Lines got;
        QList<int> counts;
        for (const QByteArray &read : reads) {
            const LineFramer::Result result = framer.feed(read);
            QVERIFY(!result.overflowed);
            counts << result.lines.size();
            got += result.lines;
        }
        QCOMPARE(counts, linesPerRead);
        QCOMPARE(got, lines);
        QCOMPARE(framer.pending(), pending);
    }

    void decoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QByteArray("VO3R-35") << QStringLiteral("VO3R-35");
        QTest::newRow("UTF-8") << QByteArray("SN1K\xc3\xbc"
                                             "che")
                               << QString::fromUtf8("SN1K\xc3\xbc"
                                                    "che");
        QTest::newRow("up to the zero byte") << QByteArray("AB\0CD", 5) << QStringLiteral("AB");
        QTest::newRow("zero byte first") << QByteArray("\0AB", 3) << QString();
        QTest::newRow("invalid UTF-8 replaced") << QByteArray("A\xff\xfe"
                                                              "B")
                                                << QString::fromUtf8("A\xef\xbf\xbd\xef\xbf\xbd"
                                                                     "B");
        QTest::newRow("cut multi-byte sequence") << QByteArray("A\xc3") << QString::fromUtf8("A\xef\xbf\xbd");
        QTest::newRow("empty") << QByteArray() << QString();
    }

    void decoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeUtf8UpToNul(bytes), text);
    }

    void bound_data()
    {
        QTest::addColumn<Chunks>("reads");
        QTest::addColumn<bool>("overflowed");
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<int>("pendingSize");
        const QByteArray k4(LineFramer::MaxPending, 'x');

        QTest::newRow("one byte under the bound kept") << Chunks{k4.left(4095)} << false << Lines{} << 4095;
        QTest::newRow("bound reached in one read") << Chunks{k4} << true << Lines{} << 0;
        QTest::newRow("bound reached over two reads")
            << Chunks{k4.left(4000), k4.left(96)} << true << Lines{} << 0;
        QTest::newRow("far beyond the bound") << Chunks{QByteArray(100000, 'y')} << true << Lines{} << 0;
        QTest::newRow("lines before the junk survive")
            << Chunks{"A\nB\n" + k4} << true << Lines{"A", "B"} << 0;
        QTest::newRow("long line ending in the same read") << Chunks{k4 + "\n"} << false << Lines{k4} << 0;
    }

    // Bytes that never meet a line feed are dropped at the bound, and the
    // next complete line is handled as usual.
    void bound()
    {
        QFETCH(Chunks, reads);
        QFETCH(bool, overflowed);
        QFETCH(Lines, lines);
        QFETCH(int, pendingSize);

        LineFramer framer;
        bool anyOverflow = false;
        Lines got;
        for (const QByteArray &read : reads) {
            const LineFramer::Result result = framer.feed(read);
            anyOverflow = anyOverflow || result.overflowed;
            got += result.lines;
        }
        QCOMPARE(anyOverflow, overflowed);
        QCOMPARE(got, lines);
        QCOMPARE(framer.pending().size(), pendingSize);

        // Kept bytes begin the next line; dropped ones leave no trace in it.
        const QByteArray kept = framer.pending();
        const LineFramer::Result next = framer.feed("VO1R-10\r\n");
        QVERIFY(!next.overflowed);
        QCOMPARE(next.lines, Lines{kept + "VO1R-10"});
    }
};

QTEST_GUILESS_MAIN(tst_line_framer)
#include "tst_line_framer.moc"
