#pragma once
// One copy per user session on Linux: a lock file held by the running copy and a local socket on
// which it answers "bring your window with this caption to the front", both in the user's
// runtime folder ($XDG_RUNTIME_DIR). Installations side by side (another registry folder) are
// separate sessions of their own.
//
// Another local user must not be able to stop the program or talk to it: the folder is used only
// when it is the user's own (a folder, not a link, owned by the user, mode 0700), else the copy
// runs alone; and the socket answers, and is asked, only by a process of the same user, as its
// peer credentials tell (the abstract-namespace socket has no file permissions).

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "platform/SingleInstance.h"

namespace zelwiz {

class PosixSingleInstance : public SingleInstance {
  public:
    // `runtimeFolder` holds the lock and the socket; `installation` names the installation.
    PosixSingleInstance(const std::string& runtimeFolder, const std::string& installation);
    // $XDG_RUNTIME_DIR (or /tmp/zelwiz-<uid>, created when missing) and the registry folder in
    // use.
    static std::unique_ptr<PosixSingleInstance> ForThisSession();
    ~PosixSingleInstance() override;
    PosixSingleInstance(const PosixSingleInstance&) = delete;
    PosixSingleInstance& operator=(const PosixSingleInstance&) = delete;

    // Why this copy runs alone (the runtime folder is not the user's own); empty when it does
    // not. The program logs it.
    const std::string& FolderProblem() const { return folderProblem_; }

    // The local socket: a path, or an abstract name starting with '\0'.
    const std::string& SocketName() const { return socketName_; }

    bool PrevInstance() override;
    bool ActivateWindow(const std::string& caption) override;

    // The running copy answers requests of later copies by calling `activate` (on a thread of
    // its own; the handler passes the request to the user-interface thread).
    void Serve(std::function<bool(const std::string& caption)> activate);

  private:
    void Listen();

    std::string folderProblem_;
    std::string lockPath_;
    std::string socketName_;
    int lockFd_ = -1;
    int listenFd_ = -1;
    int wakeFds_[2] = {-1, -1};  // the listener's poll also watches this pipe, to end at once
    bool checked_ = false;
    bool previous_ = false;
    std::atomic<bool> stop_{false};
    std::thread listener_;
    std::function<bool(const std::string&)> activate_;
};

}  // namespace zelwiz
