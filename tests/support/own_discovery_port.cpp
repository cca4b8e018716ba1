// Linked into every test executable: the windows and network dialogs a test
// makes bind their discovery socket to a free port of their own instead of
// the SDDP port. Tests therefore never share a port with one another, nor
// with a utility or a simulated unit running on the same machine, and an
// answer a test sends to its dialog's port reaches that dialog alone.
#include "link/telnet_dialog.h"

namespace {

[[maybe_unused]] const bool ownDiscoveryPort = [] {
    telnet_dialog::setDiscoveryPort(0);
    return true;
}();

} // namespace
