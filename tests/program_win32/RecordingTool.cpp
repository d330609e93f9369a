// A stand-in for a program of the product family (the restore tool, the main application): it
// appends its command line, as Windows gave it, to "<its own path>.ran" in UTF-8 and ends.
#include <filesystem>
#include <fstream>

#include "platform/win32/Utf16.h"

#include <windows.h>

int main() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::ofstream(std::filesystem::path(self) += L".ran", std::ios::binary | std::ios::app)
        << zelwiz::Utf8(GetCommandLineW()) << '\n';
}
