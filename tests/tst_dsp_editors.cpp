// The DSP page as a user drives it: zone list, mode combo, preset list, band,
// tone and pass sliders; the commands they send, the state they write and the
// filter slots they leave for the plot. Also the in-place name editor.
#include <QComboBox>
#include <QFrame>
#include <QGraphicsLineItem>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSlider>
#include <QStringListModel>
#include <QtTest>

#include <cstring>
#include <memory>

#include "app/zor_config.h"
#include "editors/name_edit_delegate.h"
#include "plot/biquad.h"
#include "plot/dsp.h"
#include "support/window_test.h"

namespace {

using Slots = double[10][6];

struct Setting {
    int type;
    int frequency;
    int gain;
};

const int bandHz[10] = {32, 64, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};

bool slotHolds(const zor_config &window, int slot, Setting setting)
{
    double expected[6];
    biquad::design({quint8(setting.type), quint16(setting.frequency), qint8(setting.gain)}, expected);
    return std::memcmp(window.dspPlot->coefficients[slot], expected, sizeof expected) == 0;
}

// Distinct, recognisable values for one zone and for every preset.
void fillState(zor_config &window, int zone, int preset)
{
    ZoneDspSettings &z = window.zoneDsp[zone - 1];
    z.bass = 5;
    z.treble = -3;
    z.lowpass = 60;
    z.highpass = 1000;
    z.preset = preset;
    for (int band = 0; band < 10; ++band)
        z.eq[band] = band - 5;
    for (int p = 0; p < 10; ++p)
        for (int band = 0; band < 10; ++band)
            window.presetEq[p][band] = (p + band) % 21 - 10;
}

} // namespace

class tst_dsp_editors : public editortest::WindowTest
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsDisabledAndFlat();
    void modeChange_data();
    void modeChange();
    void zoneSwitchReloadsPresetAndEq();
    void bandEdit_data();
    void bandEdit();
    void pressPresetRow_data();
    void pressPresetRow();
    void keyboardInPresetListSendsNothing();
    void toneEdit_data();
    void toneEdit();
    void passEdit_data();
    void passEdit();
    void presetRename_data();
    void presetRename();
    void unknownModeDrawsNothing();
    void bandSliderWithoutNumberSendsNothing_data();
    void bandSliderWithoutNumberSendsNothing();

    void nameValidator_data();
    void nameValidator();
    void nameEditorLimitsInput();
    void nameEditorInPresetList();

private:
    template <typename T> T *widget(const char *name)
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no widget %s", name);
        return found;
    }
    void selectZone(int zone);
    // Puts the page on zone in mode, as the unit's state, without a command.
    void showZoneInMode(int zone, int mode);
    QStringList sent() const;
    void copySlots(Slots &out) const { std::memcpy(out, window->dspPlot->coefficients, sizeof(Slots)); }
    bool onlySlotChanged(const Slots &before, int slot) const;

    std::unique_ptr<QSignalSpy> spy;
};

void tst_dsp_editors::init()
{
    QVERIFY(openWindow());
    window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))
        ->setCurrentWidget(window->findChild<QWidget *>(QStringLiteral("tabDSP")));
    spy = std::make_unique<QSignalSpy>(window.get(), &zor_config::sendSentData);
}

void tst_dsp_editors::cleanup()
{
    spy.reset();
    window.reset();
}

void tst_dsp_editors::selectZone(int zone)
{
    auto *list = widget<QListView>("listViewDSPZone");
    list->setCurrentIndex(list->model()->index(zone - 1, 0));
}

void tst_dsp_editors::showZoneInMode(int zone, int mode)
{
    window->zoneDsp[zone - 1].mode = mode;
    // Select another zone first so that the selection really changes.
    selectZone(zone == 1 ? 2 : 1);
    selectZone(zone);
}

QStringList tst_dsp_editors::sent() const
{
    QStringList commands;
    for (const QList<QVariant> &call : qAsConst(*spy))
        commands << call.at(0).toString();
    return commands;
}

bool tst_dsp_editors::onlySlotChanged(const Slots &before, int slot) const
{
    for (int i = 0; i < 10; ++i) {
        const bool same = std::memcmp(before[i], window->dspPlot->coefficients[i], sizeof before[i]) == 0;
        if (same == (i == slot))
            return false;
    }
    return true;
}

void tst_dsp_editors::startsDisabledAndFlat()
{
    QCOMPARE(widget<QListView>("listViewDSPZone")->currentIndex().row(), 0);
    QCOMPARE(widget<QComboBox>("comboBoxDSPMode")->currentIndex(), 0);
    for (const char *frame : {"frameDSPEQ", "frameDSPTone", "frameDSPLowpass", "frameDSPHighpass"})
        QVERIFY2(!widget<QFrame>(frame)->isEnabled(), frame);
    QVERIFY(!widget<QListView>("listViewDSPPreset")->isEnabled());
    for (int slot = 0; slot < 10; ++slot)
        QVERIFY(slotHolds(*window, slot, {0, 0, 0}));
    for (int k = 0; k < 63; ++k) {
        auto *segment = static_cast<QGraphicsLineItem *>(window->dspPlot->segmentItems[k]);
        QVERIFY(segment);
        QCOMPARE(segment->line().y1(), 0.0);
    }
}

void tst_dsp_editors::modeChange_data()
{
    QTest::addColumn<int>("zone");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("enabledFrame"); // the one frame left enabled, or empty

    QTest::newRow("zone 5 tone") << 5 << 3 << "[EO5M3]"
                                 << "frameDSPTone";
    QTest::newRow("zone 1 eq") << 1 << 1 << "[EO1M1]"
                               << "frameDSPEQ";
    QTest::newRow("zone 16 preset") << 16 << 2 << "[EO16M2]"
                                    << "frameDSPEQ";
    QTest::newRow("zone 2 lowpass") << 2 << 4 << "[EO2M4]"
                                    << "frameDSPLowpass";
    QTest::newRow("zone 3 highpass") << 3 << 5 << "[EO3M5]"
                                     << "frameDSPHighpass";
    QTest::newRow("zone 4 disabled") << 4 << 0 << "[EO4M0]"
                                     << "";
}

void tst_dsp_editors::modeChange()
{
    QFETCH(int, zone);
    QFETCH(int, mode);
    QFETCH(QString, command);
    QFETCH(QString, enabledFrame);

    fillState(*window, zone, 6);
    showZoneInMode(zone, (mode + 3) % 6); // start from a different mode
    spy->clear();

    widget<QComboBox>("comboBoxDSPMode")->setCurrentIndex(mode);

    QCOMPARE(sent(), QStringList{command});
    QCOMPARE(window->zoneDsp[zone - 1].mode, mode);
    for (const char *frame : {"frameDSPEQ", "frameDSPTone", "frameDSPLowpass", "frameDSPHighpass"})
        QVERIFY2(widget<QFrame>(frame)->isEnabled() == (enabledFrame == QLatin1String(frame)), frame);
    auto *presetList = widget<QListView>("listViewDSPPreset");
    QCOMPARE(presetList->isEnabled(), mode == 2);
    if (mode == 2)
        QCOMPARE(presetList->currentIndex().row(), 6);
    else
        QVERIFY(presetList->selectionModel()->selectedIndexes().isEmpty());

    // The ten slots as the mode shows them.
    const ZoneDspSettings &z = window->zoneDsp[zone - 1];
    for (int slot = 0; slot < 10; ++slot) {
        Setting expected{0, 0, 0};
        if (mode == 1)
            expected = {5, bandHz[slot], z.eq[slot]};
        else if (mode == 2)
            expected = {5, bandHz[slot], window->presetEq[6][slot]};
        else if (mode == 3 && slot == 0)
            expected = {2, 3000, -3};
        else if (mode == 3 && slot == 1)
            expected = {4, 200, 5};
        else if (mode == 4 && slot == 0)
            expected = {3, 60, 0};
        else if (mode == 5 && slot == 0)
            expected = {1, 1000, 0};
        QVERIFY2(slotHolds(*window, slot, expected), qPrintable(QStringLiteral("slot %1").arg(slot)));
    }
    // The page shows the zone's values.
    QCOMPARE(widget<QSlider>("sliderDSPBass")->value(), 5);
    QCOMPARE(widget<QLabel>("labelDSPTrebleVal")->text(), QStringLiteral("-3"));
    QCOMPARE(widget<QSlider>("sliderDSPLowpass")->value(), 60);
    QCOMPARE(widget<QLabel>("labelDSPHighpassVal")->text(), QStringLiteral("1000"));
}

void tst_dsp_editors::zoneSwitchReloadsPresetAndEq()
{
    fillState(*window, 1, 3);
    fillState(*window, 2, 0);
    for (int band = 0; band < 10; ++band)
        window->zoneDsp[1].eq[band] = 10 - 2 * band;
    window->zoneDsp[0].mode = Preset;
    window->zoneDsp[1].mode = Eq;
    auto *presetList = widget<QListView>("listViewDSPPreset");
    auto *band3 = widget<QSlider>("sliderDSPEQ_3");
    auto *band3Label = widget<QLabel>("labelDSPEQVal_3");

    for (int round = 0; round < 2; ++round) {
        selectZone(2);
        selectZone(1);
        QVERIFY(presetList->isEnabled());
        QCOMPARE(presetList->currentIndex().row(), 3);
        QCOMPARE(band3->value(), window->presetEq[3][2]);
        QCOMPARE(band3Label->text(), QString::number(window->presetEq[3][2]));
        QVERIFY(slotHolds(*window, 2, {5, 125, window->presetEq[3][2]}));

        selectZone(2);
        QVERIFY(!presetList->isEnabled());
        QVERIFY(presetList->selectionModel()->selectedIndexes().isEmpty());
        for (int band = 1; band <= 10; ++band) {
            const QByteArray name = "sliderDSPEQ_" + QByteArray::number(band);
            QCOMPARE(widget<QSlider>(name.constData())->value(), 12 - 2 * band);
        }
        QCOMPARE(band3Label->text(), QStringLiteral("6"));
        QVERIFY(slotHolds(*window, 9, {5, 16000, -8}));
    }
    QVERIFY(sent().isEmpty());
}

void tst_dsp_editors::bandEdit_data()
{
    QTest::addColumn<int>("zone");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("gain");
    QTest::addColumn<QString>("command");

    QTest::newRow("eq zone 1 band 4 -6") << 1 << 1 << 4 << -6 << "[EO1B4L-6]";
    QTest::newRow("eq zone 16 band 10 +10") << 16 << 1 << 10 << 10 << "[EO16B10L10]";
    QTest::newRow("preset 3 band 10 +7") << 1 << 2 << 10 << 7 << "[EP3B10L7]";
    QTest::newRow("preset 3 band 2 -10") << 9 << 2 << 2 << -10 << "[EP3B2L-10]";
    QTest::newRow("disabled zone still sends zone band") << 2 << 0 << 1 << 3 << "[EO2B1L3]";
}

void tst_dsp_editors::bandEdit()
{
    QFETCH(int, zone);
    QFETCH(int, mode);
    QFETCH(int, band);
    QFETCH(int, gain);
    QFETCH(QString, command);

    fillState(*window, zone, 2);
    showZoneInMode(zone, mode);
    int presetsBefore[10][10];
    std::memcpy(presetsBefore, window->presetEq, sizeof presetsBefore);
    const ZoneDspSettings zoneBefore = window->zoneDsp[zone - 1];
    Slots slotsBefore;
    copySlots(slotsBefore);
    spy->clear();

    const QByteArray name = "sliderDSPEQ_" + QByteArray::number(band);
    widget<QSlider>(name.constData())->setValue(gain);

    QCOMPARE(sent(), QStringList{command});
    const ZoneDspSettings &z = window->zoneDsp[zone - 1];
    for (int b = 0; b < 10; ++b) {
        const bool edited = b == band - 1;
        QCOMPARE(z.eq[b], edited && mode != 2 ? gain : zoneBefore.eq[b]);
        for (int p = 0; p < 10; ++p)
            QCOMPARE(window->presetEq[p][b], edited && mode == 2 && p == 2 ? gain : presetsBefore[p][b]);
    }
    QVERIFY(slotHolds(*window, band - 1, {5, bandHz[band - 1], gain}));
    for (int slot = 0; slot < 10; ++slot)
        if (slot != band - 1)
            QVERIFY(std::memcmp(slotsBefore[slot], window->dspPlot->coefficients[slot],
                                sizeof slotsBefore[slot]) == 0);
}

void tst_dsp_editors::pressPresetRow_data()
{
    QTest::addColumn<int>("zone");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("command");
    QTest::newRow("zone 1 first preset") << 1 << 0 << "[EO1P1]";
    QTest::newRow("zone 4 fifth preset") << 4 << 4 << "[EO4P5]";
    QTest::newRow("zone 16 last preset") << 16 << 9 << "[EO16P10]";
}

void tst_dsp_editors::pressPresetRow()
{
    QFETCH(int, zone);
    QFETCH(int, row);
    QFETCH(QString, command);

    fillState(*window, zone, 7);
    showZoneInMode(zone, Preset);
    spy->clear();

    auto *list = widget<QListView>("listViewDSPPreset");
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());

    QCOMPARE(sent(), QStringList{command});
    QCOMPARE(window->zoneDsp[zone - 1].preset, row);
    QCOMPARE(list->currentIndex().row(), row);
    for (int band = 1; band <= 10; ++band) {
        const QByteArray name = "sliderDSPEQ_" + QByteArray::number(band);
        QCOMPARE(widget<QSlider>(name.constData())->value(), window->presetEq[row][band - 1]);
        QVERIFY(slotHolds(*window, band - 1, {5, bandHz[band - 1], window->presetEq[row][band - 1]}));
    }
}

void tst_dsp_editors::keyboardInPresetListSendsNothing()
{
    fillState(*window, 1, 2);
    showZoneInMode(1, Preset);
    auto *list = widget<QListView>("listViewDSPPreset");
    list->setFocus();
    spy->clear();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_End, Qt::Key_Up, Qt::Key_Home, Qt::Key_PageDown})
        QTest::keyClick(list, key);
    QVERIFY(list->currentIndex().row() != 2); // the keys did move
    QVERIFY(sent().isEmpty());
    QCOMPARE(window->zoneDsp[0].preset, 2);
}

void tst_dsp_editors::toneEdit_data()
{
    QTest::addColumn<int>("zone");
    QTest::addColumn<QString>("sliderName");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("frequency");

    QTest::newRow("zone 7 bass -12") << 7 << "sliderDSPBass" << -12 << "[TO7B-12T3]" << 1 << 4 << 200;
    QTest::newRow("zone 16 bass 5") << 16 << "sliderDSPBass" << 5 << "[TO16B5T3]" << 1 << 4 << 200;
    QTest::newRow("zone 7 treble -2") << 7 << "sliderDSPTreble" << -2 << "[TO7B-4T-2]" << 0 << 2 << 3000;
    QTest::newRow("zone 1 treble 12") << 1 << "sliderDSPTreble" << 12 << "[TO1B-4T12]" << 0 << 2 << 3000;
}

void tst_dsp_editors::toneEdit()
{
    QFETCH(int, zone);
    QFETCH(QString, sliderName);
    QFETCH(int, value);
    QFETCH(QString, command);
    QFETCH(int, slot);
    QFETCH(int, type);
    QFETCH(int, frequency);

    window->zoneDsp[zone - 1].bass = -4;
    window->zoneDsp[zone - 1].treble = 3;
    showZoneInMode(zone, Tone);
    Slots before;
    copySlots(before);
    spy->clear();

    widget<QSlider>(sliderName.toLatin1().constData())->setValue(value);

    QCOMPARE(sent(), QStringList{command});
    const ZoneDspSettings &z = window->zoneDsp[zone - 1];
    QCOMPARE(z.bass, slot == 1 ? value : -4);
    QCOMPARE(z.treble, slot == 0 ? value : 3);
    QVERIFY(onlySlotChanged(before, slot));
    QVERIFY(slotHolds(*window, slot, {type, frequency, value}));
}

void tst_dsp_editors::passEdit_data()
{
    QTest::addColumn<QString>("sliderName");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("type");

    QTest::newRow("highpass 20000") << "sliderDSPHighpass" << 5 << 20000 << "[EO1HP20000]" << 1;
    QTest::newRow("highpass 150") << "sliderDSPHighpass" << 5 << 150 << "[EO1HP150]" << 1;
    QTest::newRow("lowpass 40") << "sliderDSPLowpass" << 4 << 40 << "[EO1LP40]" << 3;
    QTest::newRow("lowpass 240") << "sliderDSPLowpass" << 4 << 240 << "[EO1LP240]" << 3;
}

void tst_dsp_editors::passEdit()
{
    QFETCH(QString, sliderName);
    QFETCH(int, mode);
    QFETCH(int, value);
    QFETCH(QString, command);
    QFETCH(int, type);

    showZoneInMode(1, mode);
    Slots before;
    copySlots(before);
    spy->clear();

    widget<QSlider>(sliderName.toLatin1().constData())->setValue(value);

    QCOMPARE(sent(), QStringList{command});
    QCOMPARE(mode == 5 ? window->zoneDsp[0].highpass : window->zoneDsp[0].lowpass, value);
    QVERIFY(onlySlotChanged(before, 0));
    QVERIFY(slotHolds(*window, 0, {type, value, 0}));
}

void tst_dsp_editors::presetRename_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("command");
    QTest::newRow("first") << 0 << "Rock"
                           << "[NEP1\"Rock\"]";
    QTest::newRow("last, 16 characters") << 9 << "Jazz & Blues 123"
                                         << "[NEP10\"Jazz & Blues 123\"]";
    QTest::newRow("longer than 16 is sent whole") << 1 << "A very long preset name"
                                                  << "[NEP2\"A very long preset name\"]";
    QTest::newRow("framing characters dropped") << 2 << "a\"b]c[d\ne"
                                                << "[NEP3\"abcde\"]";
    QTest::newRow("non-ASCII") << 3 << QString::fromUtf8("Küche") << QString::fromUtf8("[NEP4\"Küche\"]");
}

void tst_dsp_editors::presetRename()
{
    QFETCH(int, row);
    QFETCH(QString, name);
    QFETCH(QString, command);
    window->presetNamesModel.setData(window->presetNamesModel.index(row, 0), name);
    QCOMPARE(sent(), QStringList{command});
}

void tst_dsp_editors::unknownModeDrawsNothing()
{
    showZoneInMode(1, Tone);
    // A slot changed without a redraw: a redraw would show it.
    window->dspPlot->setFilter(5, {5, 1000, 10});
    Slots before;
    copySlots(before);
    auto *segment = static_cast<QGraphicsLineItem *>(window->dspPlot->segmentItems[40]);
    const QLineF lineBefore = segment->line();

    window->zoneDsp[1].mode = 7;
    window->zoneDsp[1].bass = 9;
    selectZone(2);

    QCOMPARE(widget<QSlider>("sliderDSPBass")->value(), 9); // values still reloaded
    QVERIFY(widget<QFrame>("frameDSPTone")->isEnabled());
    QVERIFY(!widget<QFrame>("frameDSPEQ")->isEnabled());
    QVERIFY(std::memcmp(before, window->dspPlot->coefficients, sizeof before) == 0);
    QCOMPARE(window->dspPlot->segmentItems[40], static_cast<QGraphicsItem *>(segment));
    QCOMPARE(segment->line(), lineBefore);
    QVERIFY(sent().isEmpty());
}

void tst_dsp_editors::bandSliderWithoutNumberSendsNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("no number") << "sliderDSPEQX";
    QTest::newRow("band 0") << "sliderDSPEQ_0";
    QTest::newRow("band 11") << "sliderDSPEQ_11";
    QTest::newRow("band 99") << "sliderDSPEQ_99";
}

void tst_dsp_editors::bandSliderWithoutNumberSendsNothing()
{
    QFETCH(QString, name);
    showZoneInMode(1, Eq);
    const ZoneDspSettings before = window->zoneDsp[0];
    Slots slotsBefore;
    copySlots(slotsBefore);
    spy->clear();

    QSlider stray(window.get());
    stray.setObjectName(name);
    stray.setRange(-10, 10);
    connect(&stray, &QSlider::valueChanged, window.get(), &zor_config::sliderDSPEqChange);
    stray.setValue(4);
    window->sliderDSPEqChange(5); // not from a slider at all

    QVERIFY(sent().isEmpty());
    QVERIFY(std::memcmp(before.eq, window->zoneDsp[0].eq, sizeof before.eq) == 0);
    QVERIFY(std::memcmp(slotsBefore, window->dspPlot->coefficients, sizeof slotsBefore) == 0);
}

void tst_dsp_editors::nameValidator_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("acceptable");
    QTest::newRow("plain") << "Living Room" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("punctuation") << "R&B / Soul (2)" << true;
    QTest::newRow("non-ASCII") << QString::fromUtf8("Küche ♪") << true;
    QTest::newRow("double quote") << "a\"b" << false;
    QTest::newRow("opening bracket") << "[EC" << false;
    QTest::newRow("closing bracket") << "x]" << false;
    QTest::newRow("line feed") << "a\nb" << false;
    QTest::newRow("carriage return") << "a\rb" << false;
    QTest::newRow("tab") << "a\tb" << false;
    QTest::newRow("NUL") << QString(QChar(0)) << false;
    QTest::newRow("DEL") << "a\x7f" << false;
    QTest::newRow("C1 control") << QString(QChar(0x85)) << false;
    QTest::newRow("line separator") << QString(QChar(0x2028)) << false;
}

void tst_dsp_editors::nameValidator()
{
    QFETCH(QString, text);
    QFETCH(bool, acceptable);
    NameValidator validator;
    int pos = 0;
    QCOMPARE(validator.validate(text, pos), acceptable ? QValidator::Acceptable : QValidator::Invalid);
}

void tst_dsp_editors::nameEditorLimitsInput()
{
    QStringListModel model(QStringList{QStringLiteral("One"), QStringLiteral("Two")});
    QListView view;
    view.setModel(&model);
    installNameEditDelegate(&view);
    QAbstractItemDelegate *first = view.itemDelegate();
    QVERIFY(qobject_cast<NameEditDelegate *>(first));
    installNameEditDelegate(&view); // a second install keeps the first delegate
    QCOMPARE(view.itemDelegate(), first);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    view.edit(model.index(1, 0));
    auto *editor = view.findChild<QLineEdit *>();
    QVERIFY(editor);
    QCOMPARE(editor->maxLength(), 16);
    QCOMPARE(editor->text(), QStringLiteral("Two"));
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Zone [B] \"East\" and more"));
    QCOMPARE(editor->text(), QStringLiteral("Zone B East and "));
    editor->insert(QStringLiteral("x]")); // a paste is refused whole
    QCOMPARE(editor->text(), QStringLiteral("Zone B East and "));
    QTest::keyClick(editor, Qt::Key_Return);

    // The delegate commits from the event loop.
    QTRY_COMPARE(model.index(1, 0).data().toString(), QStringLiteral("Zone B East and "));
    QCOMPARE(changed.count(), 1);
}

void tst_dsp_editors::nameEditorInPresetList()
{
    auto *list = widget<QListView>("listViewDSPPreset");
    installNameEditDelegate(list);
    // A name from the unit with a character the editor refuses.
    window->presetNamesModel.setData(window->presetNamesModel.index(0, 0), QStringLiteral("Old[1]"));
    showZoneInMode(1, Preset);
    spy->clear();

    list->edit(window->presetNamesModel.index(0, 0));
    auto *editor = list->findChild<QLineEdit *>();
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("Old1"));
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Rock\"n\"Roll"));
    QTest::keyClick(editor, Qt::Key_Return);

    QTRY_COMPARE(sent(), QStringList{QStringLiteral("[NEP1\"RocknRoll\"]")});
}

QTEST_MAIN(tst_dsp_editors)
#include "tst_dsp_editors.moc"
