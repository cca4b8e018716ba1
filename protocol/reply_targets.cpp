#include "protocol/reply_targets.h"

ReplyTargets::ReplyTargets(QObject *window)
    : sliderZoneVol(window, "sliderZoneVol"), labelZoneVol(window, "labelZoneVol"),
      checkBoxZoneMute(window, "checkBoxZoneMute"), checkBoxZoneFix(window, "checkBoxZoneFix"),
      checkBoxZonePower(window, "checkBoxZonePower"), spinBoxZoneBal(window, "spinBoxZoneBal"),
      spinBoxZonePOnVol(window, "spinBoxZonePOnVol"), comboBoxZoneSource(window, "comboBoxZoneSource"),
      labelSourceZone(window, "labelSourceZone"), lineEditZoneName(window, "lineEditZoneName"),
      lineEditSourceName(window, "lineEditSourceName"), progressBarLeftZone(window, "progressBarLeftZone"),
      progressBarRightZone(window, "progressBarRightZone"), sliderDSPEQ(window, "sliderDSPEQ"),
      labelDSPEQVal(window, "labelDSPEQVal"), checkBoxGroupZone(window, "checkBoxGroupZone"),
      checkBoxFavoriteBypass(window, "checkBoxFavoriteBypass"),
      comboBoxFavoriteSource(window, "comboBoxFavoriteSource")
{}
