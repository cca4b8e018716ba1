#ifndef MESSAGE_BOX_CLOSER_H
#define MESSAGE_BOX_CLOSER_H

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Records and closes every QMessageBox that opens while it lives, so that a
// test never blocks on a modal box. Each record is "title|text". A box that
// offers the button `answer` is answered with it.
class MessageBoxCloser : public QObject
{
    Q_OBJECT

public:
    explicit MessageBoxCloser(QObject *parent = nullptr);
    QStringList seen;
    QMessageBox::StandardButton answer = QMessageBox::NoButton;

private:
    void sweep();
    QTimer timer;
};

#endif // MESSAGE_BOX_CLOSER_H
