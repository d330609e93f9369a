// The Windows components have no networking layer yet, so this build has no discovery: the
// subcommand says so instead of reporting on probes it cannot send.
#include "admin/AdminErrors.h"
#include "admin/DiscoveryReport.h"

namespace zelwiz {

DiscoveryReport RunDiscovery(Registry&) {
    throw CommandFailed(
        "discover is not in the Windows build yet: its PBX and VoIP board finders wait for a "
        "networking layer of their own");
}

}  // namespace zelwiz
