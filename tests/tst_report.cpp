// The commissioning report of the demo installation, written by the window
// and by zorctl: every name, volume and mode is in it, the SHA-256 it prints
// is that of the window's Save of the same settings, each zone whose DSP is
// in use has its curve, and every page is numbered.
#include <QtTest>

#include <QCryptographicHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "app/zor_config.h"
#include "protocol/core/unit_settings.h"
#include "support/message_box_closer.h"
#include "support/simulated_unit.h"

namespace {

const QString Demo = QStringLiteral(ZOR_SOURCE_DIR "/demo/restaurant.ZOR");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The report's text with a table's row on one line, its cells two spaces
// apart or more: pdftotext's layout of a PDF, the markup of HTML undone.
QString reportText(const QString &path)
{
    if (path.endsWith(QLatin1String(".pdf"))) {
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {"-layout", path, "-"});
        return pdftotext.waitForFinished(30000) ? QString::fromUtf8(pdftotext.readAllStandardOutput())
                                                : QString();
    }
    QString text = QString::fromUtf8(readFile(path));
    text.replace(QRegularExpression(QStringLiteral("</t[dh]>")), QStringLiteral("  "))
        .replace(QRegularExpression(QStringLiteral("<(br|/p|/tr|/h\\d)>")), QStringLiteral("\n"))
        .remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return text.replace(QLatin1String("&amp;"), QLatin1String("&"));
}

} // namespace

class tst_report : public QObject
{
    Q_OBJECT

private slots:
    void demoReport_data()
    {
        // Who writes it (the window, or zorctl given the demo file or two demo
        // units), where, and the file to read (none when nothing is written).
        QTest::addColumn<QStringList>("how");
        QTest::newRow("window, PDF") << QStringList{"window", "r.pdf", "r.pdf"};
        QTest::newRow("window, HTML by its name") << QStringList{"window", "r.html", "r.html"};
        QTest::newRow("window, a file that cannot be written")
            << QStringList{"window", "/proc/zor-none/r.pdf", ""};
        QTest::newRow("zorctl, the demo file as HTML") << QStringList{"FILE", "r.html", "r.html"};
        QTest::newRow("zorctl, two demo units, one report each")
            << QStringList{"UNITS", "reports/", "reports/127.0.0.1_PORT.pdf"};
    }

    void demoReport()
    {
        QFETCH(QStringList, how);
        const QString maker = how.at(0), output = how.at(1);
        QString report = how.at(2);
        if (report.endsWith(QLatin1String(".pdf")) && QStandardPaths::findExecutable("pdftotext").isEmpty())
            QFAIL("reading a PDF needs pdftotext (poppler-utils; make test installs it)");
        QTemporaryDir dir;
        UnitSettings demo;
        for (const QByteArray &line : readFile(Demo).split('\n'))
            demo.apply(line);
        zor_config window;
        QVERIFY(window.loadConfiguration(Demo));
        QVERIFY(window.saveConfiguration(dir.filePath(QStringLiteral("saved.ZOR"))));
        const QString saved =
            QString::fromLatin1(QCryptographicHash::hash(readFile(dir.filePath(QStringLiteral("saved.ZOR"))),
                                                         QCryptographicHash::Sha256)
                                    .toHex());

        const QString target = output.startsWith(QLatin1Char('/')) ? output : dir.filePath(output);
        SimulatedUnit units;
        if (maker == QLatin1String("window")) {
            MessageBoxCloser closer;
            QCOMPARE(window.exportReportTo(target), !report.isEmpty());
            QCOMPARE(closer.seen.size(), report.isEmpty() ? 1 : 0);
            if (report.isEmpty()) {
                QVERIFY2(closer.seen.first().startsWith("Error|Failed to write file " + target),
                         qPrintable(closer.seen.first()));
                QVERIFY(!QFile::exists(target));
                return;
            }
        } else {
            QStringList sources{Demo};
            if (maker == QLatin1String("UNITS")) {
                QVERIFY(units.start({"--units", "2", Demo}));
                sources = QStringList{units.address(), QStringLiteral("127.0.0.1:%1").arg(units.tcpPort + 1)};
            }
            QProcess zorctl;
            zorctl.start(QStringLiteral(ZORCTL_PATH),
                         QStringList{"report"} + sources + QStringList{"-o", target});
            QVERIFY(zorctl.waitForFinished(60000));
            QVERIFY2(zorctl.exitCode() == 0, zorctl.readAllStandardError().constData());
            if (maker == QLatin1String("UNITS"))
                QVERIFY(QFile::exists(
                    dir.filePath(QString(report).replace("PORT", QString::number(units.tcpPort + 1)))));
            report.replace(QLatin1String("PORT"), QString::number(units.tcpPort));
        }
        const QString text = reportText(dir.filePath(report));
        QVERIFY2(text.contains(QLatin1String("ZOR Setup Report")), qPrintable(text.left(200)));
        // The window's report names the file whose settings it holds.
        QVERIFY(maker != QLatin1String("window") || text.contains(QLatin1String("as in saved.ZOR")));

        const QRegularExpressionMatch printed =
            QRegularExpression(QStringLiteral("SHA-256\\s+([0-9a-f]{64})")).match(text);
        QVERIFY(printed.hasMatch());
        QCOMPARE(printed.captured(1), saved);

        QVector<int> drawn, inUse;
        const auto row = [&text](const QStringList &cells) {
            QStringList escaped;
            for (const QString &cell : cells)
                escaped << QRegularExpression::escape(cell);
            return QRegularExpression(QStringLiteral("^\\s*") + escaped.join(QStringLiteral("\\s{2,}")) +
                                          QStringLiteral("(\\s|$)"),
                                      QRegularExpression::MultilineOption)
                .match(text)
                .hasMatch();
        };
        for (int i = 1; i <= 16; ++i) {
            const UnitSettings::Zone &z = demo.zones[i - 1];
            QVERIFY2(text.contains(demo.sourceNames[i - 1]), qPrintable(demo.sourceNames[i - 1]));
            // The Zones table's row, and the DSP table's of a zone whose DSP is in use.
            QVERIFY2(row({QString::number(i), z.name, QStringLiteral("%1 dB").arg(z.volume)}),
                     qPrintable(z.name));
            if (z.dspMode != UnitSettings::Disabled) {
                QVERIFY2(row({QString::number(i), z.name, settingtext::modeText(z.dspMode)}),
                         qPrintable(z.name));
                inUse << i;
            }
        }
        QRegularExpressionMatchIterator captions =
            QRegularExpression(QStringLiteral("Zone (\\d+) frequency response")).globalMatch(text);
        while (captions.hasNext())
            drawn << captions.next().captured(1).toInt();
        std::sort(drawn.begin(), drawn.end());
        QCOMPARE(drawn, inUse);

        if (report.endsWith(QLatin1String(".pdf"))) {
            const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
            QVERIFY(pages.size() >= 3);
            for (int p = 0; p < pages.size(); ++p)
                QVERIFY2(pages.at(p).contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size())),
                         qPrintable(pages.at(p)));
        } else {
            // One file: every picture is in it, nothing is fetched.
            const QByteArray html = readFile(dir.filePath(report));
            QCOMPARE(html.count("src=\"data:image/png;base64,"), inUse.size());
            QCOMPARE(html.count("src="), inUse.size());
        }
    }
};

QTEST_MAIN(tst_report)
#include "tst_report.moc"
