#include "admin/ScratchFolder.h"

#include <fstream>
#include <random>
#include <system_error>

#include "admin/AdminErrors.h"

namespace zelwiz {
namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    std::random_device random;
    std::error_code error;
    do {
        path_ = fs::temp_directory_path() / ("zelwiz-admin-" + std::to_string(random()));
    } while (!fs::create_directory(path_, error) && !error);
    if (error)
        throw CommandFailed("cannot make a folder in " + path_.parent_path().string());
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string ScratchFolder::Write(const std::string& name, const std::string& bytes) const {
    const std::string path = (path_ / name).string();
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out.flush())
        throw CommandFailed("cannot write " + path);
    return path;
}

}  // namespace zelwiz
