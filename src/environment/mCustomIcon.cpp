#include "environment/mCustomIcon.h"

#include "FolderSeparator.h"  // the build's platform/posix or platform/win32
#include "environment/ErrorReport.h"
#include "environment/modMultiUser.h"
#include "platform/ErrorInfo.h"
#include "platform/Picture.h"
#include "platform/Platform.h"
#include "platform/Shell.h"
#include "platform/Toolkit.h"

namespace zelwiz {
namespace {

constexpr std::int32_t kErrInvalidPicture = 481;

}  // namespace

std::shared_ptr<const Picture> CustomizationReadImage(const std::string& FileName,
                                                      std::string Folder) {
    std::shared_ptr<const Picture> picture;
    OnErrorExit(
        [&] {
            if (Folder.empty())
                Folder = AppFolder();
            const std::string path = Folder + kFolderSeparator + FileName;
            picture = TheToolkit().LoadPicture(path);
            if (picture == nullptr) {
                // The toolkit answers nothing for both; the classic loader told them apart.
                if (!TheShell().PathExists(path))
                    Raise(kErrFileNotFound);
                Raise(kErrInvalidPicture, {}, "Invalid picture");
            }
        },
        [] { TheShell().DebugOutput(ErrorReport(Err(), "mCustomIcon.CustomizationReadImage")); });
    return picture;
}

}  // namespace zelwiz
