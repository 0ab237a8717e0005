#include "app/Errors.h"

#include "app/Unicode.h"

namespace vx {
namespace {

// How much of a text that is no number the message repeats.
constexpr size_t kShownChars = 40;

}  // namespace

std::string FileErrorMessage(const std::string& fileName) {
    return "Error using the file " + fileName +
           "\r\nPlease check that this file is not being used by another application.";
}

EIndexError::EIndexError(int32_t index)
    : VxError("Error: In valid index value = " + std::to_string(index)) {}

EMemoryError::EMemoryError(int32_t n)
    : VxError("Error getting pointer to individual " + std::to_string(n)) {}

EConvertError::EConvertError(const std::string& text)
    : VxError("'" +
              (CharCount(text) > kShownChars ? std::string(LeftChars(text, kShownChars)) + "..."
                                             : text) +
              "' is not a valid integer value") {}

EFileError::EFileError(Kind kind, const std::string& fileName)
    : VxError(FileErrorMessage(fileName)), kind_(kind), fileName_(fileName) {}

}  // namespace vx
