#pragma once
// The wizard's customizable picture, loaded from the program folder.

#include <memory>
#include <string>

namespace zelwiz {

class Picture;

// The picture FileName in Folder (the program folder when empty), or nothing. A missing or
// unreadable file is reported on the debugger output only:
// "Error <n> '<description>' occured in mCustomIcon.CustomizationReadImage[ at line <l>]."
std::shared_ptr<const Picture> CustomizationReadImage(const std::string& FileName,
                                                      std::string Folder);

}  // namespace zelwiz
