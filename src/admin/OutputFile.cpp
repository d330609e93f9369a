#include "admin/OutputFile.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "admin/AdminErrors.h"
#include "platform/Utf8Path.h"

namespace zelwiz {

void WriteFileWhole(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".zelwiz-admin-new";
    {
        std::ofstream out(Utf8Path(temporary), std::ios::binary | std::ios::trunc);
        out << bytes;
        out.flush();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(Utf8Path(temporary), ignored);
            throw CommandFailed("cannot write " + path);
        }
    }
    std::error_code error;
    std::filesystem::rename(Utf8Path(temporary), Utf8Path(path), error);
    if (error) {
        std::filesystem::remove(Utf8Path(temporary), error);
        throw CommandFailed("cannot write " + path);
    }
}

}  // namespace zelwiz
