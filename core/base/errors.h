#pragma once
// Typed errors that abandon an operation. The user interface catches them at
// the top of each user action and shows the message; nothing here ends the
// process except the deliberate fatal stop, which main() turns into the exit.

#include <stdexcept>
#include <string>

namespace cv {

// Base of every error this program raises on purpose.
class ECvError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A value or index outside its permitted range ("Range check error").
class ERangeError : public ECvError {
public:
    explicit ERangeError(const std::string& what = "Range check error") : ECvError(what) {}
};

// A number too large for its stored form (Real48 overflow, "Integer overflow").
class EOverflowError : public ECvError {
public:
    explicit EOverflowError(const std::string& what = "Floating point overflow") : ECvError(what) {}
};

// A routine met a state it cannot finish (a singular matrix). Shows no message;
// callers may catch it and carry on.
class ESilentAbort : public ECvError {
public:
    explicit ESilentAbort(const std::string& what = "Operation aborted") : ECvError(what) {}
};

// Stored data that cannot be decoded: a truncated or malformed bag, array or
// series. The text names what was being read.
class EDataError : public ECvError {
public:
    using ECvError::ECvError;
};

// A volume-set file that cannot be read or written: a missing, foreign or
// corrupt file, a full disk, a key outside its bounds. The text names the file
// and what failed; the file keeps its last flushed state.
class EVolSetError : public ECvError {
public:
    using ECvError::ECvError;
};

// A model run that cannot go on: a series, label, array or prototype that the
// model needs is missing, or a module is misused. The text names what is
// missing and where; the driver abandons the run, keeps the process alive and
// leaves the forecast period empty.
class EModelError : public ECvError {
public:
    using ECvError::ECvError;
};

// The deliberate fatal stop: its reason is already in the log; main() ends the
// program when it reaches the top, with kFatalStopExitCode.
class EFatalStop : public ECvError {
public:
    using ECvError::ECvError;
};

inline constexpr int kFatalStopExitCode = 1;

}  // namespace cv
