#pragma once
// A picture loaded by the toolkit: its file and its size in pixels.

#include <string>

namespace zelwiz {

class Picture {
  public:
    Picture(std::string path, int width, int height)
        : path_(std::move(path)), width_(width), height_(height) {}
    const std::string& Path() const { return path_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    std::string path_;
    int width_;
    int height_;
};

}  // namespace zelwiz
