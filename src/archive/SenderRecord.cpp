#include "archive/SenderRecord.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/Compat.h"
#include "archive/LittleEndian.h"
#include "platform/FileHandle.h"
#include "platform/LocalTime.h"

namespace vx {

const std::array<SenderTextField, 9> kSenderTextFields = {{
    {"FileName", 21, 64, &SenderRecord::FileName},
    {"Title", 85, 32, &SenderRecord::Title},
    {"SenderName", 117, 64, &SenderRecord::SenderName},
    {"Email", 181, 64, &SenderRecord::Email},
    {"Addr1", 245, 64, &SenderRecord::Addr1},
    {"Addr2", 309, 64, &SenderRecord::Addr2},
    {"WebSite", 373, 64, &SenderRecord::WebSite},
    {"Phone", 437, 32, &SenderRecord::Phone},
    {"Message", 469, 1024, &SenderRecord::Message},
}};

namespace {

constexpr size_t kArchiveOffsetAt = 0;
constexpr size_t kBlockCountAt = 4;
constexpr size_t kStartIndividualAt = 8;
constexpr size_t kAllowExtractAt = 12;
constexpr size_t kCreatedAt = 13;
constexpr size_t kMagicAt = 1493;

// Days from 1899-12-30 to 1970-01-01.
constexpr double kUnixEpochDays = 25569.0;
// 0100-01-01 and 9999-12-31 as day numbers: the range a date can be shown in.
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958465.0;

// Civil date of a day count from 1970-01-01 (proleptic Gregorian calendar).
void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

}  // namespace

static_assert(kMagicAt + 4 == SenderRecord::kSize);
static_assert(469 + 1024 == kMagicAt);

SenderRecord SenderRecord::FromBytes(const uint8_t* bytes) {
    SenderRecord record;
    record.ArchiveOffset = static_cast<int32_t>(GetLE32(bytes + kArchiveOffsetAt));
    record.BlockCount = static_cast<int32_t>(GetLE32(bytes + kBlockCountAt));
    record.StartIndividual = static_cast<int32_t>(GetLE32(bytes + kStartIndividualAt));
    record.AllowExtract = bytes[kAllowExtractAt];
    const uint64_t created = static_cast<uint64_t>(GetLE32(bytes + kCreatedAt)) |
                             static_cast<uint64_t>(GetLE32(bytes + kCreatedAt + 4)) << 32;
    record.Created = BitCast<double>(created);
    for (const SenderTextField& field : kSenderTextFields) {
        const char* start = reinterpret_cast<const char*>(bytes + field.Offset);
        const void* zero = std::memchr(start, 0, field.Size);
        const size_t length =
            zero ? static_cast<size_t>(static_cast<const char*>(zero) - start) : field.Size;
        record.*field.Text = std::string(start, length);
    }
    record.Magic = GetLE32(bytes + kMagicAt);
    return record;
}

std::string SenderRecord::ToBytes() const {
    std::string out(kSize, '\0');
    uint8_t* bytes = reinterpret_cast<uint8_t*>(out.data());
    PutLE32(bytes + kArchiveOffsetAt, static_cast<uint32_t>(ArchiveOffset));
    PutLE32(bytes + kBlockCountAt, static_cast<uint32_t>(BlockCount));
    PutLE32(bytes + kStartIndividualAt, static_cast<uint32_t>(StartIndividual));
    bytes[kAllowExtractAt] = AllowExtract;
    const uint64_t created = BitCast<uint64_t>(Created);
    PutLE32(bytes + kCreatedAt, static_cast<uint32_t>(created));
    PutLE32(bytes + kCreatedAt + 4, static_cast<uint32_t>(created >> 32));
    for (const SenderTextField& field : kSenderTextFields) {
        const std::string& text = this->*field.Text;
        if (text.size() > field.Capacity()) throw ESenderFieldTooLong(field, text.size());
        std::memcpy(bytes + field.Offset, text.data(), text.size());
    }
    PutLE32(bytes + kMagicAt, Magic);
    return out;
}

ESenderFieldTooLong::ESenderFieldTooLong(const SenderTextField& field, size_t length)
    : VxError(std::string(field.Name) + " is " + std::to_string(length) +
              " bytes long; it may have at most " + std::to_string(field.Capacity()) + "."),
      field_(field) {}

bool HasPayloadMarker(const std::string& programPath) {
    platform::FileHandle file = platform::OpenExistingFile(programPath, platform::FileAccess::Read);
    if (!file.IsOpen()) return false;
    const int64_t length = platform::FileLength(file);
    if (length < 4) return false;
    uint8_t bytes[4] = {0, 0, 0, 0};
    if (platform::ReadAt(file, bytes, 4, length - 4) != 4) return false;
    return GetLE32(bytes) == SenderRecord::kMagic;
}

std::string SafeFileName(std::string_view name) {
    const size_t slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
    std::string safe;
    for (char c : name) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte < 0x20 || byte == 0x7F || c == ':') continue;
        safe += c;
    }
    for (size_t at; (at = safe.find("..")) != std::string::npos;)
        safe.erase(at, 2);
    const size_t first = safe.find_first_not_of(". ");
    safe.erase(0, first == std::string::npos ? safe.size() : first);
    while (!safe.empty() && (safe.back() == ' ' || safe.back() == '.'))
        safe.pop_back();
    return safe;
}

double DateTimeFromUnixTime(int64_t seconds) {
    const std::optional<platform::LocalTime> local = platform::ToLocalTime(seconds);
    // The local wall-clock time, counted as if it were UTC.
    const int64_t localSeconds = seconds + (local ? local->utcOffsetSeconds : 0);
    return kUnixEpochDays + static_cast<double>(localSeconds) / 86400.0;
}

std::string FormatDateTime(double dateTime) {
    if (!std::isfinite(dateTime) || dateTime < kFirstDay || dateTime >= kLastDay + 1.0)
        return "(invalid date)";
    // The day is the whole part; for dates before 1899-12-30 the fraction
    // still counts forward from midnight.
    const double whole = std::trunc(dateTime);
    int64_t seconds = std::llround(std::fabs(dateTime - whole) * 86400.0);
    int64_t days = static_cast<int64_t>(whole);
    if (seconds >= 86400) {
        seconds -= 86400;
        days += dateTime < 0 ? -1 : 1;
    }
    int year = 0, month = 0, day = 0;
    CivilFromDays(days - static_cast<int64_t>(kUnixEpochDays), year, month, day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", year, month, day,
                  static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                  static_cast<int>(seconds % 60));
    return text;
}

}  // namespace vx
