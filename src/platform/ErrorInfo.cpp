#include "platform/ErrorInfo.h"

#include <new>

namespace zelwiz {
namespace {
ErrorRecord gErr;
std::int32_t gLastDllError = 0;
}  // namespace

ErrorRecord& Err() {
    return gErr;
}

void ClearErr() {
    gErr = ErrorRecord{};
    gLastDllError = 0;
}

void SetLastDllError(std::int32_t code) {
    gLastDllError = code;
}

std::int32_t LastDllError() {
    return gLastDllError;
}

std::string DefaultDescription(std::int32_t number) {
    switch (number) {
        case 3:
            return "Return without GoSub";
        case kErrInvalidProcedureCall:
            return "Invalid procedure call or argument";
        case kErrOverflow:
            return "Overflow";
        case kErrOutOfMemory:
            return "Out of memory";
        case kErrSubscriptOutOfRange:
            return "Subscript out of range";
        case 11:
            return "Division by zero";
        case kErrTypeMismatch:
            return "Type mismatch";
        case 52:
            return "Bad file name or number";
        case kErrFileNotFound:
            return "File not found";
        case 70:
            return "Permission denied";
        case kErrPathFileAccess:
            return "Path/File access error";
        case 76:
            return "Path not found";
        case kErrObjectNotSet:
            return "Object variable or With block variable not set";
        case kErrCannotCreateObject:
            return "ActiveX component can't create object";
        case 438:
            return "Object doesn't support this property or method";
        case 440:
            return "Automation error";
        default:
            return "Application-defined or object-defined error";
    }
}

void End(int exitCode) {
    throw ProgramEnd{exitCode};
}

void Raise(std::int32_t number, std::string source, std::string description, std::int32_t line) {
    ErrorRecord r;
    r.Number = number;
    r.Description = description.empty() ? DefaultDescription(number) : std::move(description);
    r.Source = std::move(source);
    r.Erl = line;
    r.LastDllError = gLastDllError;
    throw BasicError(std::move(r));
}

void CaptureCurrentException(std::int32_t line) {
    try {
        throw;
    } catch (const BasicError& e) {
        gErr = e.record();
    } catch (const std::bad_alloc&) {
        gErr =
            ErrorRecord{kErrOutOfMemory, DefaultDescription(kErrOutOfMemory), {}, 0, gLastDllError};
    } catch (const std::exception& e) {
        gErr = ErrorRecord{kErrInvalidProcedureCall, e.what(), {}, 0, gLastDllError};
    } catch (...) {
        gErr = ErrorRecord{kErrInvalidProcedureCall,
                           DefaultDescription(kErrInvalidProcedureCall),
                           {},
                           0,
                           gLastDllError};
    }
    if (line != 0)
        gErr.Erl = line;
}

}  // namespace zelwiz
