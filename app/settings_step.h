#ifndef SETTINGS_STEP_H
#define SETTINGS_STEP_H

#include <QElapsedTimer>
#include <QString>
#include <QUndoCommand>
#include <QVector>

#include "protocol/core/unit_settings.h"

class zor_config;

// One step of the window's undo history: the window's settings before and
// after a user edit, a Load or a Receive All.
//
// A user edit changed the window and, with a link open, the unit: undoing it
// shows the settings it changed at their earlier values and, with a link
// open then, sends their commands as the editors do. A Load or a Receive All
// changed only the window: undoing it gives the window back every setting it
// held before, and sends nothing. Redo does the step again the same way.
class SettingsStep : public QUndoCommand
{
public:
    enum Kind { Edit, Load, ReceiveAll };

    // `offlineBefore` and `offlineAfter`: whether the window held edits that
    // exist nowhere else before and after the step.
    SettingsStep(zor_config &window, Kind kind, const QString &text, const UnitSettings &before,
                 const UnitSettings &after, bool offlineBefore, bool offlineAfter);

    Kind kind() const { return stepKind; }
    // The settings the step changed, as indices of UnitSettings::Setting.
    const QVector<int> &changed() const { return changedSettings; }

    void undo() override;
    void redo() override;
    // An edit that stepped a value (keys, the wheel, a spin box's arrows):
    // such edits of the same setting in quick succession are one step.
    bool stepping = false;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

    // The settings in which two models differ, zone sources included.
    static QVector<int> differing(const UnitSettings &a, const UnitSettings &b);

private:
    void restore(const UnitSettings &target, bool offline);

    zor_config &window;
    Kind stepKind;
    UnitSettings before;
    UnitSettings after;
    bool offlineBefore;
    bool offlineAfter;
    QVector<int> changedSettings;
    // The window already shows the step when it is pushed: the first redo
    // has nothing to do.
    bool alreadyShown = true;
    // Undone or done again since it was made: no longer merged into.
    bool replayed = false;
    QElapsedTimer lastEdit;
};

#endif // SETTINGS_STEP_H
