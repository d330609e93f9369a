#pragma once
// The classic error information and error traps.
//
// A procedure that fails throws BasicError carrying the record. A trap catches it, makes it the
// pending error (Err()) and runs its handler, which usually calls LogError. The two trap styles:
//
//   ResumeNext trap([&] { LogError("frmWizard.SetStep", this, "", ""); });
//   trap([&] { statement1(); });      // on error: handler, then the next statement runs
//   trap([&] { statement2(); });
//
//   OnErrorExit([&] { body(); }, [&] { LogError("modMultiUser.DataPath", nullptr, "", ""); });

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

namespace zelwiz {

// The classic error numbers the program uses.
inline constexpr std::int32_t kErrInvalidProcedureCall = 5;
inline constexpr std::int32_t kErrOverflow = 6;
inline constexpr std::int32_t kErrOutOfMemory = 7;
inline constexpr std::int32_t kErrSubscriptOutOfRange = 9;
inline constexpr std::int32_t kErrTypeMismatch = 13;
inline constexpr std::int32_t kErrFileNotFound = 53;
inline constexpr std::int32_t kErrPathFileAccess = 75;
inline constexpr std::int32_t kErrObjectNotSet = 91;
inline constexpr std::int32_t kErrCannotCreateObject = 429;

struct ErrorRecord {
    std::int32_t Number = 0;
    std::string Description;
    std::string Source;
    std::int32_t Erl = 0;           // the failing line, 0 when none
    std::int32_t LastDllError = 0;  // the last system error code
};

// The pending error information of the process.
ErrorRecord& Err();
void ClearErr();
// Records the system error code of a failed platform call, as the classic LastDllError did.
void SetLastDllError(std::int32_t code);
std::int32_t LastDllError();

// The classic description of a number ("Type mismatch" for 13), or "Application-defined or
// object-defined error" for a number the runtime does not know.
std::string DefaultDescription(std::int32_t number);

class BasicError : public std::exception {
  public:
    explicit BasicError(ErrorRecord record) : record_(std::move(record)) {}
    const ErrorRecord& record() const { return record_; }
    const char* what() const noexcept override { return record_.Description.c_str(); }

  private:
    ErrorRecord record_;
};

// The classic End statement: the program stops at once. Error traps let it pass; the program's
// entry catches it and ends the process without unloading anything.
struct ProgramEnd {
    int exitCode = 0;
};
[[noreturn]] void End(int exitCode = 0);

// Raises error `number`; an empty description takes the classic one. The line recorded is the
// C++ line of the statement that raised.
[[noreturn]] void Raise(std::int32_t number, std::string source = {}, std::string description = {},
                        std::int32_t line = __builtin_LINE());

// Turns the exception in flight into the pending error information (BasicError as it is,
// std::bad_alloc as 7, any other exception as 5 with its text).
void CaptureCurrentException(std::int32_t line);

// "On Error Resume Next": each statement runs under the trap; a failing one becomes the pending
// error, the handler runs (when there is one) and the next statement goes on.
class ResumeNext {
  public:
    explicit ResumeNext(std::function<void()> onError = {}) : onError_(std::move(onError)) {}

    template <class F>
    bool operator()(F&& statement, std::int32_t line = __builtin_LINE()) {
        try {
            std::forward<F>(statement)();
            return true;
        } catch (const ProgramEnd&) {
            throw;
        } catch (...) {
            CaptureCurrentException(line);
            if (onError_)
                onError_();
            ClearErr();
            return false;
        }
    }

  private:
    std::function<void()> onError_;
};

// "On Error GoTo handler" at the top of a procedure whose handler leaves it: the body runs under
// the trap; on error the handler runs and the procedure ends. Answers false on error.
template <class F>
bool OnErrorExit(F&& body, const std::function<void()>& onError) {
    try {
        std::forward<F>(body)();
        return true;
    } catch (const ProgramEnd&) {
        throw;
    } catch (...) {
        CaptureCurrentException(0);
        if (onError)
            onError();
        ClearErr();
        return false;
    }
}

}  // namespace zelwiz
