#pragma once
// The one platform object the core stands on. `main` installs it once; each test installs its
// own. Module procedures reach the services through the accessors below.

namespace zelwiz {

class Registry;
class Shell;
class Toolkit;
class ComponentCatalog;
class SingleInstance;

struct Platform {
    Registry* registry = nullptr;
    Shell* shell = nullptr;
    Toolkit* toolkit = nullptr;
    ComponentCatalog* components = nullptr;
    SingleInstance* instance = nullptr;
};

// Installs `platform` (copied) and answers the one it replaces.
Platform InstallPlatform(const Platform& platform);
const Platform& CurrentPlatform();

// Each accessor aborts with a clear message when its service was not installed: that is a
// wiring fault of the program, not a run-time error.
Registry& TheRegistry();
Shell& TheShell();
Toolkit& TheToolkit();
ComponentCatalog& TheCatalog();
SingleInstance& TheInstance();

}  // namespace zelwiz
