#include "platform/Platform.h"

#include <cstdio>
#include <cstdlib>

namespace zelwiz {
namespace {
Platform gPlatform;

template <class T>
T& Require(T* service, const char* name) {
    if (service == nullptr) {
        std::fprintf(stderr, "zelwiz: the platform has no %s service installed\n", name);
        std::abort();
    }
    return *service;
}
}  // namespace

Platform InstallPlatform(const Platform& platform) {
    Platform previous = gPlatform;
    gPlatform = platform;
    return previous;
}

const Platform& CurrentPlatform() {
    return gPlatform;
}
Registry& TheRegistry() {
    return Require(gPlatform.registry, "registry");
}
Shell& TheShell() {
    return Require(gPlatform.shell, "shell");
}
Toolkit& TheToolkit() {
    return Require(gPlatform.toolkit, "toolkit");
}
ComponentCatalog& TheCatalog() {
    return Require(gPlatform.components, "components catalog");
}

SingleInstance& TheInstance() {
    return Require(gPlatform.instance, "single-instance");
}

}  // namespace zelwiz
