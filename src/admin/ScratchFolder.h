#pragma once
// A fresh folder of the tool's own under the system's temporary folder, removed with what it
// holds when the object goes.

#include <filesystem>
#include <string>

namespace zelwiz {

class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string Path() const;
    // Writes a file into the folder and answers its path.
    std::string Write(const std::string& name, const std::string& bytes) const;

  private:
    std::filesystem::path path_;
};

}  // namespace zelwiz
