// Builds the main window's widget tree. Families are built with loops in
// ascending number order; findChildren() returns children in creation order,
// so code that walks a family by search sees zone 1 first.
#include "forms/zor_config_form.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QEvent>
#include <QFont>
#include <QKeySequence>
#include <QMetaObject>
#include <QPainter>
#include <QSizePolicy>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("zor_config", text, nullptr);
}

// Object name of member n of a numbered family: prefix "_" n.
QString numbered(const char *prefix, int n)
{
    return QLatin1String(prefix) + QLatin1Char('_') + QString::number(n);
}

// The font of nearly every widget and action: family Arial, nothing else set,
// so sizes still come from the parent.
QFont arialFont()
{
    QFont font;
    font.setFamily(QStringLiteral("Arial"));
    return font;
}

// The smaller font of the front panel controls.
QFont arial8Font()
{
    QFont font;
    font.setFamily(QStringLiteral("Arial"));
    font.setPointSize(8);
    font.setBold(false);
    font.setItalic(false);
    font.setWeight(QFont::Normal);
    return font;
}

enum class Font { Arial, Inherit };

template <typename W> W *make(QWidget *parent, const QString &name, Font font = Font::Arial)
{
    auto *widget = new W(parent);
    widget->setObjectName(name);
    if (font == Font::Arial)
        widget->setFont(arialFont());
    return widget;
}

template <typename W> W *make(QWidget *parent, const char *name, Font font = Font::Arial)
{
    return make<W>(parent, QString::fromLatin1(name), font);
}

// A layout owned by a page, frame or group box: margins 11, spacing 6.
template <typename L> L *ownedLayout(QWidget *owner, const char *name)
{
    auto *layout = new L(owner);
    layout->setSpacing(6);
    layout->setContentsMargins(11, 11, 11, 11);
    layout->setObjectName(QString::fromLatin1(name));
    return layout;
}

// A layout nested inside another layout: no margins, spacing 6.
template <typename L> L *nestedLayout(const char *name)
{
    auto *layout = new L();
    layout->setSpacing(6);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setObjectName(QString::fromLatin1(name));
    return layout;
}

QLabel *centred(QLabel *label)
{
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void setSizePolicy(QWidget *widget, QSizePolicy::Policy horizontal, QSizePolicy::Policy vertical)
{
    QSizePolicy policy(horizontal, vertical);
    policy.setHorizontalStretch(0);
    policy.setVerticalStretch(0);
    policy.setHeightForWidth(widget->sizePolicy().hasHeightForWidth());
    widget->setSizePolicy(policy);
}

// A vertical DSP slider (EQ band, bass, treble): ticks on the left, reports
// its value only when released.
void setupVerticalDspSlider(QSlider *slider, int limit)
{
    slider->setMinimum(-limit);
    slider->setMaximum(limit);
    slider->setPageStep(5);
    slider->setValue(0);
    slider->setTracking(false);
    slider->setOrientation(Qt::Vertical);
    slider->setTickPosition(QSlider::TicksLeft);
}

// The front panel brightness and sleep sliders: four positions, starting at
// the last one, reporting while dragged.
void setupFrontPanelSlider(QSlider *slider)
{
    slider->setFont(arial8Font());
    slider->setMaximum(3);
    slider->setPageStep(1);
    slider->setValue(3);
    slider->setSliderPosition(3);
    slider->setTracking(true);
    slider->setOrientation(Qt::Horizontal);
    slider->setTickPosition(QSlider::TicksBelow);
}

constexpr char IpInputMask[] = "000.000.000.000;_";

#if QT_CONFIG(accessibility)
// A combo box and the list it pops up are named alike.
void setComboName(QComboBox *combo, const QString &name)
{
    combo->setAccessibleName(name);
    combo->view()->setAccessibleName(name);
}
#endif

// Grows every label under `page` to what its text needs at its font: a label
// placed at a fixed size keeps its position and that size as its least, but
// never clips its text (the default font, a longer source caption set by a
// reply or a translation may need more room than the fixed size gives).
void growLabelsToFit(QWidget *page)
{
    for (QLabel *label : page->findChildren<QLabel *>()) {
        const QSize needed = label->wordWrap() ? QSize(label->width(), label->heightForWidth(label->width()))
                                               : label->sizeHint();
        const QSize grown = label->size().expandedTo(needed);
        if (grown != label->size())
            label->resize(grown);
    }
}

// Keeps the labels of a page without layout fitted. Watching the page and its
// group boxes: a child label whose text or font changes asks its parent for a
// new layout (LayoutRequest, while shown), and a page shown again may have
// got another font while hidden.
class LabelFitter : public QObject
{
public:
    explicit LabelFitter(QWidget *page) : QObject(page), page(page)
    {
        page->installEventFilter(this);
        for (QGroupBox *box : page->findChildren<QGroupBox *>())
            box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::LayoutRequest:
        case QEvent::Show:
        case QEvent::FontChange:
        case QEvent::StyleChange:
            growLabelsToFit(page);
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *page;
};

} // namespace

void Ui_zor_config::setupUi(QMainWindow *zor_config)
{
    if (zor_config->objectName().isEmpty())
        zor_config->setObjectName(QStringLiteral("zor_config"));
    zor_config->resize(800, 719);
    zor_config->setStyleSheet(QStringLiteral(
        "#tabSource, #tabZone, #tabDSP, #tabGroups, #tabFavorites {\n"
        "    background-color: rgb(240, 240, 240);\n"
        "}\n"
        "QTabBar::tab {\n"
        "    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,\n"
        "                                stop: 0 rgb(230, 230, 230), stop: 0.4 rgb(230, 230, 230),\n"
        "                                stop: 0.5 rgb(215, 215, 215), stop: 1.0 rgb(215, 215, 215));\n"
        "    border: 1px solid rgb(137, 140, 149);\n"
        "    border-bottom-color: rgb(137, 140, 149);\n"
        "    border-top-left-radius: 0px;\n"
        "    border-top-right-radius: 0px;\n"
        "    padding: 5px;\n"
        "}\n"
        "QTabBar::tab:selected, QTabBar::tab:hover {\n"
        "    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,\n"
        "                                stop: 0 rgb(255, 255, 255), stop: 0.4 rgb(255, 255, 255),\n"
        "                                stop: 0.5 rgb(240, 240, 240), stop: 1.0 rgb(240, 240, 240));\n"
        "}"));

    setupActions(zor_config);

    centralWidget = make<QWidget>(zor_config, "centralWidget");
    gridLayout = ownedLayout<QGridLayout>(centralWidget, "gridLayout");
    tabWidget = make<QTabWidget>(centralWidget, "tabWidget");

    setupSourcePage();
    setupZonePage();
    setupDspPage();
    setupNetworkPage();
    setupGroupsPage();
    setupFavoritesPage();
    setupTroubleshootingPage();

    gridLayout->addWidget(tabWidget, 0, 0, 1, 1);
    zor_config->setCentralWidget(centralWidget);

    setupMenus(zor_config);

    retranslateUi(zor_config);
    connectForm();

    tabWidget->setCurrentIndex(0);

    QMetaObject::connectSlotsByName(zor_config);
}

void Ui_zor_config::setupActions(QMainWindow *zor_config)
{
    auto action = [zor_config](const char *name) {
        auto *created = new QAction(zor_config);
        created->setObjectName(QString::fromLatin1(name));
        created->setFont(arialFont());
        return created;
    };
    actionLoad = action("actionLoad");
    actionSave = action("actionSave");
    actionExportReport = action("actionExportReport");
    actionExit = action("actionExit");
    actionSerial = action("actionSerial");
    actionSerial->setCheckable(true);
    actionSerial->setChecked(false);
    actionTelnet = action("actionTelnet");
    actionTelnet->setCheckable(true);
    actionTelnet->setChecked(false);
    actionReceiveAll = action("actionReceiveAll");
    actionReceiveAll->setEnabled(false);
    actionSendAll = action("actionSendAll");
    actionSendAll->setEnabled(false);
    actionCompare = action("actionCompare");
    actionCompare->setEnabled(false);
    actionSendChanges = action("actionSendChanges");
    actionSendChanges->setEnabled(false);
    actionConsole = action("actionConsole");
    // Undo and redo name the step they take back or do again; they are
    // enabled while there is one.
    actionUndo = action("actionUndo");
    actionUndo->setEnabled(false);
    actionRedo = action("actionRedo");
    actionRedo->setEnabled(false);
    // The everyday keys; the menu texts keep their own mnemonics.
    actionLoad->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    actionSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    actionExportReport->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    actionExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    actionReceiveAll->setShortcut(QKeySequence(Qt::Key_F5));
    actionSendAll->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    actionConsole->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    actionUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    actionRedo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
}

void Ui_zor_config::setupSourcePage()
{
    tabSource = make<QWidget>(nullptr, "tabSource");
    gridLayout_2 = ownedLayout<QGridLayout>(tabSource, "gridLayout_2");

    labelSourceName = centred(make<QLabel>(tabSource, "labelSourceName"));
    gridLayout_2->addWidget(labelSourceName, 0, 1, 1, 2);

    for (int n = 1; n <= ZoneCount; ++n) {
        labelSourceNameN[n] = make<QLabel>(tabSource, numbered("labelSourceName", n));
        gridLayout_2->addWidget(labelSourceNameN[n], n, 0, 1, 1);

        lineEditSourceNameN[n] = make<QLineEdit>(tabSource, numbered("lineEditSourceName", n));
        lineEditSourceNameN[n]->setMaxLength(16);
        gridLayout_2->addWidget(lineEditSourceNameN[n], n, 2, 1, 1);
    }

    verticalSpacer = new QSpacerItem(20, 54, QSizePolicy::Minimum, QSizePolicy::Expanding);
    gridLayout_2->addItem(verticalSpacer, 17, 2, 1, 1);

    tabWidget->addTab(tabSource, QString());
}

void Ui_zor_config::setupZonePage()
{
    tabZone = make<QWidget>(nullptr, "tabZone");
    gridLayout_4 = ownedLayout<QGridLayout>(tabZone, "gridLayout_4");

    struct Header {
        QLabel *Ui_zor_config::*member;
        const char *name;
        int column;
    };
    static const Header headers[] = {
        {&Ui_zor_config::labelZoneName, "labelZoneName", 1},
        {&Ui_zor_config::labelZoneVol, "labelZoneVol", 2},
        {&Ui_zor_config::labelZoneMute, "labelZoneMute", 4},
        {&Ui_zor_config::labelZoneFix, "labelZoneFix", 5},
        {&Ui_zor_config::labelZoneBalance, "labelZoneBalance", 6},
        {&Ui_zor_config::labelZoneSource, "labelZoneSource", 7},
        {&Ui_zor_config::labelZonePower, "labelZonePower", 8},
        {&Ui_zor_config::labelZonePOnVol, "labelZonePOnVol", 9},
    };
    for (const Header &header : headers) {
        QLabel *label = centred(make<QLabel>(tabZone, header.name));
        this->*header.member = label;
        gridLayout_4->addWidget(label, 0, header.column, 1, 1);
    }

    // Zone n in row n, its widgets created in column order.
    for (int n = 1; n <= ZoneCount; ++n) {
        labelZoneN[n] = make<QLabel>(tabZone, numbered("labelZone", n));
        gridLayout_4->addWidget(labelZoneN[n], n, 0, 1, 1);

        QLineEdit *name = lineEditZoneNameN[n] = make<QLineEdit>(tabZone, numbered("lineEditZoneName", n));
        name->setMinimumSize(QSize(103, 0));
        name->setMaximumSize(QSize(103, 16777215));
        name->setMaxLength(16);
        gridLayout_4->addWidget(name, n, 1, 1, 1);

        QSlider *volume = sliderZoneVolN[n] = make<QSlider>(tabZone, numbered("sliderZoneVol", n));
        volume->setMinimum(-80);
        volume->setMaximum(0);
        volume->setValue(-40);
        volume->setTracking(false);
        volume->setOrientation(Qt::Horizontal);
        volume->setTickPosition(QSlider::TicksBelow);
        volume->setTickInterval(10);
        gridLayout_4->addWidget(volume, n, 2, 1, 1);

        labelZoneVolN[n] = centred(make<QLabel>(tabZone, numbered("labelZoneVol", n)));
        gridLayout_4->addWidget(labelZoneVolN[n], n, 3, 1, 1);

        checkBoxZoneMuteN[n] = make<QCheckBox>(tabZone, numbered("checkBoxZoneMute", n));
        checkBoxZoneMuteN[n]->setChecked(true);
        gridLayout_4->addWidget(checkBoxZoneMuteN[n], n, 4, 1, 1);

        checkBoxZoneFixN[n] = make<QCheckBox>(tabZone, numbered("checkBoxZoneFix", n));
        checkBoxZoneFixN[n]->setChecked(false);
        gridLayout_4->addWidget(checkBoxZoneFixN[n], n, 5, 1, 1);

        QSpinBox *balance = spinBoxZoneBalN[n] = make<QSpinBox>(tabZone, numbered("spinBoxZoneBal", n));
        balance->setMinimum(-80);
        balance->setMaximum(80);
        balance->setValue(0);
        gridLayout_4->addWidget(balance, n, 6, 1, 1);

        comboBoxZoneSourceN[n] = make<QComboBox>(tabZone, numbered("comboBoxZoneSource", n));
        comboBoxZoneSourceN[n]->setMinimumSize(QSize(121, 0));
        gridLayout_4->addWidget(comboBoxZoneSourceN[n], n, 7, 1, 1);

        checkBoxZonePowerN[n] = make<QCheckBox>(tabZone, numbered("checkBoxZonePower", n));
        checkBoxZonePowerN[n]->setChecked(true);
        gridLayout_4->addWidget(checkBoxZonePowerN[n], n, 8, 1, 1);

        QSpinBox *powerOn = spinBoxZonePOnVolN[n] = make<QSpinBox>(tabZone, numbered("spinBoxZonePOnVol", n));
        powerOn->setMinimum(-80);
        powerOn->setMaximum(0);
        powerOn->setValue(-40);
        gridLayout_4->addWidget(powerOn, n, 9, 1, 1);
    }

    tabWidget->addTab(tabZone, QString());
}

void Ui_zor_config::setupDspPage()
{
    tabDSP = make<QWidget>(nullptr, "tabDSP");
    gridLayout_8 = ownedLayout<QGridLayout>(tabDSP, "gridLayout_8");

    labelDSPZone = centred(make<QLabel>(tabDSP, "labelDSPZone"));
    gridLayout_8->addWidget(labelDSPZone, 0, 0, 1, 1);

    labelDSPMode = centred(make<QLabel>(tabDSP, "labelDSPMode"));
    gridLayout_8->addWidget(labelDSPMode, 0, 1, 1, 1);

    listViewDSPZone = make<QListView>(tabDSP, "listViewDSPZone");
    listViewDSPZone->setMinimumSize(QSize(0, 281));
    listViewDSPZone->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridLayout_8->addWidget(listViewDSPZone, 1, 0, 5, 1);

    comboBoxDSPMode = make<QComboBox>(tabDSP, "comboBoxDSPMode");
    gridLayout_8->addWidget(comboBoxDSPMode, 1, 1, 1, 1);

    labelDSPPreset = centred(make<QLabel>(tabDSP, "labelDSPPreset"));
    gridLayout_8->addWidget(labelDSPPreset, 2, 1, 1, 1);

    listViewDSPPreset = make<QListView>(tabDSP, "listViewDSPPreset");
    listViewDSPPreset->setEnabled(false);
    gridLayout_8->addWidget(listViewDSPPreset, 3, 1, 3, 1);

    auto frame = [this](const char *name) {
        QFrame *created = make<QFrame>(tabDSP, name);
        created->setEnabled(false);
        created->setFrameShape(QFrame::Panel);
        created->setFrameShadow(QFrame::Sunken);
        return created;
    };

    // Graphic equaliser: band n in column n - 1.
    frameDSPEQ = frame("frameDSPEQ");
    gridLayout_5 = ownedLayout<QGridLayout>(frameDSPEQ, "gridLayout_5");
    for (int n = 1; n <= BandCount; ++n) {
        labelDSPEQN[n] = centred(make<QLabel>(frameDSPEQ, numbered("labelDSPEQ", n)));
        gridLayout_5->addWidget(labelDSPEQN[n], 0, n - 1, 1, 1);

        sliderDSPEQN[n] = make<QSlider>(frameDSPEQ, numbered("sliderDSPEQ", n));
        setupVerticalDspSlider(sliderDSPEQN[n], 10);
        gridLayout_5->addWidget(sliderDSPEQN[n], 1, n - 1, 1, 1);

        labelDSPEQValN[n] = centred(make<QLabel>(frameDSPEQ, numbered("labelDSPEQVal", n)));
        gridLayout_5->addWidget(labelDSPEQValN[n], 2, n - 1, 1, 1);
    }
    gridLayout_8->addWidget(frameDSPEQ, 0, 2, 4, 2);

    frameDSPTone = frame("frameDSPTone");
    gridLayout_6 = ownedLayout<QGridLayout>(frameDSPTone, "gridLayout_6");
    labelDSPBass = centred(make<QLabel>(frameDSPTone, "labelDSPBass"));
    gridLayout_6->addWidget(labelDSPBass, 0, 0, 1, 1);
    labelDSPTreble = centred(make<QLabel>(frameDSPTone, "labelDSPTreble"));
    gridLayout_6->addWidget(labelDSPTreble, 0, 1, 1, 1);
    sliderDSPBass = make<QSlider>(frameDSPTone, "sliderDSPBass");
    setupVerticalDspSlider(sliderDSPBass, 12);
    sliderDSPBass->setTickInterval(0);
    gridLayout_6->addWidget(sliderDSPBass, 1, 0, 1, 1);
    sliderDSPTreble = make<QSlider>(frameDSPTone, "sliderDSPTreble");
    setupVerticalDspSlider(sliderDSPTreble, 12);
    sliderDSPTreble->setTickInterval(0);
    gridLayout_6->addWidget(sliderDSPTreble, 1, 1, 1, 1);
    labelDSPBassVal = centred(make<QLabel>(frameDSPTone, "labelDSPBassVal"));
    gridLayout_6->addWidget(labelDSPBassVal, 2, 0, 1, 1);
    labelDSPTrebleVal = centred(make<QLabel>(frameDSPTone, "labelDSPTrebleVal"));
    gridLayout_6->addWidget(labelDSPTrebleVal, 2, 1, 1, 1);
    gridLayout_8->addWidget(frameDSPTone, 4, 2, 2, 1);

    frameDSPLowpass = frame("frameDSPLowpass");
    gridLayout_3 = ownedLayout<QGridLayout>(frameDSPLowpass, "gridLayout_3");
    labelDSPLowpass = centred(make<QLabel>(frameDSPLowpass, "labelDSPLowpass"));
    gridLayout_3->addWidget(labelDSPLowpass, 0, 0, 1, 2);
    sliderDSPLowpass = make<QSlider>(frameDSPLowpass, "sliderDSPLowpass");
    sliderDSPLowpass->setMinimum(40);
    sliderDSPLowpass->setMaximum(240);
    sliderDSPLowpass->setPageStep(10);
    sliderDSPLowpass->setValue(100);
    sliderDSPLowpass->setTracking(false);
    sliderDSPLowpass->setOrientation(Qt::Horizontal);
    sliderDSPLowpass->setTickPosition(QSlider::TicksBelow);
    gridLayout_3->addWidget(sliderDSPLowpass, 1, 0, 1, 1);
    labelDSPLowpassVal = centred(make<QLabel>(frameDSPLowpass, "labelDSPLowpassVal"));
    gridLayout_3->addWidget(labelDSPLowpassVal, 1, 1, 1, 1);
    gridLayout_8->addWidget(frameDSPLowpass, 4, 3, 1, 1);

    // No value is set: the slider starts at its minimum, 100 Hz.
    frameDSPHighpass = frame("frameDSPHighpass");
    gridLayout_7 = ownedLayout<QGridLayout>(frameDSPHighpass, "gridLayout_7");
    labelHighpass = centred(make<QLabel>(frameDSPHighpass, "labelHighpass"));
    gridLayout_7->addWidget(labelHighpass, 0, 0, 1, 2);
    sliderDSPHighpass = make<QSlider>(frameDSPHighpass, "sliderDSPHighpass");
    sliderDSPHighpass->setMinimum(100);
    sliderDSPHighpass->setMaximum(20000);
    sliderDSPHighpass->setPageStep(100);
    sliderDSPHighpass->setTracking(false);
    sliderDSPHighpass->setOrientation(Qt::Horizontal);
    sliderDSPHighpass->setTickPosition(QSlider::TicksBelow);
    sliderDSPHighpass->setTickInterval(1000);
    gridLayout_7->addWidget(sliderDSPHighpass, 1, 0, 1, 1);
    labelDSPHighpassVal = centred(make<QLabel>(frameDSPHighpass, "labelDSPHighpassVal"));
    gridLayout_7->addWidget(labelDSPHighpassVal, 1, 1, 1, 1);
    gridLayout_8->addWidget(frameDSPHighpass, 5, 3, 1, 1);

    // The response plot attaches its own scene to this view.
    graphicsView = make<QGraphicsView>(tabDSP, "graphicsView");
    graphicsView->setFrameShape(QFrame::Panel);
    graphicsView->setMidLineWidth(1);
    graphicsView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    graphicsView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    graphicsView->setSizeAdjustPolicy(QAbstractScrollArea::AdjustIgnored);
    graphicsView->setBackgroundBrush(QBrush(QColor(0, 0, 0, 255), Qt::SolidPattern));
    graphicsView->setInteractive(false);
    graphicsView->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignVCenter);
    graphicsView->setRenderHints(QPainter::TextAntialiasing);
    graphicsView->setDragMode(QGraphicsView::NoDrag);
    graphicsView->setTransformationAnchor(QGraphicsView::NoAnchor);
    graphicsView->setResizeAnchor(QGraphicsView::NoAnchor);
    graphicsView->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    gridLayout_8->addWidget(graphicsView, 7, 0, 1, 4);

    tabWidget->addTab(tabDSP, QString());
}

void Ui_zor_config::setupNetworkPage()
{
    tabNetwork = make<QWidget>(nullptr, "tabNetwork");
    gridLayout_10 = ownedLayout<QGridLayout>(tabNetwork, "gridLayout_10");

    // Network settings: DHCP or a static address, commit, discovery.
    groupBox = make<QGroupBox>(tabNetwork, "groupBox");
    verticalLayout_3 = ownedLayout<QVBoxLayout>(groupBox, "verticalLayout_3");

    groupBoxNetwork = make<QGroupBox>(groupBox, "groupBoxNetwork");
    verticalLayout = ownedLayout<QVBoxLayout>(groupBoxNetwork, "verticalLayout");
    checkBoxNetworkDHCP = make<QCheckBox>(groupBoxNetwork, "checkBoxNetworkDHCP");
    checkBoxNetworkDHCP->setChecked(true);
    verticalLayout->addWidget(checkBoxNetworkDHCP);

    groupBoxNetworkStatic = make<QGroupBox>(groupBoxNetwork, "groupBoxNetworkStatic");
    groupBoxNetworkStatic->setEnabled(false);
    gridLayout_9 = ownedLayout<QGridLayout>(groupBoxNetworkStatic, "gridLayout_9");
    auto addressRow = [this](int row, QLabel *&caption, const char *captionName, QLineEdit *&edit,
                             const char *editName) {
        caption = make<QLabel>(groupBoxNetworkStatic, captionName);
        gridLayout_9->addWidget(caption, row, 0, 1, 1);
        edit = make<QLineEdit>(groupBoxNetworkStatic, editName);
        edit->setClearButtonEnabled(true);
        gridLayout_9->addWidget(edit, row, 1, 1, 1);
    };
    addressRow(0, labelNetworkIP, "labelNetworkIP", lineEditNetworkIP, "lineEditNetworkIP");
    addressRow(1, labelNetworkMask, "labelNetworkMask", lineEditNetworkMask, "lineEditNetworkMask");
    addressRow(2, labelNetworkGateway, "labelNetworkGateway", lineEditNetworkGateway,
               "lineEditNetworkGateway");
    verticalLayout->addWidget(groupBoxNetworkStatic);
    verticalLayout_3->addWidget(groupBoxNetwork);

    pushButtonNetworkCommit = make<QPushButton>(groupBox, "pushButtonNetworkCommit");
    pushButtonNetworkCommit->setMinimumSize(QSize(0, 40));
    verticalLayout_3->addWidget(pushButtonNetworkCommit);

    groupBoxNetworkSDDP = make<QGroupBox>(groupBox, "groupBoxNetworkSDDP");
    verticalLayout_2 = ownedLayout<QVBoxLayout>(groupBoxNetworkSDDP, "verticalLayout_2");
    checkBoxNetworkSDDP = make<QCheckBox>(groupBoxNetworkSDDP, "checkBoxNetworkSDDP");
    checkBoxNetworkSDDP->setChecked(true);
    verticalLayout_2->addWidget(checkBoxNetworkSDDP);
    verticalLayout_3->addWidget(groupBoxNetworkSDDP);

    gridLayout_10->addWidget(groupBox, 0, 0, 4, 1);

    // Front panel: brightness and sleep rows, IR and lock boxes.
    groupBoxFPControls = make<QGroupBox>(tabNetwork, "groupBoxFPControls");
    groupBoxFPControls->setFont(arial8Font());
    verticalLayout_4 = ownedLayout<QVBoxLayout>(groupBoxFPControls, "verticalLayout_4");

    horizontalLayout = nestedLayout<QHBoxLayout>("horizontalLayout");
    labelFPBrightness = make<QLabel>(groupBoxFPControls, "labelFPBrightness");
    horizontalLayout->addWidget(labelFPBrightness);
    sliderFPBrightness = make<QSlider>(groupBoxFPControls, "sliderFPBrightness");
    setupFrontPanelSlider(sliderFPBrightness);
    horizontalLayout->addWidget(sliderFPBrightness);
    labelFPBrightnessPercent = make<QLabel>(groupBoxFPControls, "labelFPBrightnessPercent");
    horizontalLayout->addWidget(labelFPBrightnessPercent);
    verticalLayout_4->addLayout(horizontalLayout);

    horizontalLayout_3 = nestedLayout<QHBoxLayout>("horizontalLayout_3");
    labelFPSleep = make<QLabel>(groupBoxFPControls, "labelFPSleep");
    horizontalLayout_3->addWidget(labelFPSleep);
    sliderFPSleep = make<QSlider>(groupBoxFPControls, "sliderFPSleep");
    setupFrontPanelSlider(sliderFPSleep);
    horizontalLayout_3->addWidget(sliderFPSleep);
    labelFPSleepTime = make<QLabel>(groupBoxFPControls, "labelFPSleepTime");
    horizontalLayout_3->addWidget(labelFPSleepTime);
    verticalLayout_4->addLayout(horizontalLayout_3);

    checkBoxFPIR = make<QCheckBox>(groupBoxFPControls, "checkBoxFPIR");
    checkBoxFPIR->setChecked(true);
    verticalLayout_4->addWidget(checkBoxFPIR);
    checkBoxFPLock = make<QCheckBox>(groupBoxFPControls, "checkBoxFPLock");
    checkBoxFPLock->setChecked(false);
    verticalLayout_4->addWidget(checkBoxFPLock);

    labelFPBrightness->setBuddy(sliderFPBrightness);
    labelFPBrightnessPercent->setBuddy(sliderFPBrightness);
    labelFPSleep->setBuddy(sliderFPSleep);
    labelFPSleepTime->setBuddy(sliderFPSleep);

    gridLayout_10->addWidget(groupBoxFPControls, 0, 1, 1, 1);

    // Serial responses: a lone check box at a fixed place, no layout.
    groupBoxSerial = make<QGroupBox>(tabNetwork, "groupBoxSerial", Font::Inherit);
    setSizePolicy(groupBoxSerial, QSizePolicy::Preferred, QSizePolicy::Preferred);
    groupBoxSerial->setMinimumSize(QSize(0, 50));
    checkBoxSerial = make<QCheckBox>(groupBoxSerial, "checkBoxSerial", Font::Inherit);
    checkBoxSerial->setGeometry(QRect(10, 20, 181, 17));
    checkBoxSerial->setChecked(false);
    gridLayout_10->addWidget(groupBoxSerial, 1, 1, 1, 1);

    // Back panel jack: wired IR or audio trigger with its time and level.
    groupBoxTrigger = make<QGroupBox>(tabNetwork, "groupBoxTrigger", Font::Inherit);
    verticalLayout_6 = ownedLayout<QVBoxLayout>(groupBoxTrigger, "verticalLayout_6");

    horizontalLayout_2 = nestedLayout<QHBoxLayout>("horizontalLayout_2");
    labelTriggerMode = make<QLabel>(groupBoxTrigger, "labelTriggerMode", Font::Inherit);
    horizontalLayout_2->addWidget(labelTriggerMode);
    comboBoxTriggerMode = make<QComboBox>(groupBoxTrigger, "comboBoxTriggerMode", Font::Inherit);
    horizontalLayout_2->addWidget(comboBoxTriggerMode);
    verticalLayout_6->addLayout(horizontalLayout_2);

    groupBoxTriggerSettings = make<QGroupBox>(groupBoxTrigger, "groupBoxTriggerSettings", Font::Inherit);
    groupBoxTriggerSettings->setEnabled(false);
    verticalLayout_5 = ownedLayout<QVBoxLayout>(groupBoxTriggerSettings, "verticalLayout_5");

    horizontalLayout_4 = nestedLayout<QHBoxLayout>("horizontalLayout_4");
    labelTriggerModeTime = make<QLabel>(groupBoxTriggerSettings, "labelTriggerModeTime", Font::Inherit);
    horizontalLayout_4->addWidget(labelTriggerModeTime);
    // Minutes: 5, 10 or 15, starting at the minimum.
    sliderTriggerTime = make<QSlider>(groupBoxTriggerSettings, "sliderTriggerTime", Font::Inherit);
    sliderTriggerTime->setMinimum(5);
    sliderTriggerTime->setMaximum(15);
    sliderTriggerTime->setSingleStep(5);
    sliderTriggerTime->setPageStep(5);
    sliderTriggerTime->setTracking(false);
    sliderTriggerTime->setOrientation(Qt::Horizontal);
    sliderTriggerTime->setTickPosition(QSlider::TicksBelow);
    sliderTriggerTime->setTickInterval(5);
    horizontalLayout_4->addWidget(sliderTriggerTime);
    labelTriggerModeTimeVal = make<QLabel>(groupBoxTriggerSettings, "labelTriggerModeTimeVal", Font::Inherit);
    horizontalLayout_4->addWidget(labelTriggerModeTimeVal);
    verticalLayout_5->addLayout(horizontalLayout_4);

    horizontalLayout_5 = nestedLayout<QHBoxLayout>("horizontalLayout_5");
    labelTriggerModeLevel = make<QLabel>(groupBoxTriggerSettings, "labelTriggerModeLevel", Font::Inherit);
    horizontalLayout_5->addWidget(labelTriggerModeLevel);
    // Millivolts RMS, 20 to 200, starting at the minimum.
    sliderTriggerLevel = make<QSlider>(groupBoxTriggerSettings, "sliderTriggerLevel", Font::Inherit);
    sliderTriggerLevel->setMinimum(20);
    sliderTriggerLevel->setMaximum(200);
    sliderTriggerLevel->setSingleStep(5);
    sliderTriggerLevel->setPageStep(20);
    sliderTriggerLevel->setTracking(false);
    sliderTriggerLevel->setOrientation(Qt::Horizontal);
    sliderTriggerLevel->setTickPosition(QSlider::TicksBelow);
    horizontalLayout_5->addWidget(sliderTriggerLevel);
    labelTriggerModeLevelVal =
        make<QLabel>(groupBoxTriggerSettings, "labelTriggerModeLevelVal", Font::Inherit);
    horizontalLayout_5->addWidget(labelTriggerModeLevelVal);
    verticalLayout_5->addLayout(horizontalLayout_5);

    verticalLayout_6->addWidget(groupBoxTriggerSettings);
    gridLayout_10->addWidget(groupBoxTrigger, 2, 1, 1, 1);

    verticalSpacer_2 = new QSpacerItem(20, 182, QSizePolicy::Minimum, QSizePolicy::Expanding);
    gridLayout_10->addItem(verticalSpacer_2, 4, 0, 1, 1);
    verticalSpacer_3 = new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding);
    gridLayout_10->addItem(verticalSpacer_3, 4, 1, 1, 1);

    tabWidget->addTab(tabNetwork, QString());
}

void Ui_zor_config::setupGroupsPage()
{
    tabGroups = make<QWidget>(nullptr, "tabGroups");
    horizontalLayout_6 = ownedLayout<QHBoxLayout>(tabGroups, "horizontalLayout_6");

    verticalLayout_8 = nestedLayout<QVBoxLayout>("verticalLayout_8");
    labelGroupName = centred(make<QLabel>(tabGroups, "labelGroupName"));
    verticalLayout_8->addWidget(labelGroupName);
    listViewGroup = make<QListView>(tabGroups, "listViewGroup");
    verticalLayout_8->addWidget(listViewGroup);
    horizontalLayout_6->addLayout(verticalLayout_8);

    groupBoxGroupMembers = make<QGroupBox>(tabGroups, "groupBoxGroupMembers");
    verticalLayout_7 = ownedLayout<QVBoxLayout>(groupBoxGroupMembers, "verticalLayout_7");
    for (int n = 1; n <= ZoneCount; ++n) {
        checkBoxGroupZoneN[n] = make<QCheckBox>(groupBoxGroupMembers, numbered("checkBoxGroupZone", n));
        checkBoxGroupZoneN[n]->setChecked(false);
        verticalLayout_7->addWidget(checkBoxGroupZoneN[n]);
    }
    horizontalLayout_6->addWidget(groupBoxGroupMembers);

    horizontalSpacer = new QSpacerItem(323, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    horizontalLayout_6->addItem(horizontalSpacer);

    tabWidget->addTab(tabGroups, QString());
}

void Ui_zor_config::setupFavoritesPage()
{
    tabFavorites = make<QWidget>(nullptr, "tabFavorites");
    gridLayout_12 = ownedLayout<QGridLayout>(tabFavorites, "gridLayout_12");

    verticalLayout_9 = nestedLayout<QVBoxLayout>("verticalLayout_9");
    label = centred(make<QLabel>(tabFavorites, "label"));
    verticalLayout_9->addWidget(label);
    listViewFavorites = make<QListView>(tabFavorites, "listViewFavorites");
    verticalLayout_9->addWidget(listViewFavorites);
    gridLayout_12->addLayout(verticalLayout_9, 0, 0, 1, 1);

    groupBoxFavorite = make<QGroupBox>(tabFavorites, "groupBoxFavorite");
    gridLayout_11 = ownedLayout<QGridLayout>(groupBoxFavorite, "gridLayout_11");

    auto header = [this](const char *name, int column, int columnSpan) {
        QLabel *created = centred(make<QLabel>(groupBoxFavorite, name));
        gridLayout_11->addWidget(created, 0, column, 1, columnSpan);
        return created;
    };
    labelFavoriteZone = header("labelFavoriteZone", 0, 1);
    labelFavoriteBypass = header("labelFavoriteBypass", 1, 1);
    labelFavoriteSource = header("labelFavoriteSource", 2, 1);
    labelFavoriteZone_17 = header("labelFavoriteZone_17", 3, 1);
    labelFavoriteBypass_2 = header("labelFavoriteBypass_2", 4, 2);
    labelFavoriteSource_2 = header("labelFavoriteSource_2", 6, 1);

    // Two blocks side by side: zones 1..8 on the left, 9..16 on the right.
    for (int n = 1; n <= ZoneCount; ++n) {
        const bool left = n <= ZoneCount / 2;
        const int row = left ? n : n - ZoneCount / 2;

        labelFavoriteZoneN[n] = make<QLabel>(groupBoxFavorite, numbered("labelFavoriteZone", n));
        gridLayout_11->addWidget(labelFavoriteZoneN[n], row, left ? 0 : 3, 1, left ? 1 : 2);

        QCheckBox *bypass = checkBoxFavoriteBypassN[n] =
            make<QCheckBox>(groupBoxFavorite, numbered("checkBoxFavoriteBypass", n));
        setSizePolicy(bypass, QSizePolicy::Minimum, QSizePolicy::Fixed);
        bypass->setMinimumSize(QSize(30, 0));
        bypass->setChecked(true);
        gridLayout_11->addWidget(bypass, row, left ? 1 : 5, 1, 1);

        QComboBox *source = comboBoxFavoriteSourceN[n] =
            make<QComboBox>(groupBoxFavorite, numbered("comboBoxFavoriteSource", n));
        source->setEnabled(false);
        setSizePolicy(source, QSizePolicy::Expanding, QSizePolicy::Fixed);
        gridLayout_11->addWidget(source, row, left ? 2 : 6, 1, 1);
    }
    gridLayout_12->addWidget(groupBoxFavorite, 0, 1, 1, 1);

    verticalSpacer_4 = new QSpacerItem(20, 228, QSizePolicy::Minimum, QSizePolicy::Expanding);
    gridLayout_12->addItem(verticalSpacer_4, 1, 1, 1, 1);
    verticalSpacer_5 = new QSpacerItem(20, 109, QSizePolicy::Minimum, QSizePolicy::Expanding);
    gridLayout_12->addItem(verticalSpacer_5, 1, 0, 1, 1);

    tabWidget->addTab(tabFavorites, QString());
}

void Ui_zor_config::setupTroubleshootingPage()
{
    tabTroubleshooting = make<QWidget>(nullptr, "tabTroubleshooting");
    QWidget *page = tabTroubleshooting;

    pushButtonPollOutputLevels = make<QPushButton>(page, "pushButtonPollOutputLevels", Font::Inherit);
    pushButtonPollOutputLevels->setGeometry(QRect(590, 20, 171, 61));
    // Live levels: polls once a second while ticked; usable while a link is
    // open.
    checkBoxPollOutputLevels = make<QCheckBox>(page, "checkBoxPollOutputLevels", Font::Inherit);
    checkBoxPollOutputLevels->setGeometry(QRect(590, 0, 171, 20));
    checkBoxPollOutputLevels->setEnabled(false);
    label_2 = centred(make<QLabel>(page, "label_2", Font::Inherit));
    label_2->setGeometry(QRect(590, 90, 171, 31));
    pushButtonSetOneToOne = make<QPushButton>(page, "pushButtonSetOneToOne", Font::Inherit);
    pushButtonSetOneToOne->setGeometry(QRect(590, 140, 171, 61));
    label_3 = centred(make<QLabel>(page, "label_3", Font::Inherit));
    label_3->setGeometry(QRect(590, 210, 171, 51));
    pushButtonMaxAllVolumes = make<QPushButton>(page, "pushButtonMaxAllVolumes", Font::Inherit);
    pushButtonMaxAllVolumes->setGeometry(QRect(590, 320, 171, 71));
    label_4 = centred(make<QLabel>(page, "label_4", Font::Inherit));
    label_4->setGeometry(QRect(590, 400, 171, 61));

    // Output level bars: zones 1..8 in the left column, 9..16 in the right.
    for (int n = 1; n <= ZoneCount; ++n) {
        const bool left = n <= ZoneCount / 2;
        const int slot = left ? n - 1 : n - ZoneCount / 2 - 1;
        QGroupBox *box = groupBoxZoneN[n] = make<QGroupBox>(page, numbered("groupBoxZone", n), Font::Inherit);
        box->setGeometry(QRect(left ? 10 : 300, 10 + 60 * slot, 281, 61));

        labelSourceZoneN[n] = make<QLabel>(box, numbered("labelSourceZone", n));
        labelSourceZoneN[n]->setGeometry(n == 1 ? QRect(10, 30, 61, 16) : QRect(10, 20, 61, 27));
        labelLeftZoneN[n] = make<QLabel>(box, numbered("labelLeftZone", n));
        labelLeftZoneN[n]->setGeometry(QRect(80, 20, 31, 20));
        labelRightzoneN[n] = make<QLabel>(box, numbered("labelRightzone", n));
        labelRightzoneN[n]->setGeometry(QRect(80, 40, 31, 16));
        progressBarLeftZoneN[n] = make<QProgressBar>(box, numbered("progressBarLeftZone", n), Font::Inherit);
        progressBarLeftZoneN[n]->setGeometry(QRect(120, 20, 151, 16));
        progressBarLeftZoneN[n]->setValue(0);
        progressBarRightZoneN[n] =
            make<QProgressBar>(box, numbered("progressBarRightZone", n), Font::Inherit);
        progressBarRightZoneN[n]->setGeometry(QRect(120, 40, 151, 16));
        progressBarRightZoneN[n]->setValue(0);
    }
    new LabelFitter(page);

    tabWidget->addTab(tabTroubleshooting, QString());
}

void Ui_zor_config::setupMenus(QMainWindow *zor_config)
{
    menuBar = make<QMenuBar>(zor_config, "menuBar");
    menuBar->setGeometry(QRect(0, 0, 800, 22));
    menuFile = make<QMenu>(menuBar, "menuFile");
    menuRecentFiles = make<QMenu>(menuFile, "menuRecentFiles");
    // Each entry shows its folder as a tool tip.
    menuRecentFiles->setToolTipsVisible(true);
    menuEdit = make<QMenu>(menuBar, "menuEdit");
    menuConnection = make<QMenu>(menuBar, "menuConnection");
    zor_config->setMenuBar(menuBar);
    statusBar = make<QStatusBar>(zor_config, "statusBar");
    zor_config->setStatusBar(statusBar);

    menuBar->addAction(menuFile->menuAction());
    menuBar->addAction(menuEdit->menuAction());
    menuBar->addAction(menuConnection->menuAction());
    menuFile->addAction(actionLoad);
    menuFile->addAction(actionSave);
    menuFile->addAction(actionExportReport);
    menuFile->addAction(menuRecentFiles->menuAction());
    menuFile->addSeparator();
    menuFile->addAction(actionExit);
    menuEdit->addAction(actionUndo);
    menuEdit->addAction(actionRedo);
    menuConnection->addAction(actionSerial);
    menuConnection->addAction(actionTelnet);
    menuConnection->addSeparator();
    menuConnection->addAction(actionReceiveAll);
    menuConnection->addAction(actionSendAll);
    menuConnection->addAction(actionCompare);
    menuConnection->addAction(actionSendChanges);
    menuConnection->addSeparator();
    menuConnection->addAction(actionConsole);
}

// Value labels follow their sliders; a favorite's source combo is usable
// only while the zone is not bypassed.
void Ui_zor_config::connectForm()
{
    const auto setNum = qOverload<int>(&QLabel::setNum);
    for (int n = 1; n <= ZoneCount; ++n)
        QObject::connect(sliderZoneVolN[n], &QSlider::valueChanged, labelZoneVolN[n], setNum);
    for (int n = 1; n <= BandCount; ++n)
        QObject::connect(sliderDSPEQN[n], &QSlider::valueChanged, labelDSPEQValN[n], setNum);
    QObject::connect(sliderDSPBass, &QSlider::valueChanged, labelDSPBassVal, setNum);
    QObject::connect(sliderDSPTreble, &QSlider::valueChanged, labelDSPTrebleVal, setNum);
    QObject::connect(sliderDSPLowpass, &QSlider::valueChanged, labelDSPLowpassVal, setNum);
    QObject::connect(sliderDSPHighpass, &QSlider::valueChanged, labelDSPHighpassVal, setNum);
    for (int n = 1; n <= ZoneCount; ++n)
        QObject::connect(checkBoxFavoriteBypassN[n], &QCheckBox::toggled, comboBoxFavoriteSourceN[n],
                         &QWidget::setDisabled);
}

void Ui_zor_config::retranslateUi(QMainWindow *zor_config)
{
    zor_config->setWindowTitle(QString());

    actionLoad->setText(tr("&Load"));
#if QT_CONFIG(statustip)
    actionLoad->setStatusTip(tr("Load settings from a file."));
#endif
    actionSave->setText(tr("&Save"));
#if QT_CONFIG(statustip)
    actionSave->setStatusTip(tr("Save settings to a file."));
#endif
    actionExportReport->setText(tr("Export Report..."));
#if QT_CONFIG(statustip)
    actionExportReport->setStatusTip(tr("Write every setting and the DSP curves to a PDF or HTML file."));
#endif
    actionExit->setText(tr("&Exit"));
    actionSerial->setText(tr("&Serial"));
#if QT_CONFIG(statustip)
    actionSerial->setStatusTip(tr("Open serial connection dialog box."));
#endif
    actionTelnet->setText(tr("&Network"));
#if QT_CONFIG(statustip)
    actionTelnet->setStatusTip(tr("Open network connection dialog box."));
#endif
    actionReceiveAll->setText(tr("&Receive All"));
#if QT_CONFIG(statustip)
    actionReceiveAll->setStatusTip(tr("Receive all settings from a connected unit."));
#endif
    actionSendAll->setText(tr("S&end All"));
#if QT_CONFIG(statustip)
    actionSendAll->setStatusTip(tr("Send all settings to a connected unit."));
#endif
    actionCompare->setText(tr("Compare with Unit..."));
#if QT_CONFIG(statustip)
    actionCompare->setStatusTip(tr("List the settings in which the connected unit differs from the window."));
#endif
    actionSendChanges->setText(tr("Send Changes..."));
#if QT_CONFIG(statustip)
    actionSendChanges->setStatusTip(tr("Send only the settings in which the connected unit differs."));
#endif
    actionConsole->setText(tr("&Console"));
#if QT_CONFIG(statustip)
    actionConsole->setStatusTip(tr("Open up the communication console to see sent/received data."));
#endif
    actionUndo->setText(tr("Undo"));
#if QT_CONFIG(statustip)
    actionUndo->setStatusTip(tr("Take back the last change of the settings."));
#endif
    actionRedo->setText(tr("Redo"));
#if QT_CONFIG(statustip)
    actionRedo->setStatusTip(tr("Make the change taken back again."));
#endif

    // Source page
    labelSourceName->setText(tr("Source Name"));
    for (int n = 1; n <= ZoneCount; ++n) {
        labelSourceNameN[n]->setText(tr("Source %1").arg(n));
#if QT_CONFIG(statustip)
        lineEditSourceNameN[n]->setStatusTip(tr("Set the name of the source input."));
#endif
        lineEditSourceNameN[n]->setText(tr("Source Name %1").arg(n));
#if QT_CONFIG(accessibility)
        lineEditSourceNameN[n]->setAccessibleName(tr("Source %1 name").arg(n));
#endif
    }
    tabWidget->setTabText(tabWidget->indexOf(tabSource), tr("Source"));

    // Zone page
    labelZoneName->setText(tr("Zone Name"));
    labelZoneVol->setText(tr("Volume (dB)"));
    labelZoneMute->setText(tr("Mute"));
    labelZoneFix->setText(tr("Fixed"));
    labelZoneBalance->setText(tr("Bal (dB)"));
    labelZoneSource->setText(tr("Source"));
    labelZonePower->setText(tr("Power"));
    labelZonePOnVol->setText(tr("POn Vol"));
    for (int n = 1; n <= ZoneCount; ++n) {
        labelZoneN[n]->setText(tr("Zone %1").arg(n));
#if QT_CONFIG(statustip)
        lineEditZoneNameN[n]->setStatusTip(tr("Set the name of the zone output."));
        sliderZoneVolN[n]->setStatusTip(tr("Sets the volume level of the output zone."));
        checkBoxZoneMuteN[n]->setStatusTip(tr("Mutes or unmutes the output volume."));
        checkBoxZoneFixN[n]->setStatusTip(
            tr("Sets the volume level to fixed (all the way up, and not adjustable)."));
        spinBoxZoneBalN[n]->setStatusTip(
            tr("Sets left right balance. Negative values are left, positive right."));
        comboBoxZoneSourceN[n]->setStatusTip(tr("Set the source to connect to the output zone."));
        checkBoxZonePowerN[n]->setStatusTip(tr("Set the output zone to be on or off."));
        spinBoxZonePOnVolN[n]->setStatusTip(
            tr("Sets the volume level for an output returning from power off."));
#endif
        lineEditZoneNameN[n]->setText(tr("Zone Name %1").arg(n));
        labelZoneVolN[n]->setText(tr("-40"));
        checkBoxZoneMuteN[n]->setText(QString());
        checkBoxZoneFixN[n]->setText(QString());
        checkBoxZonePowerN[n]->setText(QString());
#if QT_CONFIG(accessibility)
        lineEditZoneNameN[n]->setAccessibleName(tr("Zone %1 name").arg(n));
        sliderZoneVolN[n]->setAccessibleName(tr("Zone %1 volume").arg(n));
        checkBoxZoneMuteN[n]->setAccessibleName(tr("Zone %1 mute").arg(n));
        checkBoxZoneFixN[n]->setAccessibleName(tr("Zone %1 fixed volume").arg(n));
        spinBoxZoneBalN[n]->setAccessibleName(tr("Zone %1 balance").arg(n));
        setComboName(comboBoxZoneSourceN[n], tr("Zone %1 source").arg(n));
        checkBoxZonePowerN[n]->setAccessibleName(tr("Zone %1 power").arg(n));
        spinBoxZonePOnVolN[n]->setAccessibleName(tr("Zone %1 power-on volume").arg(n));
#endif
    }
    tabWidget->setTabText(tabWidget->indexOf(tabZone), tr("Zone"));

    // DSP page
    labelDSPZone->setText(tr("Zone"));
    labelDSPMode->setText(tr("DSP Mode"));
#if QT_CONFIG(statustip)
    listViewDSPZone->setStatusTip(tr("Sets the active output zone to edit."));
#endif
    comboBoxDSPMode->clear();
    comboBoxDSPMode->insertItems(0, QStringList() << tr("Disabled") << tr("ZQ") << tr("Preset") << tr("Tone")
                                                  << tr("Lowpass") << tr("Highpass"));
#if QT_CONFIG(statustip)
    comboBoxDSPMode->setStatusTip(tr("Sets the output zone DSP mode."));
#endif
    labelDSPPreset->setText(tr("Preset"));
#if QT_CONFIG(statustip)
    listViewDSPPreset->setStatusTip(
        tr("Sets the active preset and also names presets (double-click to edit)."));
#endif
    static const char *const bandCaptions[BandCount] = {"32 Hz", "64 Hz", "125 Hz", "250 Hz", "500 Hz",
                                                        "1 kHz", "2 kHz", "4 kHz",  "8 kHz",  "16 kHz"};
    for (int n = 1; n <= BandCount; ++n) {
        labelDSPEQN[n]->setText(tr(bandCaptions[n - 1]));
#if QT_CONFIG(statustip)
        sliderDSPEQN[n]->setStatusTip(tr("Sets the level of gain for the particular frequency."));
#endif
        labelDSPEQValN[n]->setText(tr("0"));
    }
    labelDSPBass->setText(tr("Bass"));
    labelDSPTreble->setText(tr("Treble"));
#if QT_CONFIG(statustip)
    sliderDSPBass->setStatusTip(tr("Sets the level of bass boost or cut."));
    sliderDSPTreble->setStatusTip(tr("Sets the level of treble boost or cut."));
#endif
    labelDSPBassVal->setText(tr("0"));
    labelDSPTrebleVal->setText(tr("0"));
    labelDSPLowpass->setText(tr("Lowpass Filter Frequency"));
#if QT_CONFIG(statustip)
    sliderDSPLowpass->setStatusTip(tr("Sets the cutoff frequency of the low pass filter."));
#endif
    labelDSPLowpassVal->setText(tr("100"));
    labelHighpass->setText(tr("Highpass Filter Frequency"));
#if QT_CONFIG(statustip)
    sliderDSPHighpass->setStatusTip(tr("Sets the cutoff frequency of the highpass filter."));
#endif
    labelDSPHighpassVal->setText(tr("100"));
#if QT_CONFIG(statustip)
    graphicsView->setStatusTip(tr("Shows the frequency response of the selected zone output."));
#endif
    tabWidget->setTabText(tabWidget->indexOf(tabDSP), tr("DSP"));
#if QT_CONFIG(accessibility)
    listViewDSPZone->setAccessibleName(tr("Zone to edit"));
#endif
    nameDspControls(1);

    // Network/Misc page
    groupBox->setTitle(tr("Network"));
    groupBoxNetwork->setTitle(tr("Internet Protocol (IP) Settings"));
#if QT_CONFIG(statustip)
    checkBoxNetworkDHCP->setStatusTip(
        tr("Sets the network connection to use DHCP or static IP address settings."));
#endif
    checkBoxNetworkDHCP->setText(tr("Use DHCP"));
#if QT_CONFIG(statustip)
    groupBoxNetworkStatic->setStatusTip(tr("Specify the static IP address, subnet, and gateway."));
#endif
    groupBoxNetworkStatic->setTitle(tr("Static Settings"));
    labelNetworkIP->setText(tr("IP Address"));
    lineEditNetworkIP->setInputMask(QString::fromLatin1(IpInputMask));
    lineEditNetworkIP->setText(tr("192.168.0.13"));
    labelNetworkMask->setText(tr("Network Mask"));
    lineEditNetworkMask->setInputMask(QString::fromLatin1(IpInputMask));
    lineEditNetworkMask->setText(tr("255.255.255.0"));
    labelNetworkGateway->setText(tr("Gateway"));
    lineEditNetworkGateway->setInputMask(QString::fromLatin1(IpInputMask));
    lineEditNetworkGateway->setText(tr("192.168.0.3"));
#if QT_CONFIG(statustip)
    pushButtonNetworkCommit->setStatusTip(
        tr("Commit network setting changes to the unit. Telnet connections will be dropped."));
#endif
    pushButtonNetworkCommit->setText(tr("Commit Changes"));
    groupBoxNetworkSDDP->setTitle(tr("Device Discovery"));
#if QT_CONFIG(statustip)
    checkBoxNetworkSDDP->setStatusTip(tr("Enables or disables discovery using SDDP protocol."));
#endif
    checkBoxNetworkSDDP->setText(tr("Use Control4(tm) Simple Device Discovery Protocol (SDDP)"));

    groupBoxFPControls->setTitle(tr("Front Panel Controls"));
    labelFPBrightness->setText(tr("Front Panel Brightness"));
#if QT_CONFIG(statustip)
    sliderFPBrightness->setStatusTip(tr("Sets the front panel brightness level."));
#endif
    labelFPBrightnessPercent->setText(tr("100%"));
    labelFPSleep->setText(tr("Front Panel Sleep Time"));
#if QT_CONFIG(statustip)
    sliderFPSleep->setStatusTip(
        tr("Sets the amount of time before inactivity turns off the front panel display."));
#endif
    labelFPSleepTime->setText(tr("5 Minute(s)"));
#if QT_CONFIG(statustip)
    checkBoxFPIR->setStatusTip(tr("Enables the front panel IR receiver. Leave disabled unless in use."));
#endif
    checkBoxFPIR->setText(tr("Front Panel IR Disable"));
#if QT_CONFIG(statustip)
    checkBoxFPLock->setStatusTip(tr("Locks the front panel to prevent front panel tampering."));
#endif
    checkBoxFPLock->setText(tr("Front Panel Lock"));

    groupBoxSerial->setTitle(tr("Serial Port"));
#if QT_CONFIG(statustip)
    checkBoxSerial->setStatusTip(tr("Serial response enable. Disable to speed network control methods."));
#endif
    checkBoxSerial->setText(tr("Serial Enable"));

    groupBoxTrigger->setTitle(tr("Wired IR / Trigger"));
    labelTriggerMode->setText(tr("Mode"));
    comboBoxTriggerMode->clear();
    comboBoxTriggerMode->insertItems(0, QStringList()
                                            << tr("Wired IR") << tr("Trigger") << tr("Trigger + Serial"));
#if QT_CONFIG(statustip)
    comboBoxTriggerMode->setStatusTip(tr("Sets the back panel jack to be wired IR or audio trigger."));
#endif
    groupBoxTriggerSettings->setTitle(tr("Trigger Mode Settings"));
    labelTriggerModeTime->setText(tr("Time"));
#if QT_CONFIG(statustip)
    sliderTriggerTime->setStatusTip(
        tr("Sets the amount of time to stay active after an audio trigger event."));
#endif
    labelTriggerModeTimeVal->setText(tr("5 Minutes"));
    labelTriggerModeLevel->setText(tr("Level"));
#if QT_CONFIG(statustip)
    sliderTriggerLevel->setStatusTip(tr("Sets the required audio input level to trigger audio sense."));
#endif
    labelTriggerModeLevelVal->setText(tr("20 mVRMS"));
    tabWidget->setTabText(tabWidget->indexOf(tabNetwork), tr("Network/Misc"));
#if QT_CONFIG(accessibility)
    lineEditNetworkIP->setAccessibleName(tr("IP address"));
    lineEditNetworkMask->setAccessibleName(tr("Network mask"));
    lineEditNetworkGateway->setAccessibleName(tr("Gateway"));
    sliderFPBrightness->setAccessibleName(tr("Front panel brightness"));
    sliderFPSleep->setAccessibleName(tr("Front panel sleep time"));
    setComboName(comboBoxTriggerMode, tr("Trigger mode"));
    sliderTriggerTime->setAccessibleName(tr("Trigger time"));
    sliderTriggerLevel->setAccessibleName(tr("Trigger level"));
#endif

    // Groups page
    labelGroupName->setText(tr("Group Name / Active"));
#if QT_CONFIG(statustip)
    listViewGroup->setStatusTip(
        tr("Sets the active group to edit and also names groups (double-click to edit name)."));
    groupBoxGroupMembers->setStatusTip(tr("Sets the zones that are a member of the active group."));
#endif
    groupBoxGroupMembers->setTitle(tr("Group Members"));
    for (int n = 1; n <= ZoneCount; ++n)
        checkBoxGroupZoneN[n]->setText(tr("Zone %1").arg(n));
    tabWidget->setTabText(tabWidget->indexOf(tabGroups), tr("Groups"));
#if QT_CONFIG(accessibility)
    listViewGroup->setAccessibleName(tr("Groups"));
#endif
    nameGroupMembers(1);

    // Favorites page
    label->setText(tr("Favorite Name / Active"));
#if QT_CONFIG(statustip)
    listViewFavorites->setStatusTip(
        tr("Sets the active favorite, and also edits the names (double-click to edit)."));
#endif
    groupBoxFavorite->setTitle(tr("Favorite Members"));
    labelFavoriteZone->setText(tr("Zone"));
    labelFavoriteBypass->setText(tr("Bypass"));
    labelFavoriteSource->setText(tr("Source"));
    labelFavoriteZone_17->setText(tr("Zone"));
    labelFavoriteBypass_2->setText(tr("Bypass"));
    labelFavoriteSource_2->setText(tr("Source"));
    for (int n = 1; n <= ZoneCount; ++n) {
        labelFavoriteZoneN[n]->setText(tr("Zone %1").arg(n));
#if QT_CONFIG(statustip)
        checkBoxFavoriteBypassN[n]->setStatusTip(
            tr("Causes the favorite to ignore this zone output when activated."));
        comboBoxFavoriteSourceN[n]->setStatusTip(
            tr("Specifies the source that is to be connected to the zone when the favorite is activated."));
#endif
        checkBoxFavoriteBypassN[n]->setText(QString());
    }
    tabWidget->setTabText(tabWidget->indexOf(tabFavorites), tr("Favorites"));
#if QT_CONFIG(accessibility)
    listViewFavorites->setAccessibleName(tr("Favorites"));
#endif
    nameFavoriteMembers(1);

    // Troubleshooting page
#if QT_CONFIG(statustip)
    pushButtonPollOutputLevels->setStatusTip(
        tr("Reads the level at the output of the zone (affected by volume and source selection)."));
#endif
    pushButtonPollOutputLevels->setText(tr("Poll Volume Levels"));
    checkBoxPollOutputLevels->setText(tr("Poll every second"));
#if QT_CONFIG(statustip)
    checkBoxPollOutputLevels->setStatusTip(
        tr("Polls the output levels once a second while a connection is open."));
#endif
    label_2->setText(tr("Query all zones to\nrefresh display."));
#if QT_CONFIG(statustip)
    pushButtonSetOneToOne->setStatusTip(tr("Sets zone 1 to source 1, zone 2 to source 2, ..."));
#endif
    pushButtonSetOneToOne->setText(tr("Reset Sources"));
    label_3->setText(tr("Sets each zone to the\ncorresponding source\n number."));
#if QT_CONFIG(statustip)
    pushButtonMaxAllVolumes->setStatusTip(
        tr("Sets the output volume of all zones to 0 dB (100%). Turn your amp off first."));
#endif
    pushButtonMaxAllVolumes->setText(tr("Max All Zones"));
    label_4->setText(tr("WARNING:\nTurn off amplifiers\nbefore setting\nvolumes to maximum."));
    for (int n = 1; n <= ZoneCount; ++n) {
        groupBoxZoneN[n]->setTitle(tr("Zone %1").arg(n));
        labelSourceZoneN[n]->setText(tr("Source 1"));
        labelLeftZoneN[n]->setText(tr("Left"));
        labelRightzoneN[n]->setText(tr("Right"));
    }
    tabWidget->setTabText(tabWidget->indexOf(tabTroubleshooting), tr("Troubleshooting"));
    growLabelsToFit(tabTroubleshooting);
#if QT_CONFIG(accessibility)
    tabWidget->setAccessibleName(tr("Pages"));
#endif

    menuFile->setTitle(tr("&File"));
    menuRecentFiles->setTitle(tr("Recent Files"));
    menuEdit->setTitle(tr("&Edit"));
    menuConnection->setTitle(tr("&Connection"));
}

void Ui_zor_config::nameDspControls(int zone, int preset)
{
#if QT_CONFIG(accessibility)
    setComboName(comboBoxDSPMode, tr("Zone %1 DSP mode").arg(zone));
    listViewDSPPreset->setAccessibleName(tr("Zone %1 preset").arg(zone));
    for (int n = 1; n <= BandCount; ++n)
        sliderDSPEQN[n]->setAccessibleName(preset > 0 ? tr("Preset %1 band %2").arg(preset).arg(n)
                                                      : tr("Zone %1 EQ band %2").arg(zone).arg(n));
    sliderDSPBass->setAccessibleName(tr("Zone %1 bass").arg(zone));
    sliderDSPTreble->setAccessibleName(tr("Zone %1 treble").arg(zone));
    sliderDSPLowpass->setAccessibleName(tr("Zone %1 lowpass").arg(zone));
    sliderDSPHighpass->setAccessibleName(tr("Zone %1 highpass").arg(zone));
    graphicsView->setAccessibleName(tr("Zone %1 frequency response").arg(zone));
    graphicsView->viewport()->setAccessibleName(graphicsView->accessibleName());
#else
    Q_UNUSED(zone);
    Q_UNUSED(preset);
#endif
}

void Ui_zor_config::nameGroupMembers(int group)
{
#if QT_CONFIG(accessibility)
    for (int n = 1; n <= ZoneCount; ++n)
        checkBoxGroupZoneN[n]->setAccessibleName(tr("Group %1 member Zone %2").arg(group).arg(n));
#else
    Q_UNUSED(group);
#endif
}

void Ui_zor_config::nameFavoriteMembers(int favorite)
{
#if QT_CONFIG(accessibility)
    for (int n = 1; n <= ZoneCount; ++n) {
        checkBoxFavoriteBypassN[n]->setAccessibleName(tr("Favorite %1 Zone %2 bypass").arg(favorite).arg(n));
        setComboName(comboBoxFavoriteSourceN[n], tr("Favorite %1 Zone %2 source").arg(favorite).arg(n));
    }
#else
    Q_UNUSED(favorite);
#endif
}
