#ifndef ZOR_CONFIG_H
#define ZOR_CONFIG_H

#include <QAbstractSocket>
#include <QByteArray>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QModelIndex>
#include <QPointer>
#include <QSaveFile>
#include <QSerialPort>
#include <QString>
#include <QStringListModel>
#include <QTimer>

#include <memory>

#include "app/settings_state.h"
#include "link/console.h"
#include "protocol/core/line_framer.h"
#include "protocol/core/unit_settings.h"
#include "link/serial_dialog.h"
#include "link/telnet_dialog.h"

class QTcpSocket;
class QPushButton;
class Ui_zor_config;
class dsp;
class compare_dialog;
class UnitReader;
class PacedSender;
struct ReplyTargets;

// The main window: owns the form, the link, the settings state, the plot and
// the dialogs, and wires every widget to its editor slot. Slot bodies live in
// the subsystem folders (link/, editors/, protocol/, configfile/).
class zor_config : public QMainWindow
{
    Q_OBJECT

public:
    explicit zor_config(QWidget *parent = nullptr);
    ~zor_config() override;

    // Handles one reply line from the unit or from a configuration file.
    void parseCommand(QByteArray line);
    // Waits ms milliseconds while the event loop keeps running.
    void delay(int ms);
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Dialog-free halves of saveFile() and loadFile(); true on success.
    bool saveConfiguration(const QString &fileName);
    bool loadConfiguration(const QString &fileName);

    // Connects every widget whose object name contains a family prefix
    // (sliderZoneVol, checkBoxGroupZone, ...) to its editor slot. Runs during
    // construction; running it again connects only widgets added since.
    void wireFamilies();

    // Members in construction order; the order matters for construction and
    // destruction.
    ushort eqBandFrequency[10];
    Ui_zor_config *ui = nullptr;
    console *consoleWindow = nullptr;
    QLabel statusLabel;
    dsp *dspPlot = nullptr;
    ZoneDspSettings zoneDsp[16];
    int favoriteSource[10][16];
    QStringListModel favoriteNamesModel;
    ushort groupZones[10];
    QStringListModel groupNamesModel;
    bool networkIpChanged = false;
    bool networkGatewayChanged = false;
    bool networkMaskChanged = false;
    int presetEq[10][10];
    QStringListModel presetNamesModel;
    serial_dialog serialDialog;
    QSerialPort serialPort;
    QStringListModel sourceNamesModel;
    bool sourceNameChanged[16];
    telnet_dialog telnetDialog;
    QTcpSocket *tcpSocket = nullptr;
    // Open only while a save runs; commands then go into it instead of the unit.
    QSaveFile configFile;
    QStringListModel zoneNamesModel;
    bool zoneNameChanged[16];

    // How long a network connection may take to come up, how long Receive
    // All waits for the unit's first reply, and how quiet the unit must stay
    // before Receive All counts as finished. Tests shorten them.
    int connectTimeoutMs = 30000;
    int receiveAllFirstReplyMs = 5000;
    int receiveAllQuietMs = 1000;

signals:
    void sendReceivedData(QString data);
    void sendSentData(QString data);

public slots:
    void checkBoxFavoriteBypassChange(bool checked);
    void checkBoxFPIRChanged(bool checked);
    void checkBoxFPLockChanged(bool checked);
    void checkBoxGroupZoneChange(bool checked);
    void checkBoxNetworkDHCPChange(bool checked);
    void checkBoxNetworkSDDPChange(bool checked);
    void checkBoxSerialChanged(bool checked);
    void checkBoxZoneFixChange(bool checked);
    void checkBoxZoneMuteChange(bool checked);
    void checkBoxZonePowerChange(bool checked);
    void comboBoxDSPModeChange(int index);
    void comboBoxFavoriteSourceChange(int index);
    void comboBoxTriggerModeChanged(int index);
    void comboBoxZoneSourceChange(int index);
    void favoriteNamesModelChange(QModelIndex model);
    void groupNamesModelChange(QModelIndex model);
    void lineEditNetworkGatewayChange();
    void lineEditNetworkGatewayChangeFlag();
    void lineEditNetworkIPChange();
    void lineEditNetworkIPChangeFlag();
    void lineEditNetworkMaskChange();
    void lineEditNetworkMaskChangeFlag();
    void lineEditSourceNameChange();
    void lineEditSourceNameChangeFlag();
    void lineEditZoneNameChange();
    void lineEditZoneNameChangeFlag();
    void listViewDSPPresetChange(QModelIndex model_index);
    void listViewDSPZoneChange(QModelIndex model_index);
    void listViewFavoriteChange(QModelIndex model_index);
    void listViewGroupChange(QModelIndex model_index);
    void loadFile();
    void presetNamesModelChange(QModelIndex model);
    void pushButtonMaxAllVolumes();
    void pushButtonNetworkCommit();
    void pushButtonPollOutputLevels();
    void pushButtonSetOneToOne();
    void saveFile();
    void sendAll();
    void sendCommand(QByteArray input);
    void sendQueryAll();
    void serialCheck();
    void serialOpen(QString port_name);
    void serialReadData();
    void sliderDSPBassChange(int value);
    void sliderDSPEqChange(int value);
    void sliderDSPHighpassChange(int value);
    void sliderDSPLowpassChange(int value);
    void sliderDSPTrebleChange(int value);
    void sliderFPBrightnessChanged(int value);
    void sliderFPSleepChanged(int value);
    void sliderTriggerLevelChanged(int value);
    void sliderTriggerTimeChanged(int value);
    void sliderZoneVolChange(int value);
    void spinBoxZoneBalChange(int value);
    void spinBoxZonePOnVolChange(int value);
    void telnetCheck();
    void telnetOpen(QString ip_address);
    void telnetReadData();
    void telnetSocketError(QAbstractSocket::SocketError);

private:
    // --- construction (app/) ---
    bool constructing = true;
    template <typename Widget, typename Signal, typename Slot>
    void wireFamily(const char *prefix, Signal signal, Slot slot);
    void wireSourceCombos(const char *prefix, void (zor_config::*slot)(int));

    // --- device link internals (link/) ---
    LineFramer serialFramer;
    LineFramer tcpFramer;
    void receiveBytes(LineFramer &framer, const QByteArray &bytes, const char *statusPrefix);
    void serialPortError(QSerialPort::SerialPortError error);
    // A network connection being set up runs in the background; the address
    // is the one the user gave, null while no attempt is under way.
    QString connectingTo;
    QTimer connectTimer;
    void telnetConnected();
    void telnetConnectFailed();
    void telnetConnectTimedOut();
    void abandonConnect();
    // Receive All's report: how many lines came in answer, or that none did.
    bool receiveAllWatching = false;
    int receiveAllLines = 0;
    QTimer receiveAllFirstReply;
    QTimer receiveAllQuiet;
    void startReceiveAllReport();
    void stopReceiveAllReport();
    void receiveAllLineArrived();
    void receiveAllFinished();
    void receiveAllUnanswered();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // --- editor internals (editors/) ---
    // The numbered widgets (sliderDSPEQ_3, checkBoxGroupZone_12, ...) found
    // once by name and remembered; shared by the editors and the parser.
    ReplyTargets &numberedWidgets();
    // Keeps names from breaking a frame: validators on the 32 name fields and
    // the 16-character name editor in the preset, group and favorite lists.
    void installNameGuards();

    // --- response parser internals (protocol/) ---
    std::unique_ptr<ReplyTargets> replyTargets;

    // --- send all and configuration file internals (protocol/, configfile/) ---
    // True while a configuration file is being loaded: file lines describe
    // stored settings, not the unit powering a zone on.
    bool loadingFile = false;
    // Send All runs at most once at a time and can be cancelled between commands.
    bool sendAllRunning = false;
    bool sendAllCancelled = false;
    // The link closed or failed during the run: it stops after the command under way.
    bool sendAllLinkLost = false;
    void sendAllLinkGone();
    // The mute state each zone's mute line of the run says: the box as the run
    // found it, or as the user set it during the run.
    bool sendAllMutes[16] = {};
    void sendAllNoteMute(int zone, bool muted);
    // True while the run replays a zone volume: that volume line leaves the
    // zone's mute box alone, unlike a user's volume edit.
    bool sendAllReplayingVolume = false;
    // Whether the link wants Receive All and Send All enabled (shown once a
    // running Send All ends).
    bool linkActionsWanted = false;
    void setLinkActionsEnabled(bool enabled);
    int sendAllPacing = 0;
    int sendAllSent = 0;
    int sendAllTotal = 0;
    QLabel *sendAllProgress = nullptr;
    QPushButton *sendAllCancel = nullptr;
    bool sendAllPause();
    bool sendAllNames();
    bool sendAllZones();
    bool sendAllDsp();
    bool sendAllPresets();
    bool sendAllUnitSettings();
    bool sendAllGroups();
    bool sendAllFavorites();
    void setSendAllActive(bool active);

    // --- Compare with Unit and Send Changes (protocol/send_changes.cpp) ---
public:
    // The window's settings as Send All would send them, read straight from
    // its widgets and state.
    UnitSettings currentSettings() const;
    // The dialog of the last Compare or Send Changes while it is open.
    compare_dialog *differencesDialog() const;

public slots:
    void compareWithUnit();
    void sendChanges();
    // Sends these commands one by one at Send All's pace, nothing else.
    void sendSelectedChanges(const QList<QByteArray> &commands);

private:
    // Reads the unit into a model of its own; the lines go there, not to the
    // parser, while it runs.
    UnitReader *unitReader = nullptr;
    bool unitReadForSending = false;
    QPointer<compare_dialog> openDialog;
    // Sends the chosen changes under Send All's progress and lock.
    PacedSender *changesSender = nullptr;
    void wireCompare();
    void startUnitReading(bool forSending);
    void unitReadingFinished();
    void sendNextChange(const QByteArray &command);
    void changesSent(int sent, int total);
    void changesFinished(int outcome);
    void cancelSendingChanges();
    bool linkOpen() const;
};

#endif // ZOR_CONFIG_H
