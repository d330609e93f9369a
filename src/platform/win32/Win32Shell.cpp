#include "platform/win32/Win32Shell.h"

#include <algorithm>
#include <vector>

#include "platform/ErrorInfo.h"
#include "platform/PrivateProfile.h"
#include "platform/win32/Utf16.h"

#include <windows.h>
// After <windows.h>, which these need.
#include <shlobj.h>
#include <winnetwk.h>
// The name is this build's own reader below, not the system's.
#undef GetPrivateProfileString

namespace zelwiz {
namespace {

constexpr DWORD kLongPathChars = 32768;

}  // namespace

Win32Shell::~Win32Shell() {
    for (const auto& [id, process] : started_)
        CloseHandle(process);
}

std::string Win32Shell::ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD chars =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (chars < path.size() || path.size() >= kLongPathChars) {
            path.resize(chars);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t sep = path.rfind(L'\\');
    std::wstring folder = sep == std::wstring::npos ? std::wstring() : path.substr(0, sep);
    if (folder.size() == 2 && folder[1] == L':')
        folder.push_back(L'\\');  // a drive root keeps its separator
    return Utf8(folder);
}

std::string Win32Shell::AppDataFolder(bool create) {
    wchar_t path[MAX_PATH] = {};
    const HRESULT hr = SHGetFolderPathW(nullptr, CSIDL_APPDATA | (create ? CSIDL_FLAG_CREATE : 0),
                                        nullptr, SHGFP_TYPE_CURRENT, path);
    // S_FALSE: the folder does not exist; the caller finds that out and says so.
    if (FAILED(hr))
        return {};
    return Utf8(path);
}

std::string Win32Shell::LoginUserName() {
    wchar_t name[256] = {};
    DWORD chars = 255;
    if (WNetGetUserW(nullptr, name, &chars) != NO_ERROR)
        return {};
    return Utf8(name);
}

bool Win32Shell::PathExists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::int32_t Win32Shell::CreateFolder(const std::string& path, bool everyoneFullAccess) {
    SECURITY_DESCRIPTOR descriptor;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
    // Should the descriptor not be made, the folder gets default rights rather than none.
    const bool open = everyoneFullAccess &&
                      InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
                      SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
    if (!CreateDirectoryW(Wide(path).c_str(), open ? &attributes : nullptr))
        return static_cast<std::int32_t>(GetLastError());
    return 0;
}

std::uint32_t Win32Shell::StartProgram(const std::string& commandLine) {
    std::wstring line = Wide(commandLine);  // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        SetLastDllError(static_cast<std::int32_t>(GetLastError()));
        return 0;
    }
    CloseHandle(info.hThread);
    started_[info.dwProcessId] = info.hProcess;
    return info.dwProcessId;
}

Shell::ProcessHandle Win32Shell::OpenProcess(std::uint32_t processId) {
    return reinterpret_cast<ProcessHandle>(::OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId));
}

bool Win32Shell::WaitForProcess(ProcessHandle process) {
    return WaitForSingleObject(reinterpret_cast<HANDLE>(process), INFINITE) == WAIT_OBJECT_0;
}

bool Win32Shell::GetExitCode(ProcessHandle process, std::uint32_t* code) {
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(reinterpret_cast<HANDLE>(process), &exitCode))
        return false;
    *code = exitCode;
    return true;
}

void Win32Shell::CloseProcess(ProcessHandle process) {
    CloseHandle(reinterpret_cast<HANDLE>(process));
}

void Win32Shell::DebugOutput(const std::string& text) {
    OutputDebugStringA(text.c_str());
}

std::string Win32Shell::SystemErrorText(std::int32_t code) {
    wchar_t text[256] = {};
    const DWORD chars = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                       nullptr, static_cast<DWORD>(code), 0, text, 256, nullptr);
    if (chars == 0)
        return "Unknown Error.";
    std::wstring_view message(text, chars);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
        message.remove_suffix(1);
    return Utf8(message);
}

std::string Win32Shell::PrivateProfileString(const std::string& section, const std::string& key,
                                             const std::string& defaultValue,
                                             std::size_t bufferChars, const std::string& fileName) {
    if (bufferChars == 0)
        return {};
    // An answer no INI line can give tells a missing key from an empty value.
    static const std::wstring kMissing = L"\x1F<missing>\x1F";
    std::vector<wchar_t> buffer(std::max(bufferChars, kMissing.size() + 1), L'\0');
    const DWORD chars = GetPrivateProfileStringW(
        Wide(section).c_str(), Wide(key).c_str(), kMissing.c_str(), buffer.data(),
        static_cast<DWORD>(buffer.size()), Wide(fileName).c_str());
    const std::wstring_view answer(buffer.data(), chars);
    if (answer == kMissing)
        return defaultValue.substr(0, bufferChars - 1);
    if (!answer.empty())
        return Utf8(answer.substr(0, bufferChars - 1));
    // Windows' reader drops the blanks around a value, so a value of blanks alone would read as
    // no value at all; for the program such a key is present (it logs nothing and stores an empty
    // text). The file's own text tells the two apart.
    return GetPrivateProfileString(section, key, defaultValue, bufferChars, fileName);
}

}  // namespace zelwiz
