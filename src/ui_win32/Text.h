#pragma once
// Texts of the window model as Windows takes them: the model's texts are UTF-8, every Windows
// call takes UTF-16. A caption's "&" marks the access key of the character after it and "&&"
// stands for one "&", as Windows' own controls read it.

#include <string>

namespace zelwiz::win32 {

std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

// The caption as read aloud or shown where no access key applies: single "&" removed, "&&"
// turned into "&".
std::wstring WithoutAccessKey(const std::string& caption);

// A position in the model's UTF-8 text as a position in the control's UTF-16 text, and back.
int WidePosition(const std::string& text, int modelPosition);
int ModelPosition(const std::wstring& text, int widePosition);

}  // namespace zelwiz::win32
