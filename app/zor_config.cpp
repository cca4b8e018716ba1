// Construction, destruction and wiring of the main window.
#include "app/zor_config.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTcpSocket>

#include "forms/zor_config_form.h"
#include "plot/dsp.h"
#include "protocol/reply_targets.h"

namespace {

QStringList numberedNames(const QString &prefix, int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << prefix + QString::number(i);
    return names;
}

} // namespace

zor_config::zor_config(QWidget *parent)
    : QMainWindow(parent), eqBandFrequency{32, 64, 125, 250, 500, 1000, 2000, 4000, 8000, 16000},
      ui(new Ui_zor_config)
{
    qRegisterMetaType<QAbstractSocket::SocketError>("QAbstractSocket::SocketError");

    ui->setupUi(this);
    setWindowTitle(tr("ZOR Setup Utility - Version ") + QStringLiteral("2.2"));

    // Exit quits, once edits that exist nowhere else are saved or given up.
    connect(ui->actionExit, &QAction::triggered, this, &zor_config::exitApplication);
    connect(ui->actionReceiveAll, &QAction::triggered, this, &zor_config::sendQueryAll);
    connect(ui->actionSendAll, &QAction::triggered, this, &zor_config::sendAll);
    connect(ui->actionSave, &QAction::triggered, this, &zor_config::saveFile);
    connect(ui->actionLoad, &QAction::triggered, this, &zor_config::loadFile);
    connect(ui->actionExportReport, &QAction::triggered, this, &zor_config::exportReport);
    // A report is written when a Save could be.
    connect(ui->actionSave, &QAction::changed, this,
            [this] { ui->actionExportReport->setEnabled(ui->actionSave->isEnabled()); });
    wireRuns();

    consoleWindow = new console(this);
    connect(ui->actionConsole, &QAction::triggered, consoleWindow, &QWidget::show);
    connect(this, &zor_config::sendReceivedData, consoleWindow, &console::inputReceiveData);
    connect(this, &zor_config::sendSentData, consoleWindow, &console::inputSentData);

    statusLabel.setText(tr("No Connection"));
    ui->statusBar->addPermanentWidget(&statusLabel, 0);

    dspPlot = new dsp(ui->graphicsView);
    ui->graphicsView->installEventFilter(this);

    serialPort.setBaudRate(QSerialPort::Baud9600, QSerialPort::AllDirections);
    serialPort.setDataBits(QSerialPort::Data8);
    serialPort.setParity(QSerialPort::NoParity);
    serialPort.setStopBits(QSerialPort::OneStop);
    serialPort.setFlowControl(QSerialPort::NoFlowControl);
    connect(&serialPort, &QSerialPort::readyRead, this, &zor_config::serialReadData);

    connect(ui->actionSerial, &QAction::triggered, &serialDialog, &QDialog::exec);
    connect(&serialDialog, &QDialog::rejected, this, &zor_config::serialCheck);
    connect(&serialDialog, &serial_dialog::portNameSelected, this, &zor_config::serialOpen);

    tcpSocket = new QTcpSocket(this);
    connect(tcpSocket, &QTcpSocket::readyRead, this, &zor_config::telnetReadData);
    // A failed connection attempt is ended before its error is shown.
    connect(tcpSocket, &QAbstractSocket::errorOccurred, this, &zor_config::telnetConnectFailed);
    connect(tcpSocket, &QAbstractSocket::errorOccurred, this, &zor_config::telnetSocketError);
    connect(tcpSocket, &QAbstractSocket::connected, this, &zor_config::telnetConnected);
    // The limits are waited out in full, not up to 5% short as a coarse timer may.
    connectTimer.setSingleShot(true);
    connectTimer.setTimerType(Qt::PreciseTimer);
    connect(&connectTimer, &QTimer::timeout, this, &zor_config::telnetConnectTimedOut);

    connect(ui->actionTelnet, &QAction::triggered, &telnetDialog, &QDialog::exec);
    connect(&telnetDialog, &QDialog::rejected, this, &zor_config::telnetCheck);
    connect(&telnetDialog, &telnet_dialog::portIPSelected, this, &zor_config::telnetOpen);
    telnetDialog.showErrorsOver(this);

    sourceNamesModel.setStringList(numberedNames(QStringLiteral("Source Name "), 16));
    std::fill(std::begin(sourceNameChanged), std::end(sourceNameChanged), false);
    zoneNamesModel.setStringList(numberedNames(QStringLiteral("Zone Name "), 16));
    std::fill(std::begin(zoneNameChanged), std::end(zoneNameChanged), false);
    presetNamesModel.setStringList(numberedNames(QStringLiteral("Preset Name "), 10));

    wireFamilies();

    for (ZoneDspSettings &zone : zoneDsp)
        zone = ZoneDspSettings{Disabled, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0, 100, 100};

    connect(ui->comboBoxDSPMode, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &zor_config::comboBoxDSPModeChange);
    connect(ui->sliderDSPBass, &QSlider::valueChanged, this, &zor_config::sliderDSPBassChange);
    connect(ui->sliderDSPTreble, &QSlider::valueChanged, this, &zor_config::sliderDSPTrebleChange);
    connect(ui->sliderDSPLowpass, &QSlider::valueChanged, this, &zor_config::sliderDSPLowpassChange);
    connect(ui->sliderDSPHighpass, &QSlider::valueChanged, this, &zor_config::sliderDSPHighpassChange);

    // The zone list's handler is connected before row 0 becomes current, so
    // it runs once now and loads zone 1 into the DSP page.
    ui->listViewDSPZone->setModel(&zoneNamesModel);
    connect(ui->listViewDSPZone->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &zor_config::listViewDSPZoneChange);
    ui->listViewDSPZone->setCurrentIndex(zoneNamesModel.index(0, 0));

    for (auto &preset : presetEq)
        std::fill(std::begin(preset), std::end(preset), 0);
    ui->listViewDSPPreset->setModel(&presetNamesModel);
    connect(ui->listViewDSPPreset, &QAbstractItemView::pressed, this, &zor_config::listViewDSPPresetChange);
    connect(&presetNamesModel, &QAbstractItemModel::dataChanged, this, &zor_config::presetNamesModelChange);

    wireFamily<QSlider>("sliderDSPEQ", &QSlider::valueChanged, &zor_config::sliderDSPEqChange);

    connect(ui->checkBoxNetworkDHCP, &QCheckBox::toggled, this, &zor_config::checkBoxNetworkDHCPChange);
    connect(ui->checkBoxNetworkDHCP, &QCheckBox::toggled, ui->groupBoxNetworkStatic, &QWidget::setDisabled);
    connect(ui->checkBoxNetworkSDDP, &QCheckBox::toggled, this, &zor_config::checkBoxNetworkSDDPChange);
    connect(ui->pushButtonNetworkCommit, &QPushButton::clicked, this, &zor_config::pushButtonNetworkCommit);
    connect(ui->lineEditNetworkIP, &QLineEdit::editingFinished, this, &zor_config::lineEditNetworkIPChange);
    connect(ui->lineEditNetworkIP, &QLineEdit::textEdited, this, &zor_config::lineEditNetworkIPChangeFlag);
    connect(ui->lineEditNetworkGateway, &QLineEdit::editingFinished, this,
            &zor_config::lineEditNetworkGatewayChange);
    connect(ui->lineEditNetworkGateway, &QLineEdit::textEdited, this,
            &zor_config::lineEditNetworkGatewayChangeFlag);
    connect(ui->lineEditNetworkMask, &QLineEdit::editingFinished, this,
            &zor_config::lineEditNetworkMaskChange);
    connect(ui->lineEditNetworkMask, &QLineEdit::textEdited, this,
            &zor_config::lineEditNetworkMaskChangeFlag);
    networkIpChanged = false;
    networkGatewayChanged = false;
    networkMaskChanged = false;

    connect(ui->sliderFPBrightness, &QSlider::valueChanged, this, &zor_config::sliderFPBrightnessChanged);
    connect(ui->sliderFPSleep, &QSlider::valueChanged, this, &zor_config::sliderFPSleepChanged);
    connect(ui->checkBoxFPIR, &QCheckBox::toggled, this, &zor_config::checkBoxFPIRChanged);
    connect(ui->checkBoxFPLock, &QCheckBox::toggled, this, &zor_config::checkBoxFPLockChanged);
    connect(ui->checkBoxSerial, &QCheckBox::toggled, this, &zor_config::checkBoxSerialChanged);
    connect(ui->comboBoxTriggerMode, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &zor_config::comboBoxTriggerModeChanged);
    connect(ui->sliderTriggerLevel, &QSlider::valueChanged, this, &zor_config::sliderTriggerLevelChanged);
    connect(ui->sliderTriggerTime, &QSlider::valueChanged, this, &zor_config::sliderTriggerTimeChanged);

    // Group and favorite lists get row 0 before their handlers are connected,
    // so no handler runs during construction.
    groupNamesModel.setStringList(numberedNames(QStringLiteral("Group Name "), 10));
    std::fill(std::begin(groupZones), std::end(groupZones), 0);
    ui->listViewGroup->setModel(&groupNamesModel);
    ui->listViewGroup->setCurrentIndex(groupNamesModel.index(0, 0));
    connect(ui->listViewGroup->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &zor_config::listViewGroupChange);
    connect(&groupNamesModel, &QAbstractItemModel::dataChanged, this, &zor_config::groupNamesModelChange);

    wireFamily<QCheckBox>("checkBoxGroupZone", &QCheckBox::toggled, &zor_config::checkBoxGroupZoneChange);

    favoriteNamesModel.setStringList(numberedNames(QStringLiteral("Favorite Name "), 10));
    for (auto &favorite : favoriteSource)
        std::fill(std::begin(favorite), std::end(favorite), FavoriteBypass);
    ui->listViewFavorites->setModel(&favoriteNamesModel);
    ui->listViewFavorites->setCurrentIndex(favoriteNamesModel.index(0, 0));
    connect(ui->listViewFavorites->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &zor_config::listViewFavoriteChange);
    connect(&favoriteNamesModel, &QAbstractItemModel::dataChanged, this,
            &zor_config::favoriteNamesModelChange);

    wireSourceCombos("comboBoxFavoriteSource", &zor_config::comboBoxFavoriteSourceChange);
    wireFamily<QCheckBox>("checkBoxFavoriteBypass", &QCheckBox::toggled,
                          &zor_config::checkBoxFavoriteBypassChange);

    connect(ui->pushButtonPollOutputLevels, &QPushButton::clicked, this,
            &zor_config::pushButtonPollOutputLevels);
    connect(ui->pushButtonMaxAllVolumes, &QPushButton::clicked, this, &zor_config::pushButtonMaxAllVolumes);
    connect(ui->pushButtonSetOneToOne, &QPushButton::clicked, this, &zor_config::pushButtonSetOneToOne);
    constructing = false;
    installNameGuards();
    wireLevelPolling();
    connect(ui->menuRecentFiles, &QMenu::aboutToShow, this, &zor_config::fillRecentFiles);
    fillRecentFiles();
    // Last: the history starts from the settings the window now shows (read
    // through the numbered widgets, found once now).
    numberedWidgets();
    wireHistory();
}

// Family wiring: every widget of the family's class whose object name
// contains the prefix, numbered or not. Unique connections make a second run
// connect only widgets that were not wired yet.
template <typename Widget, typename Signal, typename Slot>
void zor_config::wireFamily(const char *prefix, Signal signal, Slot slot)
{
    for (Widget *widget : findChildren<Widget *>(QRegularExpression(QLatin1String(prefix))))
        connect(widget, signal, this, slot, Qt::UniqueConnection);
}

void zor_config::wireSourceCombos(const char *prefix, void (zor_config::*slot)(int))
{
    for (QComboBox *combo : findChildren<QComboBox *>(QRegularExpression(QLatin1String(prefix)))) {
        combo->setModel(&sourceNamesModel);
        connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this, slot, Qt::UniqueConnection);
    }
}

void zor_config::wireFamilies()
{
    wireFamily<QLineEdit>("lineEditSourceName", &QLineEdit::editingFinished,
                          &zor_config::lineEditSourceNameChange);
    wireFamily<QLineEdit>("lineEditSourceName", &QLineEdit::textEdited,
                          &zor_config::lineEditSourceNameChangeFlag);
    wireFamily<QLineEdit>("lineEditZoneName", &QLineEdit::editingFinished,
                          &zor_config::lineEditZoneNameChange);
    wireFamily<QLineEdit>("lineEditZoneName", &QLineEdit::textEdited,
                          &zor_config::lineEditZoneNameChangeFlag);
    wireFamily<QSlider>("sliderZoneVol", &QSlider::valueChanged, &zor_config::sliderZoneVolChange);
    wireFamily<QCheckBox>("checkBoxZoneMute", &QCheckBox::toggled, &zor_config::checkBoxZoneMuteChange);
    wireFamily<QCheckBox>("checkBoxZoneFix", &QCheckBox::toggled, &zor_config::checkBoxZoneFixChange);
    wireSourceCombos("comboBoxZoneSource", &zor_config::comboBoxZoneSourceChange);
    wireFamily<QCheckBox>("checkBoxZonePower", &QCheckBox::toggled, &zor_config::checkBoxZonePowerChange);
    wireFamily<QSpinBox>("spinBoxZonePOnVol", qOverload<int>(&QSpinBox::valueChanged),
                         &zor_config::spinBoxZonePOnVolChange);
    wireFamily<QSpinBox>("spinBoxZoneBal", qOverload<int>(&QSpinBox::valueChanged),
                         &zor_config::spinBoxZoneBalChange);
    if (!constructing) {
        // The families that construction wires later, next to their pages.
        wireFamily<QSlider>("sliderDSPEQ", &QSlider::valueChanged, &zor_config::sliderDSPEqChange);
        wireFamily<QCheckBox>("checkBoxGroupZone", &QCheckBox::toggled, &zor_config::checkBoxGroupZoneChange);
        wireSourceCombos("comboBoxFavoriteSource", &zor_config::comboBoxFavoriteSourceChange);
        wireFamily<QCheckBox>("checkBoxFavoriteBypass", &QCheckBox::toggled,
                              &zor_config::checkBoxFavoriteBypassChange);
    }
}

zor_config::~zor_config()
{
    // Tearing the window down hides it and moves the focus, which makes line
    // edits report editingFinished; no editor may run on a window that is
    // half destroyed.
    for (QWidget *widget : findChildren<QWidget *>())
        widget->blockSignals(true);
    // The history reports its clearing to the actions, which go with the form.
    undoHistory.blockSignals(true);
    undoHistory.clear();
    delete consoleWindow;
    consoleWindow = nullptr;
    delete dspPlot;
    dspPlot = nullptr;
    tcpSocket->deleteLater();
    delete ui;
    ui = nullptr;
    if (serialPort.isOpen())
        serialPort.close();
    configFile.cancelWriting();
}

ReplyTargets &zor_config::numberedWidgets()
{
    if (!replyTargets)
        replyTargets = std::make_unique<ReplyTargets>(this);
    return *replyTargets;
}

bool zor_config::eventFilter(QObject *watched, QEvent *event)
{
    if (undoKeyIsWindows(watched, event))
        return true;
    if (event->type() == QEvent::Resize && dspPlot) {
        dspPlot->viewResized(ui->graphicsView);
        dspPlot->combineAndPlot();
        return false;
    }
    return QMainWindow::eventFilter(watched, event);
}
