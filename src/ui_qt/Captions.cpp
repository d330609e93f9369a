#include "ui_qt/Captions.h"

#include <algorithm>

namespace zelwiz::qt {

QString FromModel(const std::string& text) {
    return QString::fromStdString(text);
}

std::string ToModel(const QString& text) {
    return text.toStdString();
}

QString WithoutAccessKey(const std::string& caption) {
    const QString text = FromModel(caption);
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&')
            plain += text[i];
        else if (i + 1 < text.size() && text[i + 1] == u'&')
            plain += text[++i];  // "&&" is one "&"
    }
    return plain;
}

int WidgetPosition(const std::string& text, int modelPosition) {
    const auto bytes = static_cast<size_t>(std::clamp(modelPosition, 0, int(text.size())));
    return static_cast<int>(QString::fromUtf8(text.data(), static_cast<qsizetype>(bytes)).size());
}

int ModelPosition(const QString& text, int widgetPosition) {
    return static_cast<int>(text.left(std::max(widgetPosition, 0)).toUtf8().size());
}

}  // namespace zelwiz::qt
