// The trailer at the end of a self-viewing program file: where the archive
// starts, how many blocks it has, and the creator's facts. 1497 bytes,
// little-endian, no padding; texts are fixed-size Windows-1252 fields.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/Errors.h"

namespace vx {

struct SenderRecord {
    static constexpr size_t kSize = 1497;
    static constexpr uint32_t kMagic = 0xDEADBEEF;

    int32_t ArchiveOffset = 0;
    int32_t BlockCount = 0;
    int32_t StartIndividual = 0;  // 1-based; 0 or less: the first individual
    uint8_t AllowExtract = 0;
    double Created = 0;  // days since 1899-12-30, fraction = time of day
    std::string FileName;
    std::string Title;
    std::string SenderName;
    std::string Email;
    std::string Addr1;
    std::string Addr2;
    std::string WebSite;
    std::string Phone;
    std::string Message;
    uint32_t Magic = kMagic;

    // Reads the kSize bytes of a trailer. A text ends at its first zero
    // byte or at the end of its field.
    static SenderRecord FromBytes(const uint8_t* bytes);
    // The kSize bytes of this trailer. Raises ESenderFieldTooLong for a text
    // that does not fit its field with a terminating zero.
    std::string ToBytes() const;
};

// The text fields in the order they lie in the trailer.
struct SenderTextField {
    std::string_view Name;
    size_t Offset;
    size_t Size;
    std::string SenderRecord::*Text;
    // Longest text that still leaves room for the terminating zero.
    size_t Capacity() const { return Size - 1; }
};
extern const std::array<SenderTextField, 9> kSenderTextFields;

class ESenderFieldTooLong : public VxError {
  public:
    ESenderFieldTooLong(const SenderTextField& field, size_t length);
    const SenderTextField& Field() const { return field_; }

  private:
    const SenderTextField& field_;
};

// True when the last four bytes of the file are the trailer's marker. A file
// that cannot be opened or is shorter than four bytes has no marker.
bool HasPayloadMarker(const std::string& programPath);

// The trailer's file name made safe to use as a file name: only its last
// path component, without path separators, drive colons, "..", control
// characters and leading dots or blanks. Empty when nothing usable is left.
std::string SafeFileName(std::string_view name);

// A point in time (seconds since 1970 UTC) as the trailer stores it: local
// days since 1899-12-30 with the time of day as the fraction.
double DateTimeFromUnixTime(int64_t seconds);
// "yyyy/mm/dd hh:nn:ss"; "(invalid date)" for a value outside years 100 to 9999.
std::string FormatDateTime(double dateTime);

}  // namespace vx
