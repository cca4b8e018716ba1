#include <QtTest>

#include "app/zor_config.h"

class tst_window : public QObject
{
    Q_OBJECT

private slots:
    void titleAndStatus()
    {
        zor_config window;
        QCOMPARE(window.windowTitle(), QStringLiteral("ZOR Setup Utility - Version 2.2"));
        QCOMPARE(window.statusLabel.text(), QStringLiteral("No Connection"));
    }
};

QTEST_MAIN(tst_window)
#include "tst_window.moc"
