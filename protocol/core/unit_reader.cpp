#include "protocol/core/unit_reader.h"

#include "protocol/core/messages.h"

UnitReader::UnitReader(QObject *parent) : QObject(parent)
{
    // Queued connections and signal spies carry the failure by value.
    qRegisterMetaType<UnitReader::Failure>();
    // The limits are waited out in full, not up to 5% short as a coarse timer may.
    for (QTimer *timer : {&firstReplyTimer, &quietTimer, &overallTimer}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(&firstReplyTimer, &QTimer::timeout, this, [this] { fail(NoReply); });
    connect(&quietTimer, &QTimer::timeout, this, [this] { fail(Incomplete); });
    connect(&overallTimer, &QTimer::timeout, this, [this] { fail(lines == 0 ? NoReply : Incomplete); });
}

void UnitReader::start(bool serial)
{
    stop();
    model = UnitSettings();
    framer = LineFramer();
    lines = 0;
    running = true;
    overSerial = serial;
    firstReplyTimer.start(firstReplyMs);
    overallTimer.start(overallMs);
    if (serial)
        emit commandReady(protocol::serialResponses(true));
    // A receiver of the first command may have cancelled the reading.
    if (running)
        emit commandReady(protocol::queryAll());
}

void UnitReader::feedLine(const QByteArray &line)
{
    if (!running || line.trimmed().isEmpty())
        return;
    ++lines;
    firstReplyTimer.stop();
    quietTimer.start(quietMs);
    model.apply(line, UnitSettings::Origin::Reported);
    if (model.holdsAll()) {
        stop();
        emit finished();
    }
}

void UnitReader::feedBytes(const QByteArray &bytes)
{
    if (!running)
        return;
    const LineFramer::Result result = framer.feed(bytes);
    for (const QByteArray &line : result.lines) {
        if (!running)
            break;
        feedLine(line);
    }
}

void UnitReader::cancel()
{
    stop();
}

QString UnitReader::incompleteText() const
{
    return tr("The unit answered %1 of %2 settings.").arg(settingsReceived()).arg(UnitSettings::SettingCount);
}

QList<QByteArray> UnitReader::takeBackSerialResponses(const UnitSettings &sent)
{
    const UnitSettings::Setting responses{UnitSettings::Kind::SerialResponses};
    if (!overSerial || !sent.holds(responses) || sent.serialResponses)
        return {};
    model.serialResponses = sent.serialResponses;
    return {sent.commandOf(responses)};
}

void UnitReader::stop()
{
    running = false;
    firstReplyTimer.stop();
    quietTimer.stop();
    overallTimer.stop();
}

void UnitReader::fail(Failure failure)
{
    if (!running)
        return;
    stop();
    emit failed(failure);
}
