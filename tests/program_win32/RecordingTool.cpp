// A stand-in for a program of the product family (the restore tool, the main application): it
// appends its command line, as Windows gave it, to "<its own path>.ran" and ends.
#include <filesystem>
#include <fstream>
#include <string>

#include <windows.h>

int main() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring line = std::wstring(GetCommandLineW()) + L"\n";
    std::ofstream record(std::filesystem::path(self) += L".ran", std::ios::binary | std::ios::app);
    record.write(reinterpret_cast<const char*>(line.data()),
                 static_cast<std::streamsize>(line.size() * sizeof(wchar_t)));
    return record.good() ? 0 : 1;
}
