// The communication console: its two panes and how the window feeds them.
#include <QtTest>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include "app/zor_config.h"
#include "link/console.h"
#include "support/message_box_closer.h"

namespace {

// The console adds lines when the event loop next runs.
QPlainTextEdit *pane(QWidget &window, const char *name)
{
    QCoreApplication::processEvents();
    return window.findChild<QPlainTextEdit *>(QLatin1String(name));
}

} // namespace

class tst_console : public QObject
{
    Q_OBJECT

private slots:
    void appends_data()
    {
        QTest::addColumn<bool>("received");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("received lines") << true << QStringList{"VO1R-10", "", "MU1R1"};
        QTest::newRow("sent commands") << false << QStringList{"[VO1R-10]", "[QX]"};
        QTest::newRow("text with inner blanks") << true << QStringList{"SN1My  Source "};
    }

    // Each text is one paragraph of its own pane, nothing added, nothing
    // put into the other pane.
    void appends()
    {
        QFETCH(bool, received);
        QFETCH(QStringList, texts);
        console window;
        for (const QString &text : texts) {
            if (received)
                window.inputReceiveData(text);
            else
                window.inputSentData(text);
        }
        QPlainTextEdit *target = pane(window, received ? "plainTextEditReceived" : "plainTextEditSent");
        QPlainTextEdit *other = pane(window, received ? "plainTextEditSent" : "plainTextEditReceived");
        QCOMPARE(target->toPlainText(), texts.join('\n'));
        QCOMPARE(target->blockCount(), texts.size());
        QVERIFY(other->toPlainText().isEmpty());
    }

    void clearOnePane_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("cleared");
        QTest::addColumn<QString>("kept");
        QTest::newRow("received") << "pushButtonClearReceived"
                                  << "plainTextEditReceived"
                                  << "plainTextEditSent";
        QTest::newRow("sent") << "pushButtonClearSent"
                              << "plainTextEditSent"
                              << "plainTextEditReceived";
    }

    void clearOnePane()
    {
        QFETCH(QString, button);
        QFETCH(QString, cleared);
        QFETCH(QString, kept);
        console window;
        window.inputReceiveData(QStringLiteral("VO1R-10"));
        window.inputSentData(QStringLiteral("[QX]"));
        const QString keptText = pane(window, qPrintable(kept))->toPlainText();
        window.findChild<QPushButton *>(button)->click();
        QVERIFY(pane(window, qPrintable(cleared))->toPlainText().isEmpty());
        QCOMPARE(pane(window, qPrintable(kept))->toPlainText(), keptText);
    }

    // Neither pane takes typing; both let the user select and copy.
    void panesAreNotEditable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("received") << "plainTextEditReceived";
        QTest::newRow("sent") << "plainTextEditSent";
    }

    void panesAreNotEditable()
    {
        QFETCH(QString, name);
        console window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QPlainTextEdit *edit = pane(window, qPrintable(name));
        window.inputReceiveData(QStringLiteral("VO1R-10"));
        window.inputSentData(QStringLiteral("VO1R-10"));
        QCoreApplication::processEvents();
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("typed"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->toPlainText(), QStringLiteral("VO1R-10"));
        QVERIFY(edit->textInteractionFlags() & Qt::TextSelectableByMouse);
        QVERIFY(edit->textInteractionFlags() & Qt::TextSelectableByKeyboard);
        edit->selectAll();
        QCOMPARE(edit->textCursor().selectedText(), QStringLiteral("VO1R-10"));
    }

    // Each pane keeps its latest lines; the oldest go first.
    void paneKeepsLatestLines()
    {
        console window;
        QPlainTextEdit *edit = pane(window, "plainTextEditSent");
        const int cap = edit->maximumBlockCount();
        QVERIFY(cap >= 10000);
        for (int i = 0; i < cap + 3; ++i)
            window.inputSentData(QString::number(i));
        QCoreApplication::processEvents();
        QCOMPARE(edit->blockCount(), cap);
        QCOMPARE(edit->document()->firstBlock().text(), QStringLiteral("3"));
        QCOMPARE(edit->document()->lastBlock().text(), QString::number(cap + 2));
    }

    // The main window feeds the console from the start, shown or not.
    void collectsWhileHidden()
    {
        MessageBoxCloser boxes;
        zor_config window;
        QVERIFY(!window.consoleWindow->isVisible());
        window.sendCommand("[VO3R-35]");
        window.sendCommand(QByteArray("[QX]\0junk", 9));
        window.consoleWindow->show();
        QCOMPARE(pane(*window.consoleWindow, "plainTextEditSent")->toPlainText(),
                 QStringLiteral("[VO3R-35]\n[QX]"));
        QVERIFY(pane(*window.consoleWindow, "plainTextEditReceived")->toPlainText().isEmpty());
    }
};

QTEST_MAIN(tst_console)
#include "tst_console.moc"
