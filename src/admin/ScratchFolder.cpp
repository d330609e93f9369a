#include "admin/ScratchFolder.h"

#include <fstream>
#include <random>
#include <system_error>

#include "admin/AdminErrors.h"
#include "platform/Utf8Path.h"

namespace zelwiz {
namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    std::random_device random;
    std::error_code error;
    do {
        path_ = fs::temp_directory_path() / ("zelwiz-admin-" + std::to_string(random()));
    } while (!fs::create_directory(path_, error) && !error);
    if (error)
        throw CommandFailed("cannot make a folder in " + Utf8Text(path_.parent_path()));
}

std::string ScratchFolder::Path() const {
    return Utf8Text(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string ScratchFolder::Write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path path = path_ / Utf8Path(name);
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out.flush())
        throw CommandFailed("cannot write " + Utf8Text(path));
    return Utf8Text(path);
}

}  // namespace zelwiz
