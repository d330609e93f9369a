#pragma once
// Texts of the window model as the widgets show them. The model's texts are UTF-8; a caption's
// "&" marks the access key of the character after it and "&&" stands for one "&".

#include <QString>
#include <string>

namespace zelwiz::qt {

QString FromModel(const std::string& text);
std::string ToModel(const QString& text);

// The caption as read aloud or shown where no access key applies: single "&" removed, "&&"
// turned into "&".
QString WithoutAccessKey(const std::string& caption);

// Converts a position in the model's UTF-8 text into a position in the widget's UTF-16 text.
int WidgetPosition(const std::string& text, int modelPosition);
int ModelPosition(const QString& text, int widgetPosition);

}  // namespace zelwiz::qt
