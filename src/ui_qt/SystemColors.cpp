#include "ui_qt/SystemColors.h"

namespace zelwiz::qt {

QColor ClassicColor(unsigned color, const QPalette& palette) {
    if ((color & 0x80000000u) == 0) {
        return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                      static_cast<int>((color >> 16) & 0xFF));
    }
    switch (color & 0xFF) {
        case 1:  // desktop
        case 2:  // active title bar
            return palette.color(QPalette::Highlight);
        case 4:   // menu bar
        case 15:  // button face
            return palette.color(QPalette::Button);
        case 5:  // window background
            return palette.color(QPalette::Base);
        case 8:  // window text
            return palette.color(QPalette::Text);
        case 13:  // highlight
            return palette.color(QPalette::Highlight);
        case 14:  // highlight text
            return palette.color(QPalette::HighlightedText);
        case 16:  // button shadow
            return palette.color(QPalette::Mid);
        case 17:  // disabled text
            return palette.color(QPalette::Disabled, QPalette::Text);
        case 18:  // button text
            return palette.color(QPalette::ButtonText);
        case 24:  // tooltip background
            return palette.color(QPalette::ToolTipBase);
        default:
            return palette.color(QPalette::Window);
    }
}

}  // namespace zelwiz::qt
