// zelwiz-admin.exe: the administrator's companion on Windows. Wires the platform of Windows itself
// (the registry, the shell services), the headless toolkit and the components, and runs one
// subcommand. Its arguments come from the UTF-16 command line, so paths in any language work.
#include <iostream>
#include <string>
#include <vector>

#include "admin/AdminCommands.h"
#include "components/translator/RegisterTextTranslator.h"
#include "platform/CommandLine.h"
#include "platform/ComponentCatalog.h"
#include "platform/HeadlessToolkit.h"
#include "platform/Platform.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"

#include <windows.h>  // after the core's headers, whose names its macros would take

using namespace zelwiz;

int main() {
    std::vector<std::string> args = SplitCommandLine(Utf8(GetCommandLineW()));
    if (!args.empty())
        args.erase(args.begin());  // the program's own name
    Win32Registry registry;
    Win32Shell shell;
    HeadlessToolkit toolkit;
    ComponentCatalog catalog;
    RegisterTextTranslator(catalog);
    InstallPlatform(Platform{&registry, &shell, &toolkit, &catalog, nullptr});
    // The reports are UTF-8: a console shows them as such while the tool runs, then gets its own
    // code page back. Output to a file or a pipe is not affected.
    const UINT consolePage = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
    const int code = RunAdminCommand(args, registry, shell, std::cout, std::cerr);
    std::cout.flush();
    if (consolePage != 0)
        SetConsoleOutputCP(consolePage);
    return code;
}
