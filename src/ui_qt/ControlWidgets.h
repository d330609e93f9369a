#pragma once
// The widget that stands for each kind of control, and how it shows the control's properties.
//
//   Label          QLabel (plain text, wrapped)      TextBox    QLineEdit
//   OptionButton   QRadioButton                      Frame      QGroupBox (a page: a plain QWidget)
//   CommandButton  QPushButton (Enter presses it)    Image      QLabel showing the picture
//   ListView       QListWidget, one column, one selected item

#include <QPixmap>
#include <QWidget>

namespace zelwiz {
class Control;
class Picture;
}  // namespace zelwiz

namespace zelwiz::qt {

// The dynamic property that records a control's font character set (0 ANSI, 238 Eastern
// European, ...). Qt draws Unicode text in any font, so the character set selects nothing; it is
// kept for whoever inspects the widget.
inline constexpr const char* kFontCharsetProperty = "fontCharset";

QWidget* CreateControlWidget(const Control& control, QWidget* parent);

struct ShowOptions {
    bool placedByView = false;  // the view shows and hides the widget itself (pages)
    bool hasBuddy = false;      // a label that names a field: its "&" is the field's access key
    bool keepText = false;      // the user is typing: only a text changed by the program is set
};

// Makes the widget show the control's properties; it emits no signal of its own meanwhile.
void ShowControl(const Control& control, QWidget* widget, const ShowOptions& options);

// The picture file as a pixmap (cached by path); a null pixmap when it cannot be read.
QPixmap PicturePixmap(const Picture& picture);

}  // namespace zelwiz::qt
