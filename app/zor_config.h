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
#include <QUndoStack>

#include <memory>
#include <optional>

#include "app/settings_state.h"
#include "link/console.h"
#include "protocol/core/line_framer.h"
#include "protocol/core/unit_settings.h"
#include "link/serial_dialog.h"
#include "link/telnet_dialog.h"

class QTcpSocket;
namespace protocol {
struct DecodedReply;
}
class QPushButton;
class Ui_zor_config;
class dsp;
class compare_dialog;
class UnitReader;
class PacedSender;
class SettingsStep;
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
    // Dialog-free half of exportReport(): writes the report of the window's
    // settings, HTML for a name ending in .html or .htm, PDF otherwise; true
    // on success, a message box on failure (app/report_export.cpp).
    bool exportReportTo(const QString &fileName);

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

    // How long a network connection may take to come up, how long a reading
    // of the unit (Receive All among them) waits for the unit's first reply,
    // and how long it waits after a line for the rest of an incomplete
    // answer. Tests shorten them.
    int connectTimeoutMs = 30000;
    int receiveAllFirstReplyMs = 5000;
    int receiveAllQuietMs = 1000;

    // --- desktop habits: undo, unsaved edits, recent files (app/, configfile/) ---
    // The window's undo history: one step per user edit of a setting, per
    // Load and per Receive All, at most 100. Edit > Undo and Redo take a step
    // back or do it again.
    QUndoStack undoHistory;
    // Edits of the same setting closer together than this (keyboard steps,
    // a spin box held down) make one step.
    int editMergeMs = 1000;
    // True while the window holds edits that exist nowhere else: made while
    // no link was open since the last Load, Save, Receive All or Send All (an
    // edit counts once its editor has returned to the event loop).
    bool holdsUnsentEdits() const { return offlineEdits; }
    // Asks, when the window holds such edits, whether to save them first:
    // true to go ahead (saved, or discarded), false to leave everything as
    // it is. True at once when there are none.
    bool keepOrDiscardEdits();
    // Loads a file of the Recent Files list. A file that no longer exists is
    // taken off the list with a message saying so, and nothing else changes.
    bool openRecentFile(const QString &fileName);

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

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // --- undo history and unsaved edits (app/edit_history.cpp) ---
    friend class SettingsStep;
    // The window's settings as the last step, reply, load or undo left them:
    // what a user edit is measured against.
    UnitSettings shown;
    // What the window held when a slider's handle was pressed: a drag is one
    // step, taken when the handle is released.
    std::optional<UnitSettings> heldBase;
    bool sliderHeld = false;
    // True while a step is being undone or redone.
    bool replayingStep = false;
    bool offlineEdits = false;
    // The file (its name) whose settings the window holds exactly: the last
    // one loaded or saved, while the undo history stands where it did then
    // and no unit has reported a setting since.
    QString settingsFile;
    void holdsFileSettings(const QString &fileName);
    // Whether the commands of the edit not yet taken as a step went to no
    // unit; unknown while no command was sent.
    std::optional<bool> editReachedNoUnit;
    // What the window held when the running Receive All began.
    UnitSettings receiveAllBase;
    bool receiveAllOffline = false;
    // Takes a user edit as a step once its editor has returned.
    QTimer editSettle;
    void wireHistory();
    UnitSettings settledSettings() const;
    void editMade();
    void settleEdit();
    void holdEdits();
    void releaseEdits();
    void beforeReply();
    void afterReply(const protocol::DecodedReply &reply);
    void beginWindowStep(UnitSettings &base, bool &offline);
    void endWindowStep(int kind, const QString &text, const UnitSettings &base, bool offline);
    void applySettings(const UnitSettings &target, const QVector<int> &settings, bool send);
    void applyStoredFrame(const QByteArray &frame);
    void undoStep();
    void redoStep();
    // Whether Undo or Redo pressed in a field is the window's step rather
    // than the field's own undo of typing.
    bool undoKeyIsWindows(QObject *field, QEvent *event) const;
    void updateUndoActions();
    void exitApplication();
    bool saveWithDialog();

    // --- recent files (configfile/recent_files.cpp) ---
    void fillRecentFiles();
    void rememberFile(const QString &fileName);

    // --- live levels (editors/troubleshooting.cpp) ---
    QTimer levelPoll;
    void wireLevelPolling();
    void levelPollingToggled(bool on);
    void pollLevels();
    void stopLevelPolling();

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
    // Whether the link wants the actions that talk to the unit enabled (they
    // stay disabled while a run lasts).
    bool linkActionsWanted = false;
    void setLinkActionsEnabled(bool enabled);

    // --- the link session: one run at a time (protocol/link_session.cpp) ---
public:
    // What talks to the unit at the moment. Receive All, a reading of the
    // unit for Compare or Send Changes, Send All, Send Changes and the
    // reading back after a write are one session: while one runs, none of
    // the others can start, and a link change stops it.
    enum class Run { None, ReceiveAll, Compare, ChangesReading, SendAll, SendChanges, Verify };
    Run currentRun() const { return run; }
    // The window's settings as Send All sends them and Save writes them,
    // read straight from its widgets and state; it holds every setting.
    UnitSettings currentSettings() const;
    // The dialog of the last Compare, Send Changes or verification while it
    // is open.
    compare_dialog *differencesDialog() const;
    // A reading of the unit that has not completed by then is given up.
    int readingOverallMs = 60000;

public slots:
    void compareWithUnit();
    void sendChanges();
    // Sends the commands of these differences one by one at Send All's pace,
    // nothing else, then reads the unit back.
    void sendSelectedChanges(const QVector<UnitSettings::Difference> &chosen);
    // File > Export Report...: asks for a file name, PDF unless HTML is chosen.
    void exportReport();

private:
    Run run = Run::None;
    UnitReader *unitReader = nullptr;
    PacedSender *runSender = nullptr;
    // What the last write to the unit sent, as a model that holds exactly
    // the settings sent: what its verification compares the unit with.
    UnitSettings sentSettings;
    int changesChosen = 0;
    int runCommandsSent = 0;
    QPointer<compare_dialog> openDialog;
    QLabel *runProgress = nullptr;
    QPushButton *runCancel = nullptr;
    void wireRuns();
    bool isReading() const;
    void beginRun(Run kind);
    void endRun(const QString &message);
    void updateRunActions();
    void showRunProgress();
    void startReading(Run kind);
    void cancelRun();
    QString stopRun(bool linkGone);
    // The link was opened anew, closed or lost: the run stops and says so;
    // the message, empty when nothing ran.
    QString stopRunForLink();
    void readLine(const QByteArray &line);
    void readingFinished();
    void readingFailed(int failure);
    void showDifferences(const QVector<UnitSettings::Difference> &differences, int mode);
    void startSending(Run kind, const QList<QByteArray> &commands);
    void sendNextCommand(const QByteArray &command);
    void sendingFinished(int outcome);
    bool linkOpen() const;
};

#endif // ZOR_CONFIG_H
