// Feeds arbitrary bytes to the main window as reply lines. Whatever a unit or
// a file sends, parsing must not crash, must never send a command, and must
// keep the settings state within its invariants: favorite entries are a
// source 0..15 or the bypass value, and the name models keep their rows.
#include <QApplication>

#include <cstdint>
#include <cstdlib>

#include "app/zor_config.h"

namespace {

zor_config *window = nullptr;
int commandsSent = 0;

bool invariantsHold()
{
    for (const auto &favorite : window->favoriteSource) {
        for (int source : favorite) {
            if (!(source >= 0 && source <= 15) && source != FavoriteBypass)
                return false;
        }
    }
    for (const ZoneDspSettings &zone : window->zoneDsp) {
        if (zone.preset < 0 || zone.preset > 9)
            return false;
    }
    return window->sourceNamesModel.rowCount() == 16 && window->zoneNamesModel.rowCount() == 16 &&
           window->presetNamesModel.rowCount() == 10 && window->groupNamesModel.rowCount() == 10 &&
           window->favoriteNamesModel.rowCount() == 10;
}

} // namespace

// The window and the application live for the whole run, and Qt's offscreen
// platform keeps allocations until the process ends: leak checks would only
// report those.
extern "C" const char *__asan_default_options()
{
    return "detect_leaks=0";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    // Discovery on a free port of its own: the SDDP port may belong to a
    // utility running on this machine.
    telnet_dialog::setDiscoveryPort(0);
    window = new zor_config;
    QObject::connect(window, &zor_config::sendSentData, [] { ++commandsSent; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    window->parseCommand(QByteArray(reinterpret_cast<const char *>(data), static_cast<int>(size)));
    if (commandsSent != 0 || !invariantsHold())
        std::abort();
    return 0;
}
