#include "app/Errors.h"

#include <cerrno>
#include <cstring>

namespace vx {
namespace {

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
    : VxError("'" + (text.size() > 40 ? text.substr(0, 40) + "..." : text) +
              "' is not a valid integer value") {}

EFileError::EFileError(Kind kind, const std::string& fileName)
    : VxError(FileErrorText(kind, fileName, errno)), kind_(kind), fileName_(fileName) {}

}  // namespace vx
