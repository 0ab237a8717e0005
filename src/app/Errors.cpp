#include "app/Errors.h"

#include <cerrno>
#include <cstring>

#include "app/Unicode.h"

namespace vx {
namespace {

// How much of a text that is no number the message repeats.
constexpr size_t kShownChars = 40;

// A folder (a name ending in '/') that refuses a new file is named with the
// system's reason: "being used by another application" would send the user
// looking for the wrong cause (a read-only or full file system).
std::string FileErrorText(EFileError::Kind kind, const std::string& fileName, int error) {
    if (kind == EFileError::Kind::Create && !fileName.empty() && fileName.back() == '/' &&
        error != 0)
        return "Cannot create a temporary file in the folder " + fileName + ": " +
               std::strerror(error);
    return FileErrorMessage(fileName);
}

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
    : VxError(FileErrorText(kind, fileName, errno)), kind_(kind), fileName_(fileName) {}

}  // namespace vx
