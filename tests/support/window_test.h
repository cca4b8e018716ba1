#ifndef WINDOW_TEST_H
#define WINDOW_TEST_H

// The fixture of the window tests: every test function gets a new main
// window, shown and active, which is destroyed after it. A test class that
// needs more before each function defines its own init() and calls
// openWindow() first.

#include <QObject>
#include <QTest>

#include <memory>

#include "app/zor_config.h"
#include "forms/zor_config_form.h"

namespace editortest {

class WindowTest : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<zor_config> window;
    Ui_zor_config *ui() const { return window->ui; }

    // A new window, shown; false when it did not become the active window.
    bool openWindow()
    {
        window = std::make_unique<zor_config>();
        window->show();
        return QTest::qWaitForWindowActive(window.get());
    }

private slots:
    void init() { QVERIFY(openWindow()); }
    void cleanup() { window.reset(); }
};

} // namespace editortest

#endif // WINDOW_TEST_H
