// Steps of the undo history.
#include "app/settings_step.h"

#include "app/zor_config.h"

SettingsStep::SettingsStep(zor_config &window, Kind kind, const QString &text, const UnitSettings &before,
                           const UnitSettings &after, bool offlineBefore, bool offlineAfter)
    : QUndoCommand(text), window(window), stepKind(kind), before(before), after(after),
      offlineBefore(offlineBefore), offlineAfter(offlineAfter), changedSettings(differing(before, after))
{
    lastEdit.start();
}

QVector<int> SettingsStep::differing(const UnitSettings &a, const UnitSettings &b)
{
    QVector<int> settings;
    for (int i = 0; i < UnitSettings::SettingCount; ++i) {
        const UnitSettings::Setting s = UnitSettings::Setting::at(i);
        if (a.commandOf(s) != b.commandOf(s))
            settings.append(i);
    }
    return settings;
}

void SettingsStep::undo()
{
    replayed = true;
    restore(before, offlineBefore);
}

void SettingsStep::redo()
{
    if (alreadyShown) {
        alreadyShown = false;
        return;
    }
    replayed = true;
    restore(after, offlineAfter);
}

void SettingsStep::restore(const UnitSettings &target, bool offline)
{
    if (stepKind == Edit) {
        // The settings the edit changed; the unit follows while a link is
        // open, otherwise the window holds a change of its own.
        const bool send = window.linkOpen();
        window.applySettings(target, changedSettings, send);
        if (!send)
            window.offlineEdits = true;
        return;
    }
    // Everything the window held then, whatever has changed it since.
    window.applySettings(target, differing(window.shown, target), false);
    window.offlineEdits = offline;
}

int SettingsStep::id() const
{
    return stepKind == Edit ? 1 : -1;
}

bool SettingsStep::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const SettingsStep *>(other);
    if (replayed || !stepping || !next->stepping || next->text() != text() ||
        lastEdit.elapsed() > window.editMergeMs)
        return false;
    after = next->after;
    offlineAfter = next->offlineAfter;
    changedSettings = differing(before, after);
    lastEdit.start();
    // An edit taken back by the next one leaves nothing to undo.
    setObsolete(changedSettings.isEmpty());
    return true;
}
