// The window's undo history and the edits that exist nowhere else.
//
// A user edit is found by what it changed: once an editor has sent its
// command (and before anything else changes the window) the window's
// settings are compared with those it held before; what differs is one step.
// The unit's replies, a Load, a Receive All and the history itself move the
// window on without making a step of a user edit: after each of them the
// window's settings are taken as the new starting point.
//
// A drag of a slider is one step: its edits are taken together when the
// handle is released. Steps of the same value in quick succession (keys, the
// wheel, a spin box held down) are merged into one step as well.
#include "app/zor_config.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QSlider>

#include "app/settings_step.h"
#include "editors/editor_support.h"
#include "forms/zor_config_form.h"
#include "protocol/core/reply_decoder.h"

namespace {

constexpr int HistoryLimit = 100;

// The name a list row holds, or `fallback` when it holds none that can be
// sent.
QString heldName(const QStringListModel &model, int row, const QString &fallback)
{
    const QString name = model.index(row, 0).data(Qt::DisplayRole).toString();
    return editors::isSendableName(name) ? protocol::sanitizeName(name) : fallback;
}

// "Undo" alone, or followed by the step's text as a menu shows it: an "&" in
// a file name is not a mnemonic.
QString menuText(const QString &plain, const QString &format, QString step)
{
    return step.isEmpty() ? plain : format.arg(step.replace(QLatin1Char('&'), QLatin1String("&&")));
}

} // namespace

void zor_config::wireHistory()
{
    undoHistory.setUndoLimit(HistoryLimit);
    editSettle.setSingleShot(true);
    editSettle.setInterval(0);
    connect(&editSettle, &QTimer::timeout, this, &zor_config::settleEdit);
    connect(ui->actionUndo, &QAction::triggered, this, &zor_config::undoStep);
    connect(ui->actionRedo, &QAction::triggered, this, &zor_config::redoStep);
    connect(&undoHistory, &QUndoStack::indexChanged, this, &zor_config::updateUndoActions);
    connect(&undoHistory, &QUndoStack::undoTextChanged, this, &zor_config::updateUndoActions);
    connect(&undoHistory, &QUndoStack::redoTextChanged, this, &zor_config::updateUndoActions);
    for (QSlider *slider : findChildren<QSlider *>()) {
        connect(slider, &QAbstractSlider::sliderPressed, this, &zor_config::holdEdits);
        connect(slider, &QAbstractSlider::sliderReleased, this, &zor_config::releaseEdits);
    }
    // Fields take Ctrl+Z for themselves unless they are told otherwise.
    for (QAbstractSpinBox *box : findChildren<QAbstractSpinBox *>())
        box->installEventFilter(this);
    for (QLineEdit *field : findChildren<QLineEdit *>()) {
        field->installEventFilter(this);
        connect(field, &QLineEdit::editingFinished, field, [field] { field->setModified(false); });
    }
    shown = settledSettings();
}

// A spin box's value is the window's as soon as it changes, and so is a
// field's text once it has been entered: Undo is the window's step. Typing
// not yet entered is the field's own to take back.
bool zor_config::undoKeyIsWindows(QObject *field, QEvent *event) const
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (!key->matches(QKeySequence::Undo) && !key->matches(QKeySequence::Redo))
        return false;
    const auto *edit = qobject_cast<QLineEdit *>(field);
    return qobject_cast<QAbstractSpinBox *>(field) ||
           (edit && (qobject_cast<QAbstractSpinBox *>(edit->parent()) || !edit->isModified()));
}

// The window's settings between edits: a name field or an address field
// being typed in counts with what it held before, until the user leaves it
// (the name lists hold the names last sent or received).
UnitSettings zor_config::settledSettings() const
{
    UnitSettings s = currentSettings();
    for (int n = 0; n < protocol::SourceCount; ++n)
        s.sourceNames[n] = heldName(sourceNamesModel, n, s.sourceNames[n]);
    for (int n = 0; n < protocol::ZoneCount; ++n)
        s.zones[n].name = heldName(zoneNamesModel, n, s.zones[n].name);
    if (networkIpChanged)
        s.ipAddress = shown.ipAddress;
    if (networkMaskChanged)
        s.networkMask = shown.networkMask;
    if (networkGatewayChanged)
        s.gateway = shown.gateway;
    return s;
}

// Every command the window sends may come from an editor: the settings are
// looked at once the editor has returned.
void zor_config::editMade()
{
    if (replayingStep)
        return;
    // Whether the edit reached a unit is decided now: the link may change
    // before the step is taken.
    editReachedNoUnit = editReachedNoUnit.value_or(false) || !linkOpen();
    editSettle.start();
}

void zor_config::settleEdit()
{
    editSettle.stop();
    if (sliderHeld || replayingStep)
        return;
    const UnitSettings before = heldBase ? *heldBase : shown;
    // Keys, the wheel or a spin box's arrows step a value: steps of one
    // setting in quick succession are one edit. A drag, a click on a box and
    // a choice in a list are an edit each.
    const bool stepping = !heldBase && (qobject_cast<QAbstractSpinBox *>(focusWidget()) ||
                                        qobject_cast<QAbstractSlider *>(focusWidget()));
    heldBase.reset();
    const bool sentNowhere = editReachedNoUnit.value_or(!linkOpen());
    editReachedNoUnit.reset();
    const UnitSettings now = settledSettings();
    if (now == before) {
        shown = now;
        return;
    }
    const bool offlineBefore = offlineEdits;
    offlineEdits = offlineEdits || sentNowhere;
    auto *step =
        new SettingsStep(*this, SettingsStep::Edit, QString(), before, now, offlineBefore, offlineEdits);
    // Named after the setting edited; a volume edit also changes the mute box.
    step->setText(UnitSettings::Setting::at(step->changed().value(0)).name());
    step->stepping = stepping;
    shown = now;
    undoHistory.push(step);
}

void zor_config::holdEdits()
{
    settleEdit();
    if (!sliderHeld)
        heldBase = shown;
    sliderHeld = true;
}

// The released slider's editor may still run (a slider that reports only on
// release does so after this signal): the drag is taken afterwards.
void zor_config::releaseEdits()
{
    sliderHeld = false;
    editSettle.start();
}

// A reply line is about to change the window: an edit made before it is a
// step of its own.
void zor_config::beforeReply()
{
    if (editSettle.isActive())
        settleEdit();
}

// The reply moves the starting point of the next edit by the setting it
// reported, read with the window's own rules; one the model does not take as
// it stands (a value beyond the range a widget clamps to, a name the window
// cleans) is looked at in the whole window.
void zor_config::afterReply(const protocol::DecodedReply &reply)
{
    // A file being loaded or a step being replayed takes its new starting
    // point once it is through.
    if (loadingFile)
        return;
    protocol::ParsedFrame frame;
    frame.id = reply.message;
    const protocol::MessageDefinition &row = protocol::definition(reply.message);
    for (int f = 0; f < row.fieldCount; ++f) {
        if (row.fields[f].kind == protocol::FieldKind::Number)
            frame.numbers[f] = reply.value[f];
        else
            frame.texts[f] = reply.text[f];
    }
    if (UnitSettings::settingOf(frame))
        settingsFile.clear();
    if (!shown.apply(frame, UnitSettings::Origin::Reported))
        shown = settledSettings();
}

void zor_config::holdsFileSettings(const QString &fileName)
{
    settingsFile = QFileInfo(fileName).fileName();
    undoHistory.setClean();
}

void zor_config::beginWindowStep(UnitSettings &base, bool &offline)
{
    settleEdit();
    base = shown;
    offline = offlineEdits;
}

// A Load or a Receive All is through: one step from what the window held at
// its start, when it changed anything.
void zor_config::endWindowStep(int kind, const QString &text, const UnitSettings &base, bool offline)
{
    shown = settledSettings();
    if (shown != base)
        undoHistory.push(
            new SettingsStep(*this, SettingsStep::Kind(kind), text, base, shown, offline, offlineEdits));
}

// Shows the settings' values of `target` as stored lines do (a zone powered
// on keeps its volume), then sends their commands when asked to.
void zor_config::applySettings(const UnitSettings &target, const QVector<int> &settings, bool send)
{
    replayingStep = true;
    for (const int index : settings)
        applyStoredFrame(target.commandOf(UnitSettings::Setting::at(index)));
    // The pages that show one zone, group or favorite at a time, as the
    // stored values now say.
    listViewDSPZoneChange(ui->listViewDSPZone->currentIndex());
    listViewGroupChange(ui->listViewGroup->currentIndex());
    listViewFavoriteChange(ui->listViewFavorites->currentIndex());
    shown = settledSettings();
    if (send) {
        for (const int index : settings)
            sendCommand(target.commandOf(UnitSettings::Setting::at(index)));
    }
    replayingStep = false;
}

void zor_config::undoStep()
{
    if (currentRun() != Run::None || sliderHeld)
        return;
    settleEdit();
    undoHistory.undo();
}

void zor_config::redoStep()
{
    if (currentRun() != Run::None || sliderHeld)
        return;
    settleEdit();
    undoHistory.redo();
}

// "Undo Zone 3 volume", "Redo Load restaurant.ZOR"; a run going on holds the
// history still, as it does Load and Save.
void zor_config::updateUndoActions()
{
    const bool idle = currentRun() == Run::None;
    ui->actionUndo->setText(menuText(tr("Undo"), tr("Undo %1"), undoHistory.undoText()));
    ui->actionRedo->setText(menuText(tr("Redo"), tr("Redo %1"), undoHistory.redoText()));
    ui->actionUndo->setEnabled(idle && undoHistory.canUndo());
    ui->actionRedo->setEnabled(idle && undoHistory.canRedo());
}

bool zor_config::keepOrDiscardEdits()
{
    settleEdit();
    if (!offlineEdits)
        return true;
    QMessageBox box(QMessageBox::Warning, windowTitle(),
                    tr("The window holds changes that are not saved or sent."),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return saveWithDialog();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void zor_config::exitApplication()
{
    if (!keepOrDiscardEdits())
        return;
    // Answered: quitting closes the window, which does not ask again.
    offlineEdits = false;
    QCoreApplication::quit();
}
