#include "platform/HeadlessToolkit.h"

#include <algorithm>
#include <cstdint>
#include <fstream>

#include "platform/Form.h"
#include "platform/Picture.h"
#include "platform/Utf8Path.h"

namespace zelwiz {

void HeadlessToolkit::ShowForm(Form& form, bool modal) {
    shown.push_back(Shown{form.Name(), modal});
    if (std::find(openForms.begin(), openForms.end(), &form) == openForms.end())
        openForms.push_back(&form);
    if (!modal)
        return;
    if (!modalAnswers.empty()) {
        auto answer = std::move(modalAnswers.front());
        modalAnswers.pop_front();
        answer(form);
    }
    form.Unload();  // closing the window; nothing when the answer already unloaded it
}

void HeadlessToolkit::FormUnloaded(Form& form) {
    openForms.erase(std::remove(openForms.begin(), openForms.end(), &form), openForms.end());
    if (focused != nullptr && &focused->Parent() == &form)
        focused = nullptr;
}

int HeadlessToolkit::MsgBox(const std::string& prompt, int style, const std::string& title) {
    messageBoxes.push_back(MessageBox{prompt, style, title});
    if (messageSink)
        messageSink(messageBoxes.back());
    return vbOK;
}

void HeadlessToolkit::DoEvents() {
    ++doEventsCalls;
    if (onDoEvents)
        onDoEvents();
}

void HeadlessToolkit::SetFocus(Control& control) {
    focused = &control;
}

std::shared_ptr<const Picture> HeadlessToolkit::LoadPicture(const std::string& path) {
    int width = 0, height = 0;
    if (!ReadPictureSize(path, &width, &height))
        return nullptr;
    return std::make_shared<Picture>(path, width, height);
}

bool HeadlessToolkit::ActivateWindow(const std::string& caption) {
    return std::any_of(openForms.begin(), openForms.end(),
                       [&](const Form* form) { return form->Caption() == caption; });
}

bool ReadPictureSize(const std::string& path, int* width, int* height) {
    std::ifstream in(Utf8Path(path), std::ios::binary);
    unsigned char h[32] = {};
    if (!in.read(reinterpret_cast<char*>(h), sizeof h))
        return false;
    auto le32 = [&](int at) {
        return static_cast<std::int32_t>(h[at] | (h[at + 1] << 8) | (h[at + 2] << 16) |
                                         (static_cast<std::uint32_t>(h[at + 3]) << 24));
    };
    auto be32 = [&](int at) {
        return static_cast<std::int32_t>((static_cast<std::uint32_t>(h[at]) << 24) |
                                         (h[at + 1] << 16) | (h[at + 2] << 8) | h[at + 3]);
    };
    if (h[0] == 'B' && h[1] == 'M') {  // BITMAPFILEHEADER, then BITMAPINFOHEADER (40 bytes or more)
        if (le32(14) < 40)
            return false;
        *width = le32(18);
        *height = le32(22) < 0 ? -le32(22) : le32(22);
    } else if (h[0] == 0x89 && h[1] == 'P' && h[2] == 'N' && h[3] == 'G' && h[12] == 'I' &&
               h[13] == 'H' && h[14] == 'D' && h[15] == 'R') {
        *width = be32(16);
        *height = be32(20);
    } else {
        return false;
    }
    return *width > 0 && *height > 0;
}

}  // namespace zelwiz
