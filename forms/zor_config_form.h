#ifndef ZOR_CONFIG_FORM_H
#define ZOR_CONFIG_FORM_H

// Placeholder form: only the single widgets the window wires by member.
// The complete form replaces this file.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsView>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

class Ui_zor_config
{
public:
    QAction *actionLoad, *actionSave, *actionExit, *actionSerial, *actionTelnet, *actionReceiveAll,
        *actionSendAll, *actionConsole;
    QWidget *centralWidget;
    QTabWidget *tabWidget;
    QStatusBar *statusBar;
    QMenuBar *menuBar;
    QGraphicsView *graphicsView;
    QComboBox *comboBoxDSPMode, *comboBoxTriggerMode;
    QSlider *sliderDSPBass, *sliderDSPTreble, *sliderDSPLowpass, *sliderDSPHighpass, *sliderFPBrightness,
        *sliderFPSleep, *sliderTriggerLevel, *sliderTriggerTime;
    QListView *listViewDSPZone, *listViewDSPPreset, *listViewGroup, *listViewFavorites;
    QCheckBox *checkBoxNetworkDHCP, *checkBoxNetworkSDDP, *checkBoxFPIR, *checkBoxFPLock, *checkBoxSerial;
    QGroupBox *groupBoxNetworkStatic;
    QPushButton *pushButtonNetworkCommit, *pushButtonPollOutputLevels, *pushButtonMaxAllVolumes,
        *pushButtonSetOneToOne;
    QLineEdit *lineEditNetworkIP, *lineEditNetworkGateway, *lineEditNetworkMask;

    void setupUi(QMainWindow *w)
    {
        w->setObjectName(QStringLiteral("zor_config"));
        auto action = [w](const char *name) { auto *a = new QAction(w); a->setObjectName(name); return a; };
        actionLoad = action("actionLoad"); actionSave = action("actionSave"); actionExit = action("actionExit");
        actionSerial = action("actionSerial"); actionTelnet = action("actionTelnet");
        actionReceiveAll = action("actionReceiveAll"); actionSendAll = action("actionSendAll");
        actionConsole = action("actionConsole");
        centralWidget = new QWidget(w);
        auto *layout = new QVBoxLayout(centralWidget);
        tabWidget = new QTabWidget(centralWidget);
        layout->addWidget(tabWidget);
        auto *page = new QWidget();
        auto *pageLayout = new QVBoxLayout(page);
        tabWidget->addTab(page, QString());
        auto add = [&](auto *widget, const char *name) { widget->setObjectName(name); pageLayout->addWidget(widget); return widget; };
        graphicsView = add(new QGraphicsView(page), "graphicsView");
        comboBoxDSPMode = add(new QComboBox(page), "comboBoxDSPMode");
        comboBoxTriggerMode = add(new QComboBox(page), "comboBoxTriggerMode");
        sliderDSPBass = add(new QSlider(page), "sliderDSPBass");
        sliderDSPTreble = add(new QSlider(page), "sliderDSPTreble");
        sliderDSPLowpass = add(new QSlider(page), "sliderDSPLowpass");
        sliderDSPHighpass = add(new QSlider(page), "sliderDSPHighpass");
        sliderFPBrightness = add(new QSlider(page), "sliderFPBrightness");
        sliderFPSleep = add(new QSlider(page), "sliderFPSleep");
        sliderTriggerLevel = add(new QSlider(page), "sliderTriggerLevel");
        sliderTriggerTime = add(new QSlider(page), "sliderTriggerTime");
        listViewDSPZone = add(new QListView(page), "listViewDSPZone");
        listViewDSPPreset = add(new QListView(page), "listViewDSPPreset");
        listViewGroup = add(new QListView(page), "listViewGroup");
        listViewFavorites = add(new QListView(page), "listViewFavorites");
        checkBoxNetworkDHCP = add(new QCheckBox(page), "checkBoxNetworkDHCP");
        checkBoxNetworkSDDP = add(new QCheckBox(page), "checkBoxNetworkSDDP");
        checkBoxFPIR = add(new QCheckBox(page), "checkBoxFPIR");
        checkBoxFPLock = add(new QCheckBox(page), "checkBoxFPLock");
        checkBoxSerial = add(new QCheckBox(page), "checkBoxSerial");
        groupBoxNetworkStatic = add(new QGroupBox(page), "groupBoxNetworkStatic");
        pushButtonNetworkCommit = add(new QPushButton(page), "pushButtonNetworkCommit");
        pushButtonPollOutputLevels = add(new QPushButton(page), "pushButtonPollOutputLevels");
        pushButtonMaxAllVolumes = add(new QPushButton(page), "pushButtonMaxAllVolumes");
        pushButtonSetOneToOne = add(new QPushButton(page), "pushButtonSetOneToOne");
        lineEditNetworkIP = add(new QLineEdit(page), "lineEditNetworkIP");
        lineEditNetworkGateway = add(new QLineEdit(page), "lineEditNetworkGateway");
        lineEditNetworkMask = add(new QLineEdit(page), "lineEditNetworkMask");
        w->setCentralWidget(centralWidget);
        menuBar = new QMenuBar(w);
        w->setMenuBar(menuBar);
        statusBar = new QStatusBar(w);
        w->setStatusBar(statusBar);
    }
};

namespace Ui {
class zor_config : public Ui_zor_config {};
} // namespace Ui

#endif // ZOR_CONFIG_FORM_H
