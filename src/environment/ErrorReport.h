#pragma once
// The classic one-line report of an error where no log is written: the critical message box of
// CopyHKLM2HKCU and the debugger output of CustomizationReadImage.

#include <string>
#include <string_view>

#include "platform/ErrorInfo.h"

namespace zelwiz {

// "Error <number> '<description>' occured in <where> at line <line>." — without the line part
// when no line is known.
std::string ErrorReport(const ErrorRecord& err, std::string_view where);

}  // namespace zelwiz
