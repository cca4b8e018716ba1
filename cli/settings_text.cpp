#include "cli/settings_text.h"

namespace settings_text {

namespace {

using settingtext::balanceText;
using settingtext::modeText;

// Switches read in lower case on the command line.
QString onOff(bool on)
{
    return settingtext::onOff(on).toLower();
}

QString bandsText(const int *eq)
{
    QStringList parts;
    for (int b = 0; b < protocol::BandCount; ++b)
        parts << QString::number(eq[b]);
    return parts.join(QLatin1Char(' ')) + QStringLiteral(" dB");
}

} // namespace

QStringList pages()
{
    return {QStringLiteral("Source"),       QStringLiteral("Zone"),   QStringLiteral("DSP"),
            QStringLiteral("Network/Misc"), QStringLiteral("Groups"), QStringLiteral("Favorites")};
}

QVector<Line> lines(const UnitSettings &s)
{
    QVector<Line> out;
    auto add = [&out](const QString &page, const QString &setting, const QString &value) {
        out.append({page, setting, value});
    };
    const QString source = QStringLiteral("Source"), zone = QStringLiteral("Zone"),
                  dsp = QStringLiteral("DSP"), net = QStringLiteral("Network/Misc"),
                  groups = QStringLiteral("Groups"), favorites = QStringLiteral("Favorites");

    for (int i = 0; i < protocol::SourceCount; ++i)
        add(source, QStringLiteral("Source %1 name").arg(i + 1), s.sourceNames[i]);

    for (int i = 0; i < protocol::ZoneCount; ++i) {
        const UnitSettings::Zone &z = s.zones[i];
        const QString p = QStringLiteral("Zone %1 ").arg(i + 1);
        add(zone, p + QStringLiteral("name"), z.name);
        add(zone, p + QStringLiteral("volume"), QStringLiteral("%1 dB").arg(z.volume));
        add(zone, p + QStringLiteral("mute"), onOff(z.muted));
        add(zone, p + QStringLiteral("fixed volume"), onOff(z.fixed));
        add(zone, p + QStringLiteral("balance"), balanceText(z.balance));
        add(zone, p + QStringLiteral("source"), QStringLiteral("Source %1").arg(z.source));
        add(zone, p + QStringLiteral("power"), onOff(z.powered));
        add(zone, p + QStringLiteral("power-on volume"), QStringLiteral("%1 dB").arg(z.powerOnVolume));
    }

    for (int i = 0; i < protocol::ZoneCount; ++i) {
        const UnitSettings::Zone &z = s.zones[i];
        const QString p = QStringLiteral("Zone %1 ").arg(i + 1);
        add(dsp, p + QStringLiteral("DSP mode"), modeText(z.dspMode));
        add(dsp, p + QStringLiteral("EQ"), bandsText(z.eq));
        add(dsp, p + QStringLiteral("preset"), QStringLiteral("Preset %1").arg(z.preset));
        add(dsp, p + QStringLiteral("tone"),
            QStringLiteral("bass %1 dB, treble %2 dB").arg(z.bass).arg(z.treble));
        add(dsp, p + QStringLiteral("lowpass"), QStringLiteral("%1 Hz").arg(z.lowpass));
        add(dsp, p + QStringLiteral("highpass"), QStringLiteral("%1 Hz").arg(z.highpass));
    }
    for (int i = 0; i < protocol::PresetCount; ++i) {
        add(dsp, QStringLiteral("Preset %1 name").arg(i + 1), s.presets[i].name);
        add(dsp, QStringLiteral("Preset %1 EQ").arg(i + 1), bandsText(s.presets[i].eq));
    }

    add(net, QStringLiteral("DHCP"), onOff(s.dhcp));
    add(net, QStringLiteral("IP address"), s.ipAddress);
    add(net, QStringLiteral("Network mask"), s.networkMask);
    add(net, QStringLiteral("Gateway"), s.gateway);
    add(net, QStringLiteral("SDDP"), onOff(s.sddp));
    add(net, QStringLiteral("Front panel brightness"), QStringLiteral("step %1").arg(s.brightness));
    add(net, QStringLiteral("Front panel sleep"), QStringLiteral("%1 min").arg(s.sleep));
    add(net, QStringLiteral("Front panel lock"), onOff(s.panelLock));
    add(net, QStringLiteral("IR lock"), onOff(s.irLock));
    add(net, QStringLiteral("Serial responses"), onOff(s.serialResponses));
    static const char *const triggerModes[] = {"Wired IR", "Trigger", "Trigger + Serial"};
    add(net, QStringLiteral("Trigger mode"),
        s.triggerMode >= 0 && s.triggerMode < 3 ? QString::fromLatin1(triggerModes[s.triggerMode])
                                                : QString::number(s.triggerMode));
    add(net, QStringLiteral("Trigger level"), QStringLiteral("%1 mV").arg(s.triggerLevel));
    add(net, QStringLiteral("Trigger time"), QStringLiteral("%1 min").arg(s.triggerTime));

    for (int i = 0; i < protocol::GroupCount; ++i) {
        const UnitSettings::Group &g = s.groups[i];
        QStringList members;
        for (int z = 1; z <= protocol::ZoneCount; ++z)
            if (g.hasMember(z))
                members << QString::number(z);
        add(groups, QStringLiteral("Group %1 name").arg(i + 1), g.name);
        add(groups, QStringLiteral("Group %1 zones").arg(i + 1),
            members.isEmpty() ? QStringLiteral("none") : members.join(QLatin1Char(' ')));
    }

    for (int i = 0; i < protocol::FavoriteCount; ++i) {
        const UnitSettings::Favorite &f = s.favorites[i];
        add(favorites, QStringLiteral("Favorite %1 name").arg(i + 1), f.name);
        for (int z = 0; z < protocol::ZoneCount; ++z)
            add(favorites, QStringLiteral("Favorite %1 zone %2").arg(i + 1).arg(z + 1),
                f.source[z] == UnitSettings::Bypass ? QStringLiteral("Bypass")
                                                    : QStringLiteral("Source %1").arg(f.source[z]));
    }
    return out;
}

} // namespace settings_text
