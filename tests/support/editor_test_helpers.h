#ifndef EDITOR_TEST_HELPERS_H
#define EDITOR_TEST_HELPERS_H

// Helpers for driving the main window's editors as a user would and for
// reading back the commands it hands to the link.

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>

#include "app/zor_config.h"
#include "forms/zor_config_form.h"

namespace editortest {

// Every command the window has sent since the spy was made (or cleared).
inline QStringList sentCommands(const QSignalSpy &spy)
{
    QStringList commands;
    for (const QList<QVariant> &arguments : spy)
        commands << arguments.at(0).toString();
    return commands;
}

template <typename Widget> Widget *named(zor_config &window, const QString &name)
{
    return window.findChild<Widget *>(name);
}

// Types text into a field as keystrokes (any characters, including those
// without a key of their own), replacing what was selected.
inline void typeText(QWidget *field, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Selects the whole text of a field with the keyboard, types over it and
// presses Return.
inline void retypeAndReturn(QLineEdit *field, const QString &text)
{
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    typeText(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

// Brings the page holding the widget to the front, as a user would before
// touching it.
inline void showPageOf(zor_config &window, QWidget *widget)
{
    QTabWidget *tabs = window.ui->tabWidget;
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->widget(i)->isAncestorOf(widget))
            tabs->setCurrentIndex(i);
    }
}

// Clicks a button with the mouse; a check box is clicked on its indicator
// (a box without text has no other clickable part).
inline void click(zor_config &window, QAbstractButton *button)
{
    showPageOf(window, button);
    QPoint where = button->rect().center();
    if (qobject_cast<QCheckBox *>(button)) {
        QStyleOptionButton option;
        option.initFrom(button);
        where = button->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, button).center();
    }
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, where);
}

// Presses the handle, moves it to each position in turn and releases it.
inline void drag(QAbstractSlider *slider, const QList<int> &positions)
{
    slider->setSliderDown(true);
    for (const int position : positions)
        slider->setSliderPosition(position);
    slider->setSliderDown(false);
}

// A TCP peer on the loopback address standing in for the unit: the window
// connects to it through its network link, and the test reads the bytes the
// window writes.
class LoopbackPeer
{
public:
    // Opens the window's network link to this peer; false if that failed.
    bool connectWindow(zor_config &window)
    {
        if (!server.listen(QHostAddress::LocalHost, 0))
            return false;
        window.telnetOpen(QStringLiteral("127.0.0.1:%1").arg(server.serverPort()));
        if (!server.hasPendingConnections() && !server.waitForNewConnection(5000))
            return false;
        socket = server.nextPendingConnection();
        // The window's side comes up once its event loop has run.
        return socket != nullptr &&
               QTest::qWaitFor(
                   [&window] { return window.tcpSocket->state() == QAbstractSocket::ConnectedState; }, 5000);
    }

    // Everything received so far.
    const QByteArray &bytes()
    {
        if (socket)
            received += socket->readAll();
        return received;
    }

    void clear()
    {
        bytes();
        received.clear();
    }

private:
    QTcpServer server;
    QTcpSocket *socket = nullptr;
    QByteArray received;
};

} // namespace editortest

#endif // EDITOR_TEST_HELPERS_H
