#include "environment/ErrorReport.h"

namespace zelwiz {

std::string ErrorReport(const ErrorRecord& err, std::string_view where) {
    std::string text = "Error " + std::to_string(err.Number) + " '" + err.Description +
                       "' occured in " + std::string(where);
    if (err.Erl != 0)
        text += " at line " + std::to_string(err.Erl);
    return text + ".";
}

}  // namespace zelwiz
