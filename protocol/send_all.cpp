// Receive All and Send All.
//
// Receive All is a reading of the unit whose lines also reach the parser, so
// the window shows each setting as it arrives; the reading tells when the
// unit has reported them all, or how many it reported.
//
// Send All sends the window's settings as one list, built from the window's
// model (currentSettings): to the unit one command every 50 ms, then read
// back and checked; into a file, while a save runs, all at once.
#include "app/zor_config.h"

#include "protocol/core/paced_sender.h"

void zor_config::sendQueryAll()
{
    if (currentRun() != Run::None || !keepOrDiscardEdits())
        return;
    beginWindowStep(receiveAllBase, receiveAllOffline);
    // On a serial link the reading asks for serial responses first.
    startReading(Run::ReceiveAll);
}

void zor_config::sendAll()
{
    if (configFile.isOpen()) {
        // A save: every command becomes one line of the file.
        for (const QByteArray &command : currentSettings().sendAllCommands())
            sendCommand(command);
        return;
    }
    if (currentRun() != Run::None)
        return;
    sentSettings = currentSettings();
    startSending(Run::SendAll, sentSettings.sendAllCommands());
}
