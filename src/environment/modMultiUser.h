#pragma once
// Per-user data folders and the copy of the user's defaults: which folder holds the user's data
// files (the error log among them), creating it with the right access, copying the language and
// help settings from the machine defaults, and waiting for a started program. Folder paths use the
// platform's separator (kFolderSeparator).

#include <cstdint>
#include <string>

namespace zelwiz {

// The folder of the program's executable, without a trailing separator.
std::string AppFolder();
// The login name of the user; empty when there is none.
std::string GetNetUserName();

// The user's data folder, chosen once per run and created when missing:
//  1. the user's "DataPath" (HKCU ...\7316\ZELPhone) when set: the user's own folder;
//  2. else, when "MultiUser" (HKLM ...\7316\Install) is "yes" in any case or empty: the user's
//     application-data folder + separator + the full product name (g7316Name), the user's own
//     folder; the program folder when the user has no application-data folder;
//  3. else the machine "DataPath" (HKLM ...\7316\Install) when set, else the program folder.
// A folder shared by all users is created open to everyone. On an error the call answers the
// empty text (logged as "modMultiUser.DataPath"), while the folder already chosen is kept.
std::string DataPath();
// The user's application-data folder (created when missing), or empty.
std::string GetUserProfilePath();
// Creates every missing level of the path.
void MakeSubDir(const std::string& Path);
// Creates one folder when nothing of that name exists: open to everyone unless the data folder
// is the user's own. A failure is logged with the path as message.
void MakeDir(std::string& Path);
// Starts a program of the product family from the program's folder: the quoted path
// "<AppFolder>/<name>", then the arguments, with a normal focused window, without waiting.
// Answers the process identifier. A program that is missing or cannot be started raises error 53
// naming its full path, with the system's reason as the last system error.
std::uint32_t StartProductProgram(const std::string& name, const std::string& arguments = {});
// The exit code of the process: with Wait, after it ended; without, polling and letting the user
// interface process its events while it runs. 0 when the process cannot be opened.
std::uint32_t WaitOnProgram(std::uint32_t ProcessId, bool Wait);
// Gives the user the machine's "lang" and "Help" (or "0") where the user has none.
void CopyHKLM2HKCU();

// Forgets the chosen data folder.
void ResetMultiUserForTests();

}  // namespace zelwiz
