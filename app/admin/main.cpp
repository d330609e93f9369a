// zelwiz-admin: the administrator's companion of the zelwiz wizard. Wires this build's platform
// (the registry files, the POSIX shell, the headless toolkit, the components) and runs one
// subcommand.
#include <iostream>
#include <string>
#include <vector>

#include "admin/AdminCommands.h"
#include "components/translator/RegisterTextTranslator.h"
#include "platform/ComponentCatalog.h"
#include "platform/HeadlessToolkit.h"
#include "platform/Platform.h"
#include "platform/posix/FileRegistry.h"
#include "platform/posix/PosixShell.h"

using namespace zelwiz;

int main(int argc, char** argv) {
    std::unique_ptr<FileRegistry> registry = FileRegistry::FromEnvironment();
    PosixShell shell;
    HeadlessToolkit toolkit;
    ComponentCatalog catalog;
    RegisterTextTranslator(catalog);
    InstallPlatform(Platform{registry.get(), &shell, &toolkit, &catalog, nullptr});
    for (const std::string& problem : registry->Problems())
        std::cerr << "zelwiz-admin: " << problem << "\n";
    return RunAdminCommand(std::vector<std::string>(argv + 1, argv + argc), *registry, shell,
                           std::cout, std::cerr);
}
