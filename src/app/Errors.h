// The error family of the program. Every error carries the text the user
// sees; the edge (main window, vellacor-tool) catches VxError and shows it once.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace vx {

class VxError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A file that cannot be created, opened, mapped, grown or closed. A folder
// name (ending in '/') of kind Create says that no file could be made there,
// with the system's reason taken from errno at construction.
class EFileError : public VxError {
  public:
    enum class Kind { Create, Open, Stream };
    EFileError(Kind kind, const std::string& fileName);
    Kind kind() const { return kind_; }
    const std::string& fileName() const { return fileName_; }

  private:
    Kind kind_;
    std::string fileName_;
};

// A failed read or write of ordinary file output; the start-up sequence
// reports it as "Error with I/O".
class EInOutError : public VxError {
  public:
    using VxError::VxError;
};

// Long work stopped by the wait dialog's Cancel. Not a failure: the edge
// shows no message for it.
class EWorkCancelled : public VxError {
  public:
    EWorkCancelled() : VxError("Cancelled.") {}
};

// A record number outside the records of its kind.
class EIndexError : public VxError {
  public:
    explicit EIndexError(int32_t index);
};

// A record that the indexes cannot locate.
class EMemoryError : public VxError {
  public:
    explicit EMemoryError(int32_t n);
};

// A comparison handed something it cannot compare.
class ECompareError : public VxError {
  public:
    using VxError::VxError;
};

// A text that should have been a decimal integer.
class EConvertError : public VxError {
  public:
    explicit EConvertError(const std::string& text);
};

// The message of every file error of the mapped-file layer.
std::string FileErrorMessage(const std::string& fileName);

}  // namespace vx
