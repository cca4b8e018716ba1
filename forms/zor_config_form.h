#ifndef ZOR_CONFIG_FORM_H
#define ZOR_CONFIG_FORM_H

// The main window's form: every page, widget, layout and action of the
// ZOR Setup Utility with its object name, place, range, initial value, text
// and status tip, plus the few widget-to-widget connections (slider value
// labels, favorite bypass boxes). It holds no behaviour; zor_config wires
// the widgets to its editors by object name after setupUi.
//
// Numbered widget families (sliderZoneVol_1 .. sliderZoneVol_16 and so on)
// are kept in arrays indexed by the number in the object name, index 0
// unused. Every numbered member (sliderZoneVol_3, labelRightzone_12, ...)
// is an alias of its array slot, so the loops of setupUi fill both at once.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGraphicsView>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSpacerItem>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>
#include "protocol/core/messages.h"

class Ui_zor_config
{
public:
    Ui_zor_config() = default;
    // The aliases refer into this object's own arrays: never copy a form.
    Ui_zor_config(const Ui_zor_config &) = delete;
    Ui_zor_config &operator=(const Ui_zor_config &) = delete;

    // Builds the whole form into the main window.
    void setupUi(QMainWindow *zor_config);
    // Sets every text, title, status tip, accessible name, input mask and
    // combo item.
    void retranslateUi(QMainWindow *zor_config);

    // Accessible names of the controls whose setting depends on what a list
    // selects: the DSP page's controls set zone `zone`'s settings (its band
    // sliders those of preset `preset` when it is not 0), the group members
    // those of group `group`, the favorite rows those of favorite `favorite`.
    void nameDspControls(int zone, int preset = 0);
    void nameGroupMembers(int group);
    void nameFavoriteMembers(int favorite);

    // Number of zones (and sources) and of EQ bands; family arrays have one
    // slot more so that the index is the number in the object name.
    static constexpr int ZoneCount = protocol::ZoneCount;
    static constexpr int BandCount = protocol::BandCount;

    // Actions and window frame
    QAction *actionLoad = nullptr;
    QAction *actionSave = nullptr;
    QAction *actionExportReport = nullptr;
    QAction *actionExit = nullptr;
    QAction *actionSerial = nullptr;
    QAction *actionTelnet = nullptr;
    QAction *actionReceiveAll = nullptr;
    QAction *actionSendAll = nullptr;
    QAction *actionCompare = nullptr;
    QAction *actionSendChanges = nullptr;
    QAction *actionConsole = nullptr;
    QAction *actionUndo = nullptr;
    QAction *actionRedo = nullptr;
    QWidget *centralWidget = nullptr;
    QGridLayout *gridLayout = nullptr;
    QTabWidget *tabWidget = nullptr;
    QMenuBar *menuBar = nullptr;
    QMenu *menuFile = nullptr;
    QMenu *menuRecentFiles = nullptr;
    QMenu *menuEdit = nullptr;
    QMenu *menuConnection = nullptr;
    QStatusBar *statusBar = nullptr;

    // Source page
    QWidget *tabSource = nullptr;
    QGridLayout *gridLayout_2 = nullptr;
    QLabel *labelSourceName = nullptr;
    QLabel *labelSourceNameN[ZoneCount + 1] = {};
    QLineEdit *lineEditSourceNameN[ZoneCount + 1] = {};
    QSpacerItem *verticalSpacer = nullptr;

    // Zone page
    QWidget *tabZone = nullptr;
    QGridLayout *gridLayout_4 = nullptr;
    QLabel *labelZoneName = nullptr;
    QLabel *labelZoneVol = nullptr;
    QLabel *labelZoneMute = nullptr;
    QLabel *labelZoneFix = nullptr;
    QLabel *labelZoneBalance = nullptr;
    QLabel *labelZoneSource = nullptr;
    QLabel *labelZonePower = nullptr;
    QLabel *labelZonePOnVol = nullptr;
    QLabel *labelZoneN[ZoneCount + 1] = {};
    QLineEdit *lineEditZoneNameN[ZoneCount + 1] = {};
    QSlider *sliderZoneVolN[ZoneCount + 1] = {};
    QLabel *labelZoneVolN[ZoneCount + 1] = {};
    QCheckBox *checkBoxZoneMuteN[ZoneCount + 1] = {};
    QCheckBox *checkBoxZoneFixN[ZoneCount + 1] = {};
    QSpinBox *spinBoxZoneBalN[ZoneCount + 1] = {};
    QComboBox *comboBoxZoneSourceN[ZoneCount + 1] = {};
    QCheckBox *checkBoxZonePowerN[ZoneCount + 1] = {};
    QSpinBox *spinBoxZonePOnVolN[ZoneCount + 1] = {};

    // DSP page
    QWidget *tabDSP = nullptr;
    QGridLayout *gridLayout_8 = nullptr;
    QLabel *labelDSPZone = nullptr;
    QLabel *labelDSPMode = nullptr;
    QListView *listViewDSPZone = nullptr;
    QComboBox *comboBoxDSPMode = nullptr;
    QLabel *labelDSPPreset = nullptr;
    QListView *listViewDSPPreset = nullptr;
    QFrame *frameDSPEQ = nullptr;
    QGridLayout *gridLayout_5 = nullptr;
    QLabel *labelDSPEQN[BandCount + 1] = {};
    QSlider *sliderDSPEQN[BandCount + 1] = {};
    QLabel *labelDSPEQValN[BandCount + 1] = {};
    QFrame *frameDSPTone = nullptr;
    QGridLayout *gridLayout_6 = nullptr;
    QLabel *labelDSPBass = nullptr;
    QLabel *labelDSPTreble = nullptr;
    QSlider *sliderDSPBass = nullptr;
    QSlider *sliderDSPTreble = nullptr;
    QLabel *labelDSPBassVal = nullptr;
    QLabel *labelDSPTrebleVal = nullptr;
    QFrame *frameDSPLowpass = nullptr;
    QGridLayout *gridLayout_3 = nullptr;
    QLabel *labelDSPLowpass = nullptr;
    QSlider *sliderDSPLowpass = nullptr;
    QLabel *labelDSPLowpassVal = nullptr;
    QFrame *frameDSPHighpass = nullptr;
    QGridLayout *gridLayout_7 = nullptr;
    QLabel *labelHighpass = nullptr;
    QSlider *sliderDSPHighpass = nullptr;
    QLabel *labelDSPHighpassVal = nullptr;
    QGraphicsView *graphicsView = nullptr;

    // Network/Misc page
    QWidget *tabNetwork = nullptr;
    QGridLayout *gridLayout_10 = nullptr;
    QGroupBox *groupBox = nullptr;
    QVBoxLayout *verticalLayout_3 = nullptr;
    QGroupBox *groupBoxNetwork = nullptr;
    QVBoxLayout *verticalLayout = nullptr;
    QCheckBox *checkBoxNetworkDHCP = nullptr;
    QGroupBox *groupBoxNetworkStatic = nullptr;
    QGridLayout *gridLayout_9 = nullptr;
    QLabel *labelNetworkIP = nullptr;
    QLineEdit *lineEditNetworkIP = nullptr;
    QLabel *labelNetworkMask = nullptr;
    QLineEdit *lineEditNetworkMask = nullptr;
    QLabel *labelNetworkGateway = nullptr;
    QLineEdit *lineEditNetworkGateway = nullptr;
    QPushButton *pushButtonNetworkCommit = nullptr;
    QGroupBox *groupBoxNetworkSDDP = nullptr;
    QVBoxLayout *verticalLayout_2 = nullptr;
    QCheckBox *checkBoxNetworkSDDP = nullptr;
    QGroupBox *groupBoxFPControls = nullptr;
    QVBoxLayout *verticalLayout_4 = nullptr;
    QHBoxLayout *horizontalLayout = nullptr;
    QLabel *labelFPBrightness = nullptr;
    QSlider *sliderFPBrightness = nullptr;
    QLabel *labelFPBrightnessPercent = nullptr;
    QHBoxLayout *horizontalLayout_3 = nullptr;
    QLabel *labelFPSleep = nullptr;
    QSlider *sliderFPSleep = nullptr;
    QLabel *labelFPSleepTime = nullptr;
    QCheckBox *checkBoxFPIR = nullptr;
    QCheckBox *checkBoxFPLock = nullptr;
    QGroupBox *groupBoxSerial = nullptr;
    QCheckBox *checkBoxSerial = nullptr;
    QGroupBox *groupBoxTrigger = nullptr;
    QVBoxLayout *verticalLayout_6 = nullptr;
    QHBoxLayout *horizontalLayout_2 = nullptr;
    QLabel *labelTriggerMode = nullptr;
    QComboBox *comboBoxTriggerMode = nullptr;
    QGroupBox *groupBoxTriggerSettings = nullptr;
    QVBoxLayout *verticalLayout_5 = nullptr;
    QHBoxLayout *horizontalLayout_4 = nullptr;
    QLabel *labelTriggerModeTime = nullptr;
    QSlider *sliderTriggerTime = nullptr;
    QLabel *labelTriggerModeTimeVal = nullptr;
    QHBoxLayout *horizontalLayout_5 = nullptr;
    QLabel *labelTriggerModeLevel = nullptr;
    QSlider *sliderTriggerLevel = nullptr;
    QLabel *labelTriggerModeLevelVal = nullptr;
    QSpacerItem *verticalSpacer_2 = nullptr;
    QSpacerItem *verticalSpacer_3 = nullptr;

    // Groups page
    QWidget *tabGroups = nullptr;
    QHBoxLayout *horizontalLayout_6 = nullptr;
    QVBoxLayout *verticalLayout_8 = nullptr;
    QLabel *labelGroupName = nullptr;
    QListView *listViewGroup = nullptr;
    QGroupBox *groupBoxGroupMembers = nullptr;
    QVBoxLayout *verticalLayout_7 = nullptr;
    QCheckBox *checkBoxGroupZoneN[ZoneCount + 1] = {};
    QSpacerItem *horizontalSpacer = nullptr;

    // Favorites page
    QWidget *tabFavorites = nullptr;
    QGridLayout *gridLayout_12 = nullptr;
    QVBoxLayout *verticalLayout_9 = nullptr;
    QLabel *label = nullptr;
    QListView *listViewFavorites = nullptr;
    QGroupBox *groupBoxFavorite = nullptr;
    QGridLayout *gridLayout_11 = nullptr;
    QLabel *labelFavoriteZone = nullptr;
    QLabel *labelFavoriteBypass = nullptr;
    QLabel *labelFavoriteSource = nullptr;
    QLabel *labelFavoriteZone_17 = nullptr;
    QLabel *labelFavoriteBypass_2 = nullptr;
    QLabel *labelFavoriteSource_2 = nullptr;
    QLabel *labelFavoriteZoneN[ZoneCount + 1] = {};
    QCheckBox *checkBoxFavoriteBypassN[ZoneCount + 1] = {};
    QComboBox *comboBoxFavoriteSourceN[ZoneCount + 1] = {};
    QSpacerItem *verticalSpacer_4 = nullptr;
    QSpacerItem *verticalSpacer_5 = nullptr;

    // Troubleshooting page (fixed geometries, no layout)
    QWidget *tabTroubleshooting = nullptr;
    QPushButton *pushButtonPollOutputLevels = nullptr;
    QCheckBox *checkBoxPollOutputLevels = nullptr;
    QLabel *label_2 = nullptr;
    QPushButton *pushButtonSetOneToOne = nullptr;
    QLabel *label_3 = nullptr;
    QPushButton *pushButtonMaxAllVolumes = nullptr;
    QLabel *label_4 = nullptr;
    QGroupBox *groupBoxZoneN[ZoneCount + 1] = {};
    QLabel *labelSourceZoneN[ZoneCount + 1] = {};
    QLabel *labelLeftZoneN[ZoneCount + 1] = {};
    QLabel *labelRightzoneN[ZoneCount + 1] = {};
    QProgressBar *progressBarLeftZoneN[ZoneCount + 1] = {};
    QProgressBar *progressBarRightZoneN[ZoneCount + 1] = {};

    // Named members of the numbered families, aliases of the array slots.
    // Source page
    QLabel *&labelSourceName_1 = labelSourceNameN[1];
    QLabel *&labelSourceName_2 = labelSourceNameN[2];
    QLabel *&labelSourceName_3 = labelSourceNameN[3];
    QLabel *&labelSourceName_4 = labelSourceNameN[4];
    QLabel *&labelSourceName_5 = labelSourceNameN[5];
    QLabel *&labelSourceName_6 = labelSourceNameN[6];
    QLabel *&labelSourceName_7 = labelSourceNameN[7];
    QLabel *&labelSourceName_8 = labelSourceNameN[8];
    QLabel *&labelSourceName_9 = labelSourceNameN[9];
    QLabel *&labelSourceName_10 = labelSourceNameN[10];
    QLabel *&labelSourceName_11 = labelSourceNameN[11];
    QLabel *&labelSourceName_12 = labelSourceNameN[12];
    QLabel *&labelSourceName_13 = labelSourceNameN[13];
    QLabel *&labelSourceName_14 = labelSourceNameN[14];
    QLabel *&labelSourceName_15 = labelSourceNameN[15];
    QLabel *&labelSourceName_16 = labelSourceNameN[16];

    QLineEdit *&lineEditSourceName_1 = lineEditSourceNameN[1];
    QLineEdit *&lineEditSourceName_2 = lineEditSourceNameN[2];
    QLineEdit *&lineEditSourceName_3 = lineEditSourceNameN[3];
    QLineEdit *&lineEditSourceName_4 = lineEditSourceNameN[4];
    QLineEdit *&lineEditSourceName_5 = lineEditSourceNameN[5];
    QLineEdit *&lineEditSourceName_6 = lineEditSourceNameN[6];
    QLineEdit *&lineEditSourceName_7 = lineEditSourceNameN[7];
    QLineEdit *&lineEditSourceName_8 = lineEditSourceNameN[8];
    QLineEdit *&lineEditSourceName_9 = lineEditSourceNameN[9];
    QLineEdit *&lineEditSourceName_10 = lineEditSourceNameN[10];
    QLineEdit *&lineEditSourceName_11 = lineEditSourceNameN[11];
    QLineEdit *&lineEditSourceName_12 = lineEditSourceNameN[12];
    QLineEdit *&lineEditSourceName_13 = lineEditSourceNameN[13];
    QLineEdit *&lineEditSourceName_14 = lineEditSourceNameN[14];
    QLineEdit *&lineEditSourceName_15 = lineEditSourceNameN[15];
    QLineEdit *&lineEditSourceName_16 = lineEditSourceNameN[16];

    // Zone page
    QLabel *&labelZone_1 = labelZoneN[1];
    QLabel *&labelZone_2 = labelZoneN[2];
    QLabel *&labelZone_3 = labelZoneN[3];
    QLabel *&labelZone_4 = labelZoneN[4];
    QLabel *&labelZone_5 = labelZoneN[5];
    QLabel *&labelZone_6 = labelZoneN[6];
    QLabel *&labelZone_7 = labelZoneN[7];
    QLabel *&labelZone_8 = labelZoneN[8];
    QLabel *&labelZone_9 = labelZoneN[9];
    QLabel *&labelZone_10 = labelZoneN[10];
    QLabel *&labelZone_11 = labelZoneN[11];
    QLabel *&labelZone_12 = labelZoneN[12];
    QLabel *&labelZone_13 = labelZoneN[13];
    QLabel *&labelZone_14 = labelZoneN[14];
    QLabel *&labelZone_15 = labelZoneN[15];
    QLabel *&labelZone_16 = labelZoneN[16];

    QLineEdit *&lineEditZoneName_1 = lineEditZoneNameN[1];
    QLineEdit *&lineEditZoneName_2 = lineEditZoneNameN[2];
    QLineEdit *&lineEditZoneName_3 = lineEditZoneNameN[3];
    QLineEdit *&lineEditZoneName_4 = lineEditZoneNameN[4];
    QLineEdit *&lineEditZoneName_5 = lineEditZoneNameN[5];
    QLineEdit *&lineEditZoneName_6 = lineEditZoneNameN[6];
    QLineEdit *&lineEditZoneName_7 = lineEditZoneNameN[7];
    QLineEdit *&lineEditZoneName_8 = lineEditZoneNameN[8];
    QLineEdit *&lineEditZoneName_9 = lineEditZoneNameN[9];
    QLineEdit *&lineEditZoneName_10 = lineEditZoneNameN[10];
    QLineEdit *&lineEditZoneName_11 = lineEditZoneNameN[11];
    QLineEdit *&lineEditZoneName_12 = lineEditZoneNameN[12];
    QLineEdit *&lineEditZoneName_13 = lineEditZoneNameN[13];
    QLineEdit *&lineEditZoneName_14 = lineEditZoneNameN[14];
    QLineEdit *&lineEditZoneName_15 = lineEditZoneNameN[15];
    QLineEdit *&lineEditZoneName_16 = lineEditZoneNameN[16];

    QSlider *&sliderZoneVol_1 = sliderZoneVolN[1];
    QSlider *&sliderZoneVol_2 = sliderZoneVolN[2];
    QSlider *&sliderZoneVol_3 = sliderZoneVolN[3];
    QSlider *&sliderZoneVol_4 = sliderZoneVolN[4];
    QSlider *&sliderZoneVol_5 = sliderZoneVolN[5];
    QSlider *&sliderZoneVol_6 = sliderZoneVolN[6];
    QSlider *&sliderZoneVol_7 = sliderZoneVolN[7];
    QSlider *&sliderZoneVol_8 = sliderZoneVolN[8];
    QSlider *&sliderZoneVol_9 = sliderZoneVolN[9];
    QSlider *&sliderZoneVol_10 = sliderZoneVolN[10];
    QSlider *&sliderZoneVol_11 = sliderZoneVolN[11];
    QSlider *&sliderZoneVol_12 = sliderZoneVolN[12];
    QSlider *&sliderZoneVol_13 = sliderZoneVolN[13];
    QSlider *&sliderZoneVol_14 = sliderZoneVolN[14];
    QSlider *&sliderZoneVol_15 = sliderZoneVolN[15];
    QSlider *&sliderZoneVol_16 = sliderZoneVolN[16];

    QLabel *&labelZoneVol_1 = labelZoneVolN[1];
    QLabel *&labelZoneVol_2 = labelZoneVolN[2];
    QLabel *&labelZoneVol_3 = labelZoneVolN[3];
    QLabel *&labelZoneVol_4 = labelZoneVolN[4];
    QLabel *&labelZoneVol_5 = labelZoneVolN[5];
    QLabel *&labelZoneVol_6 = labelZoneVolN[6];
    QLabel *&labelZoneVol_7 = labelZoneVolN[7];
    QLabel *&labelZoneVol_8 = labelZoneVolN[8];
    QLabel *&labelZoneVol_9 = labelZoneVolN[9];
    QLabel *&labelZoneVol_10 = labelZoneVolN[10];
    QLabel *&labelZoneVol_11 = labelZoneVolN[11];
    QLabel *&labelZoneVol_12 = labelZoneVolN[12];
    QLabel *&labelZoneVol_13 = labelZoneVolN[13];
    QLabel *&labelZoneVol_14 = labelZoneVolN[14];
    QLabel *&labelZoneVol_15 = labelZoneVolN[15];
    QLabel *&labelZoneVol_16 = labelZoneVolN[16];

    QCheckBox *&checkBoxZoneMute_1 = checkBoxZoneMuteN[1];
    QCheckBox *&checkBoxZoneMute_2 = checkBoxZoneMuteN[2];
    QCheckBox *&checkBoxZoneMute_3 = checkBoxZoneMuteN[3];
    QCheckBox *&checkBoxZoneMute_4 = checkBoxZoneMuteN[4];
    QCheckBox *&checkBoxZoneMute_5 = checkBoxZoneMuteN[5];
    QCheckBox *&checkBoxZoneMute_6 = checkBoxZoneMuteN[6];
    QCheckBox *&checkBoxZoneMute_7 = checkBoxZoneMuteN[7];
    QCheckBox *&checkBoxZoneMute_8 = checkBoxZoneMuteN[8];
    QCheckBox *&checkBoxZoneMute_9 = checkBoxZoneMuteN[9];
    QCheckBox *&checkBoxZoneMute_10 = checkBoxZoneMuteN[10];
    QCheckBox *&checkBoxZoneMute_11 = checkBoxZoneMuteN[11];
    QCheckBox *&checkBoxZoneMute_12 = checkBoxZoneMuteN[12];
    QCheckBox *&checkBoxZoneMute_13 = checkBoxZoneMuteN[13];
    QCheckBox *&checkBoxZoneMute_14 = checkBoxZoneMuteN[14];
    QCheckBox *&checkBoxZoneMute_15 = checkBoxZoneMuteN[15];
    QCheckBox *&checkBoxZoneMute_16 = checkBoxZoneMuteN[16];

    QCheckBox *&checkBoxZoneFix_1 = checkBoxZoneFixN[1];
    QCheckBox *&checkBoxZoneFix_2 = checkBoxZoneFixN[2];
    QCheckBox *&checkBoxZoneFix_3 = checkBoxZoneFixN[3];
    QCheckBox *&checkBoxZoneFix_4 = checkBoxZoneFixN[4];
    QCheckBox *&checkBoxZoneFix_5 = checkBoxZoneFixN[5];
    QCheckBox *&checkBoxZoneFix_6 = checkBoxZoneFixN[6];
    QCheckBox *&checkBoxZoneFix_7 = checkBoxZoneFixN[7];
    QCheckBox *&checkBoxZoneFix_8 = checkBoxZoneFixN[8];
    QCheckBox *&checkBoxZoneFix_9 = checkBoxZoneFixN[9];
    QCheckBox *&checkBoxZoneFix_10 = checkBoxZoneFixN[10];
    QCheckBox *&checkBoxZoneFix_11 = checkBoxZoneFixN[11];
    QCheckBox *&checkBoxZoneFix_12 = checkBoxZoneFixN[12];
    QCheckBox *&checkBoxZoneFix_13 = checkBoxZoneFixN[13];
    QCheckBox *&checkBoxZoneFix_14 = checkBoxZoneFixN[14];
    QCheckBox *&checkBoxZoneFix_15 = checkBoxZoneFixN[15];
    QCheckBox *&checkBoxZoneFix_16 = checkBoxZoneFixN[16];

    QSpinBox *&spinBoxZoneBal_1 = spinBoxZoneBalN[1];
    QSpinBox *&spinBoxZoneBal_2 = spinBoxZoneBalN[2];
    QSpinBox *&spinBoxZoneBal_3 = spinBoxZoneBalN[3];
    QSpinBox *&spinBoxZoneBal_4 = spinBoxZoneBalN[4];
    QSpinBox *&spinBoxZoneBal_5 = spinBoxZoneBalN[5];
    QSpinBox *&spinBoxZoneBal_6 = spinBoxZoneBalN[6];
    QSpinBox *&spinBoxZoneBal_7 = spinBoxZoneBalN[7];
    QSpinBox *&spinBoxZoneBal_8 = spinBoxZoneBalN[8];
    QSpinBox *&spinBoxZoneBal_9 = spinBoxZoneBalN[9];
    QSpinBox *&spinBoxZoneBal_10 = spinBoxZoneBalN[10];
    QSpinBox *&spinBoxZoneBal_11 = spinBoxZoneBalN[11];
    QSpinBox *&spinBoxZoneBal_12 = spinBoxZoneBalN[12];
    QSpinBox *&spinBoxZoneBal_13 = spinBoxZoneBalN[13];
    QSpinBox *&spinBoxZoneBal_14 = spinBoxZoneBalN[14];
    QSpinBox *&spinBoxZoneBal_15 = spinBoxZoneBalN[15];
    QSpinBox *&spinBoxZoneBal_16 = spinBoxZoneBalN[16];

    QComboBox *&comboBoxZoneSource_1 = comboBoxZoneSourceN[1];
    QComboBox *&comboBoxZoneSource_2 = comboBoxZoneSourceN[2];
    QComboBox *&comboBoxZoneSource_3 = comboBoxZoneSourceN[3];
    QComboBox *&comboBoxZoneSource_4 = comboBoxZoneSourceN[4];
    QComboBox *&comboBoxZoneSource_5 = comboBoxZoneSourceN[5];
    QComboBox *&comboBoxZoneSource_6 = comboBoxZoneSourceN[6];
    QComboBox *&comboBoxZoneSource_7 = comboBoxZoneSourceN[7];
    QComboBox *&comboBoxZoneSource_8 = comboBoxZoneSourceN[8];
    QComboBox *&comboBoxZoneSource_9 = comboBoxZoneSourceN[9];
    QComboBox *&comboBoxZoneSource_10 = comboBoxZoneSourceN[10];
    QComboBox *&comboBoxZoneSource_11 = comboBoxZoneSourceN[11];
    QComboBox *&comboBoxZoneSource_12 = comboBoxZoneSourceN[12];
    QComboBox *&comboBoxZoneSource_13 = comboBoxZoneSourceN[13];
    QComboBox *&comboBoxZoneSource_14 = comboBoxZoneSourceN[14];
    QComboBox *&comboBoxZoneSource_15 = comboBoxZoneSourceN[15];
    QComboBox *&comboBoxZoneSource_16 = comboBoxZoneSourceN[16];

    QCheckBox *&checkBoxZonePower_1 = checkBoxZonePowerN[1];
    QCheckBox *&checkBoxZonePower_2 = checkBoxZonePowerN[2];
    QCheckBox *&checkBoxZonePower_3 = checkBoxZonePowerN[3];
    QCheckBox *&checkBoxZonePower_4 = checkBoxZonePowerN[4];
    QCheckBox *&checkBoxZonePower_5 = checkBoxZonePowerN[5];
    QCheckBox *&checkBoxZonePower_6 = checkBoxZonePowerN[6];
    QCheckBox *&checkBoxZonePower_7 = checkBoxZonePowerN[7];
    QCheckBox *&checkBoxZonePower_8 = checkBoxZonePowerN[8];
    QCheckBox *&checkBoxZonePower_9 = checkBoxZonePowerN[9];
    QCheckBox *&checkBoxZonePower_10 = checkBoxZonePowerN[10];
    QCheckBox *&checkBoxZonePower_11 = checkBoxZonePowerN[11];
    QCheckBox *&checkBoxZonePower_12 = checkBoxZonePowerN[12];
    QCheckBox *&checkBoxZonePower_13 = checkBoxZonePowerN[13];
    QCheckBox *&checkBoxZonePower_14 = checkBoxZonePowerN[14];
    QCheckBox *&checkBoxZonePower_15 = checkBoxZonePowerN[15];
    QCheckBox *&checkBoxZonePower_16 = checkBoxZonePowerN[16];

    QSpinBox *&spinBoxZonePOnVol_1 = spinBoxZonePOnVolN[1];
    QSpinBox *&spinBoxZonePOnVol_2 = spinBoxZonePOnVolN[2];
    QSpinBox *&spinBoxZonePOnVol_3 = spinBoxZonePOnVolN[3];
    QSpinBox *&spinBoxZonePOnVol_4 = spinBoxZonePOnVolN[4];
    QSpinBox *&spinBoxZonePOnVol_5 = spinBoxZonePOnVolN[5];
    QSpinBox *&spinBoxZonePOnVol_6 = spinBoxZonePOnVolN[6];
    QSpinBox *&spinBoxZonePOnVol_7 = spinBoxZonePOnVolN[7];
    QSpinBox *&spinBoxZonePOnVol_8 = spinBoxZonePOnVolN[8];
    QSpinBox *&spinBoxZonePOnVol_9 = spinBoxZonePOnVolN[9];
    QSpinBox *&spinBoxZonePOnVol_10 = spinBoxZonePOnVolN[10];
    QSpinBox *&spinBoxZonePOnVol_11 = spinBoxZonePOnVolN[11];
    QSpinBox *&spinBoxZonePOnVol_12 = spinBoxZonePOnVolN[12];
    QSpinBox *&spinBoxZonePOnVol_13 = spinBoxZonePOnVolN[13];
    QSpinBox *&spinBoxZonePOnVol_14 = spinBoxZonePOnVolN[14];
    QSpinBox *&spinBoxZonePOnVol_15 = spinBoxZonePOnVolN[15];
    QSpinBox *&spinBoxZonePOnVol_16 = spinBoxZonePOnVolN[16];

    // DSP page
    QLabel *&labelDSPEQ_1 = labelDSPEQN[1];
    QLabel *&labelDSPEQ_2 = labelDSPEQN[2];
    QLabel *&labelDSPEQ_3 = labelDSPEQN[3];
    QLabel *&labelDSPEQ_4 = labelDSPEQN[4];
    QLabel *&labelDSPEQ_5 = labelDSPEQN[5];
    QLabel *&labelDSPEQ_6 = labelDSPEQN[6];
    QLabel *&labelDSPEQ_7 = labelDSPEQN[7];
    QLabel *&labelDSPEQ_8 = labelDSPEQN[8];
    QLabel *&labelDSPEQ_9 = labelDSPEQN[9];
    QLabel *&labelDSPEQ_10 = labelDSPEQN[10];

    QSlider *&sliderDSPEQ_1 = sliderDSPEQN[1];
    QSlider *&sliderDSPEQ_2 = sliderDSPEQN[2];
    QSlider *&sliderDSPEQ_3 = sliderDSPEQN[3];
    QSlider *&sliderDSPEQ_4 = sliderDSPEQN[4];
    QSlider *&sliderDSPEQ_5 = sliderDSPEQN[5];
    QSlider *&sliderDSPEQ_6 = sliderDSPEQN[6];
    QSlider *&sliderDSPEQ_7 = sliderDSPEQN[7];
    QSlider *&sliderDSPEQ_8 = sliderDSPEQN[8];
    QSlider *&sliderDSPEQ_9 = sliderDSPEQN[9];
    QSlider *&sliderDSPEQ_10 = sliderDSPEQN[10];

    QLabel *&labelDSPEQVal_1 = labelDSPEQValN[1];
    QLabel *&labelDSPEQVal_2 = labelDSPEQValN[2];
    QLabel *&labelDSPEQVal_3 = labelDSPEQValN[3];
    QLabel *&labelDSPEQVal_4 = labelDSPEQValN[4];
    QLabel *&labelDSPEQVal_5 = labelDSPEQValN[5];
    QLabel *&labelDSPEQVal_6 = labelDSPEQValN[6];
    QLabel *&labelDSPEQVal_7 = labelDSPEQValN[7];
    QLabel *&labelDSPEQVal_8 = labelDSPEQValN[8];
    QLabel *&labelDSPEQVal_9 = labelDSPEQValN[9];
    QLabel *&labelDSPEQVal_10 = labelDSPEQValN[10];

    // Groups page
    QCheckBox *&checkBoxGroupZone_1 = checkBoxGroupZoneN[1];
    QCheckBox *&checkBoxGroupZone_2 = checkBoxGroupZoneN[2];
    QCheckBox *&checkBoxGroupZone_3 = checkBoxGroupZoneN[3];
    QCheckBox *&checkBoxGroupZone_4 = checkBoxGroupZoneN[4];
    QCheckBox *&checkBoxGroupZone_5 = checkBoxGroupZoneN[5];
    QCheckBox *&checkBoxGroupZone_6 = checkBoxGroupZoneN[6];
    QCheckBox *&checkBoxGroupZone_7 = checkBoxGroupZoneN[7];
    QCheckBox *&checkBoxGroupZone_8 = checkBoxGroupZoneN[8];
    QCheckBox *&checkBoxGroupZone_9 = checkBoxGroupZoneN[9];
    QCheckBox *&checkBoxGroupZone_10 = checkBoxGroupZoneN[10];
    QCheckBox *&checkBoxGroupZone_11 = checkBoxGroupZoneN[11];
    QCheckBox *&checkBoxGroupZone_12 = checkBoxGroupZoneN[12];
    QCheckBox *&checkBoxGroupZone_13 = checkBoxGroupZoneN[13];
    QCheckBox *&checkBoxGroupZone_14 = checkBoxGroupZoneN[14];
    QCheckBox *&checkBoxGroupZone_15 = checkBoxGroupZoneN[15];
    QCheckBox *&checkBoxGroupZone_16 = checkBoxGroupZoneN[16];

    // Favorites page
    QLabel *&labelFavoriteZone_1 = labelFavoriteZoneN[1];
    QLabel *&labelFavoriteZone_2 = labelFavoriteZoneN[2];
    QLabel *&labelFavoriteZone_3 = labelFavoriteZoneN[3];
    QLabel *&labelFavoriteZone_4 = labelFavoriteZoneN[4];
    QLabel *&labelFavoriteZone_5 = labelFavoriteZoneN[5];
    QLabel *&labelFavoriteZone_6 = labelFavoriteZoneN[6];
    QLabel *&labelFavoriteZone_7 = labelFavoriteZoneN[7];
    QLabel *&labelFavoriteZone_8 = labelFavoriteZoneN[8];
    QLabel *&labelFavoriteZone_9 = labelFavoriteZoneN[9];
    QLabel *&labelFavoriteZone_10 = labelFavoriteZoneN[10];
    QLabel *&labelFavoriteZone_11 = labelFavoriteZoneN[11];
    QLabel *&labelFavoriteZone_12 = labelFavoriteZoneN[12];
    QLabel *&labelFavoriteZone_13 = labelFavoriteZoneN[13];
    QLabel *&labelFavoriteZone_14 = labelFavoriteZoneN[14];
    QLabel *&labelFavoriteZone_15 = labelFavoriteZoneN[15];
    QLabel *&labelFavoriteZone_16 = labelFavoriteZoneN[16];

    QCheckBox *&checkBoxFavoriteBypass_1 = checkBoxFavoriteBypassN[1];
    QCheckBox *&checkBoxFavoriteBypass_2 = checkBoxFavoriteBypassN[2];
    QCheckBox *&checkBoxFavoriteBypass_3 = checkBoxFavoriteBypassN[3];
    QCheckBox *&checkBoxFavoriteBypass_4 = checkBoxFavoriteBypassN[4];
    QCheckBox *&checkBoxFavoriteBypass_5 = checkBoxFavoriteBypassN[5];
    QCheckBox *&checkBoxFavoriteBypass_6 = checkBoxFavoriteBypassN[6];
    QCheckBox *&checkBoxFavoriteBypass_7 = checkBoxFavoriteBypassN[7];
    QCheckBox *&checkBoxFavoriteBypass_8 = checkBoxFavoriteBypassN[8];
    QCheckBox *&checkBoxFavoriteBypass_9 = checkBoxFavoriteBypassN[9];
    QCheckBox *&checkBoxFavoriteBypass_10 = checkBoxFavoriteBypassN[10];
    QCheckBox *&checkBoxFavoriteBypass_11 = checkBoxFavoriteBypassN[11];
    QCheckBox *&checkBoxFavoriteBypass_12 = checkBoxFavoriteBypassN[12];
    QCheckBox *&checkBoxFavoriteBypass_13 = checkBoxFavoriteBypassN[13];
    QCheckBox *&checkBoxFavoriteBypass_14 = checkBoxFavoriteBypassN[14];
    QCheckBox *&checkBoxFavoriteBypass_15 = checkBoxFavoriteBypassN[15];
    QCheckBox *&checkBoxFavoriteBypass_16 = checkBoxFavoriteBypassN[16];

    QComboBox *&comboBoxFavoriteSource_1 = comboBoxFavoriteSourceN[1];
    QComboBox *&comboBoxFavoriteSource_2 = comboBoxFavoriteSourceN[2];
    QComboBox *&comboBoxFavoriteSource_3 = comboBoxFavoriteSourceN[3];
    QComboBox *&comboBoxFavoriteSource_4 = comboBoxFavoriteSourceN[4];
    QComboBox *&comboBoxFavoriteSource_5 = comboBoxFavoriteSourceN[5];
    QComboBox *&comboBoxFavoriteSource_6 = comboBoxFavoriteSourceN[6];
    QComboBox *&comboBoxFavoriteSource_7 = comboBoxFavoriteSourceN[7];
    QComboBox *&comboBoxFavoriteSource_8 = comboBoxFavoriteSourceN[8];
    QComboBox *&comboBoxFavoriteSource_9 = comboBoxFavoriteSourceN[9];
    QComboBox *&comboBoxFavoriteSource_10 = comboBoxFavoriteSourceN[10];
    QComboBox *&comboBoxFavoriteSource_11 = comboBoxFavoriteSourceN[11];
    QComboBox *&comboBoxFavoriteSource_12 = comboBoxFavoriteSourceN[12];
    QComboBox *&comboBoxFavoriteSource_13 = comboBoxFavoriteSourceN[13];
    QComboBox *&comboBoxFavoriteSource_14 = comboBoxFavoriteSourceN[14];
    QComboBox *&comboBoxFavoriteSource_15 = comboBoxFavoriteSourceN[15];
    QComboBox *&comboBoxFavoriteSource_16 = comboBoxFavoriteSourceN[16];

    // Troubleshooting page
    QGroupBox *&groupBoxZone_1 = groupBoxZoneN[1];
    QGroupBox *&groupBoxZone_2 = groupBoxZoneN[2];
    QGroupBox *&groupBoxZone_3 = groupBoxZoneN[3];
    QGroupBox *&groupBoxZone_4 = groupBoxZoneN[4];
    QGroupBox *&groupBoxZone_5 = groupBoxZoneN[5];
    QGroupBox *&groupBoxZone_6 = groupBoxZoneN[6];
    QGroupBox *&groupBoxZone_7 = groupBoxZoneN[7];
    QGroupBox *&groupBoxZone_8 = groupBoxZoneN[8];
    QGroupBox *&groupBoxZone_9 = groupBoxZoneN[9];
    QGroupBox *&groupBoxZone_10 = groupBoxZoneN[10];
    QGroupBox *&groupBoxZone_11 = groupBoxZoneN[11];
    QGroupBox *&groupBoxZone_12 = groupBoxZoneN[12];
    QGroupBox *&groupBoxZone_13 = groupBoxZoneN[13];
    QGroupBox *&groupBoxZone_14 = groupBoxZoneN[14];
    QGroupBox *&groupBoxZone_15 = groupBoxZoneN[15];
    QGroupBox *&groupBoxZone_16 = groupBoxZoneN[16];

    QLabel *&labelSourceZone_1 = labelSourceZoneN[1];
    QLabel *&labelSourceZone_2 = labelSourceZoneN[2];
    QLabel *&labelSourceZone_3 = labelSourceZoneN[3];
    QLabel *&labelSourceZone_4 = labelSourceZoneN[4];
    QLabel *&labelSourceZone_5 = labelSourceZoneN[5];
    QLabel *&labelSourceZone_6 = labelSourceZoneN[6];
    QLabel *&labelSourceZone_7 = labelSourceZoneN[7];
    QLabel *&labelSourceZone_8 = labelSourceZoneN[8];
    QLabel *&labelSourceZone_9 = labelSourceZoneN[9];
    QLabel *&labelSourceZone_10 = labelSourceZoneN[10];
    QLabel *&labelSourceZone_11 = labelSourceZoneN[11];
    QLabel *&labelSourceZone_12 = labelSourceZoneN[12];
    QLabel *&labelSourceZone_13 = labelSourceZoneN[13];
    QLabel *&labelSourceZone_14 = labelSourceZoneN[14];
    QLabel *&labelSourceZone_15 = labelSourceZoneN[15];
    QLabel *&labelSourceZone_16 = labelSourceZoneN[16];

    QLabel *&labelLeftZone_1 = labelLeftZoneN[1];
    QLabel *&labelLeftZone_2 = labelLeftZoneN[2];
    QLabel *&labelLeftZone_3 = labelLeftZoneN[3];
    QLabel *&labelLeftZone_4 = labelLeftZoneN[4];
    QLabel *&labelLeftZone_5 = labelLeftZoneN[5];
    QLabel *&labelLeftZone_6 = labelLeftZoneN[6];
    QLabel *&labelLeftZone_7 = labelLeftZoneN[7];
    QLabel *&labelLeftZone_8 = labelLeftZoneN[8];
    QLabel *&labelLeftZone_9 = labelLeftZoneN[9];
    QLabel *&labelLeftZone_10 = labelLeftZoneN[10];
    QLabel *&labelLeftZone_11 = labelLeftZoneN[11];
    QLabel *&labelLeftZone_12 = labelLeftZoneN[12];
    QLabel *&labelLeftZone_13 = labelLeftZoneN[13];
    QLabel *&labelLeftZone_14 = labelLeftZoneN[14];
    QLabel *&labelLeftZone_15 = labelLeftZoneN[15];
    QLabel *&labelLeftZone_16 = labelLeftZoneN[16];

    QLabel *&labelRightzone_1 = labelRightzoneN[1];
    QLabel *&labelRightzone_2 = labelRightzoneN[2];
    QLabel *&labelRightzone_3 = labelRightzoneN[3];
    QLabel *&labelRightzone_4 = labelRightzoneN[4];
    QLabel *&labelRightzone_5 = labelRightzoneN[5];
    QLabel *&labelRightzone_6 = labelRightzoneN[6];
    QLabel *&labelRightzone_7 = labelRightzoneN[7];
    QLabel *&labelRightzone_8 = labelRightzoneN[8];
    QLabel *&labelRightzone_9 = labelRightzoneN[9];
    QLabel *&labelRightzone_10 = labelRightzoneN[10];
    QLabel *&labelRightzone_11 = labelRightzoneN[11];
    QLabel *&labelRightzone_12 = labelRightzoneN[12];
    QLabel *&labelRightzone_13 = labelRightzoneN[13];
    QLabel *&labelRightzone_14 = labelRightzoneN[14];
    QLabel *&labelRightzone_15 = labelRightzoneN[15];
    QLabel *&labelRightzone_16 = labelRightzoneN[16];

    QProgressBar *&progressBarLeftZone_1 = progressBarLeftZoneN[1];
    QProgressBar *&progressBarLeftZone_2 = progressBarLeftZoneN[2];
    QProgressBar *&progressBarLeftZone_3 = progressBarLeftZoneN[3];
    QProgressBar *&progressBarLeftZone_4 = progressBarLeftZoneN[4];
    QProgressBar *&progressBarLeftZone_5 = progressBarLeftZoneN[5];
    QProgressBar *&progressBarLeftZone_6 = progressBarLeftZoneN[6];
    QProgressBar *&progressBarLeftZone_7 = progressBarLeftZoneN[7];
    QProgressBar *&progressBarLeftZone_8 = progressBarLeftZoneN[8];
    QProgressBar *&progressBarLeftZone_9 = progressBarLeftZoneN[9];
    QProgressBar *&progressBarLeftZone_10 = progressBarLeftZoneN[10];
    QProgressBar *&progressBarLeftZone_11 = progressBarLeftZoneN[11];
    QProgressBar *&progressBarLeftZone_12 = progressBarLeftZoneN[12];
    QProgressBar *&progressBarLeftZone_13 = progressBarLeftZoneN[13];
    QProgressBar *&progressBarLeftZone_14 = progressBarLeftZoneN[14];
    QProgressBar *&progressBarLeftZone_15 = progressBarLeftZoneN[15];
    QProgressBar *&progressBarLeftZone_16 = progressBarLeftZoneN[16];

    QProgressBar *&progressBarRightZone_1 = progressBarRightZoneN[1];
    QProgressBar *&progressBarRightZone_2 = progressBarRightZoneN[2];
    QProgressBar *&progressBarRightZone_3 = progressBarRightZoneN[3];
    QProgressBar *&progressBarRightZone_4 = progressBarRightZoneN[4];
    QProgressBar *&progressBarRightZone_5 = progressBarRightZoneN[5];
    QProgressBar *&progressBarRightZone_6 = progressBarRightZoneN[6];
    QProgressBar *&progressBarRightZone_7 = progressBarRightZoneN[7];
    QProgressBar *&progressBarRightZone_8 = progressBarRightZoneN[8];
    QProgressBar *&progressBarRightZone_9 = progressBarRightZoneN[9];
    QProgressBar *&progressBarRightZone_10 = progressBarRightZoneN[10];
    QProgressBar *&progressBarRightZone_11 = progressBarRightZoneN[11];
    QProgressBar *&progressBarRightZone_12 = progressBarRightZoneN[12];
    QProgressBar *&progressBarRightZone_13 = progressBarRightZoneN[13];
    QProgressBar *&progressBarRightZone_14 = progressBarRightZoneN[14];
    QProgressBar *&progressBarRightZone_15 = progressBarRightZoneN[15];
    QProgressBar *&progressBarRightZone_16 = progressBarRightZoneN[16];

private:
    void setupActions(QMainWindow *zor_config);
    void setupSourcePage();
    void setupZonePage();
    void setupDspPage();
    void setupNetworkPage();
    void setupGroupsPage();
    void setupFavoritesPage();
    void setupTroubleshootingPage();
    void setupMenus(QMainWindow *zor_config);
    void connectForm();
};

namespace Ui {
class zor_config : public Ui_zor_config
{
};
} // namespace Ui

#endif // ZOR_CONFIG_FORM_H
