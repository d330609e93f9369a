#include "admin/SystemDescription.h"

#include <windows.h>

#include <string>

namespace zelwiz {
namespace {

using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);

}  // namespace

// GetVersionEx answers what the program's manifest allows it to know; ntdll's RtlGetVersion tells
// the version that runs.
std::string SystemDescription() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    if (rtlGetVersion == nullptr || rtlGetVersion(&version) != 0)
        return "Windows";
    SYSTEM_INFO system{};
    GetNativeSystemInfo(&system);
    const char* machine = system.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64   ? "x64"
                          : system.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_ARM64 ? "ARM64"
                                                                                          : "x86";
    std::string text = "Windows " + std::to_string(version.dwMajorVersion) + "." +
                       std::to_string(version.dwMinorVersion) + " build " +
                       std::to_string(version.dwBuildNumber) + " " + machine;
    // Wine says so, for support's sake.
    if (GetProcAddress(ntdll, "wine_get_version") != nullptr)
        text += " (Wine)";
    return text;
}

}  // namespace zelwiz
