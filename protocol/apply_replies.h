#ifndef APPLY_REPLIES_H
#define APPLY_REPLIES_H

// Applying one decoded reply to the main window: one function per message
// kind, chosen by parseCommand through a table in reply order. The functions
// change widgets and settings state only; they never send a command.
//
// Editing widgets are changed with their signals blocked, so no editor slot
// takes the change for a user edit; labels and level bars are changed
// directly, as nothing listens to them.

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QSignalBlocker>
#include <QLineEdit>
#include <QSpinBox>
#include <QAbstractSlider>
#include <QAbstractButton>
#include <QStringListModel>

#include "protocol/core/reply_decoder.h"
#include "editors/editor_support.h"

class zor_config;
class Ui_zor_config;
struct ReplyTargets;

namespace replies {

struct Context {
    zor_config &window;
    Ui_zor_config &ui;
    ReplyTargets &targets;
    bool loadingFile; // a configuration file is being loaded
};

using Reply = protocol::DecodedReply;
using Apply = void (*)(Context &, const Reply &);

// The 1-based number of a list view's current row; 0 when it has none.
inline int currentNumber(const QAbstractItemView *view)
{
    return view->currentIndex().row() + 1;
}

inline bool inRange(int value, int min, int max)
{
    return value >= min && value <= max;
}

using editors::setSilently;

inline void setValueSilently(QAbstractSlider *slider, int value)
{
    setSilently(slider, [&] { slider->setValue(value); });
}

inline void setValueSilently(QSpinBox *spinBox, int value)
{
    setSilently(spinBox, [&] { spinBox->setValue(value); });
}

inline void setCheckedSilently(QAbstractButton *box, bool checked)
{
    setSilently(box, [&] { box->setChecked(checked); });
}

inline void setTextSilently(QLineEdit *edit, const QString &text)
{
    setSilently(edit, [&] { edit->setText(text); });
}

// Renames one row of a name model with the model's signals blocked, so the
// editor watching the model does not send the name back. The view is asked
// to repaint, since the blocked model cannot tell it. A row outside the model
// changes nothing.
inline void renameSilently(QStringListModel &model, int row, const QString &name, QAbstractItemView *view)
{
    const QModelIndex index = model.index(row, 0);
    if (!index.isValid())
        return;
    {
        const QSignalBlocker blocker(&model);
        model.setData(index, name, Qt::EditRole);
    }
    if (view)
        view->viewport()->update(view->visualRect(index));
}

inline QString text(const char *source)
{
    return QCoreApplication::translate("zor_config", source);
}

// Zone and source page, troubleshooting page (apply_zone.cpp).
void zoneVolume(Context &, const Reply &);
void zoneSource(Context &, const Reply &);
void zoneUnmute(Context &, const Reply &);
void zoneMute(Context &, const Reply &);
void sourceName(Context &, const Reply &);
void zoneName(Context &, const Reply &);
void zoneFixed(Context &, const Reply &);
void zonePowerOff(Context &, const Reply &);
void zonePowerOnVolume(Context &, const Reply &);
void zonePowerOn(Context &, const Reply &);
void zoneBalanceLeft(Context &, const Reply &);
void zoneBalanceRight(Context &, const Reply &);
void outputLevelLeft(Context &, const Reply &);
void outputLevelRight(Context &, const Reply &);

// DSP page (apply_dsp.cpp).
void zoneDspMode(Context &, const Reply &);
void zoneTone(Context &, const Reply &);
void zoneHighpass(Context &, const Reply &);
void zoneLowpass(Context &, const Reply &);
void zoneEqBand(Context &, const Reply &);
void zonePresetSelect(Context &, const Reply &);
void presetName(Context &, const Reply &);
void presetEqBand(Context &, const Reply &);

// Network/Misc, group and favorite pages (apply_pages.cpp).
void dhcpEnable(Context &, const Reply &);
void sddpEnable(Context &, const Reply &);
void gateway(Context &, const Reply &);
void ipAddress(Context &, const Reply &);
void networkMask(Context &, const Reply &);
void fpBrightness(Context &, const Reply &);
void fpSleep(Context &, const Reply &);
void fpLock(Context &, const Reply &);
void fpIrLock(Context &, const Reply &);
void triggerMode(Context &, const Reply &);
void triggerLevel(Context &, const Reply &);
void triggerTime(Context &, const Reply &);
void serialResponses(Context &, const Reply &);
void groupAddZone(Context &, const Reply &);
void groupRemoveZone(Context &, const Reply &);
void groupName(Context &, const Reply &);
void favoriteZoneSource(Context &, const Reply &);
void favoriteName(Context &, const Reply &);
void favoriteZoneBypass(Context &, const Reply &);

} // namespace replies

#endif // APPLY_REPLIES_H
