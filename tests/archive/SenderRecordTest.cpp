#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>

#include "TestSupport.h"
#include "archive/LittleEndian.h"
#include "archive/SenderRecord.h"

namespace vx::test {
namespace {

SenderRecord Sample() {
    SenderRecord record;
    record.ArchiveOffset = 123456;
    record.BlockCount = 7;
    record.StartIndividual = -2;
    record.AllowExtract = 1;
    record.Created = 45000.5;
    record.FileName = "family.ged";
    record.Title = "The Smiths";
    record.SenderName = "Ann Smith";
    record.Email = "ann@example.org";
    record.Addr1 = "1 High Street";
    record.Addr2 = "Bath";
    record.WebSite = "https://example.org";
    record.Phone = "+44 1225 000000";
    record.Message = "Hello\r\nEnjoy \xE9t\xE9";
    return record;
}

TEST(SenderRecordTest, FieldsLieWhereTheTrailerPutsThem) {
    const std::string bytes = Sample().ToBytes();
    ASSERT_EQ(bytes.size(), 1497u);
    const auto* b = reinterpret_cast<const uint8_t*>(bytes.data());
    EXPECT_EQ(GetLE32(b + 0), 123456u);
    EXPECT_EQ(GetLE32(b + 4), 7u);
    EXPECT_EQ(static_cast<int32_t>(GetLE32(b + 8)), -2);
    EXPECT_EQ(b[12], 1);
    // 45000.5 as an IEEE double, little-endian: 0x40E5F91000000000.
    EXPECT_EQ(GetLE32(b + 13), 0x00000000u);
    EXPECT_EQ(GetLE32(b + 17), 0x40E5F910u);
    EXPECT_EQ(bytes.substr(21, 11), std::string("family.ged\0", 11));
    EXPECT_EQ(bytes.substr(85, 10), "The Smiths");
    EXPECT_EQ(bytes.substr(117, 9), "Ann Smith");
    EXPECT_EQ(bytes.substr(181, 3), "ann");
    EXPECT_EQ(bytes.substr(245, 6), "1 High");
    EXPECT_EQ(bytes.substr(309, 4), "Bath");
    EXPECT_EQ(bytes.substr(373, 5), "https");
    EXPECT_EQ(bytes.substr(437, 3), "+44");
    EXPECT_EQ(bytes.substr(469, 7), "Hello\r\n");
    EXPECT_EQ(bytes.substr(1493), "\xEF\xBE\xAD\xDE");
}

TEST(SenderRecordTest, ReadsBackWhatItWrites) {
    const SenderRecord original = Sample();
    const std::string bytes = original.ToBytes();
    const SenderRecord read =
        SenderRecord::FromBytes(reinterpret_cast<const uint8_t*>(bytes.data()));
    EXPECT_EQ(read.ArchiveOffset, original.ArchiveOffset);
    EXPECT_EQ(read.BlockCount, original.BlockCount);
    EXPECT_EQ(read.StartIndividual, original.StartIndividual);
    EXPECT_EQ(read.AllowExtract, original.AllowExtract);
    EXPECT_EQ(read.Created, original.Created);
    for (const SenderTextField& field : kSenderTextFields)
        EXPECT_EQ(read.*field.Text, original.*field.Text) << field.Name;
    EXPECT_EQ(read.Magic, SenderRecord::kMagic);
}

TEST(SenderRecordTest, TextWithoutTerminatorEndsAtItsField) {
    std::string bytes = Sample().ToBytes();
    bytes.replace(85, 32, std::string(32, 'T'));  // Title fills its field
    const SenderRecord read =
        SenderRecord::FromBytes(reinterpret_cast<const uint8_t*>(bytes.data()));
    EXPECT_EQ(read.Title, std::string(32, 'T'));
    EXPECT_EQ(read.SenderName, "Ann Smith");
}

TEST(SenderRecordTest, TextTooLongForItsFieldIsAnErrorNamingIt) {
    SenderRecord record = Sample();
    record.Phone = std::string(31, '1');
    EXPECT_NO_THROW(record.ToBytes());
    record.Phone += '2';
    try {
        record.ToBytes();
        FAIL() << "a 32-byte phone number was written";
    } catch (const ESenderFieldTooLong& error) {
        EXPECT_EQ(error.Field().Name, "Phone");
        EXPECT_STREQ(error.what(), "Phone is 32 bytes long; it may have at most 31.");
    }
}

TEST(SenderRecordTest, SafeFileNameKeepsOnlyAPlainName) {
    const std::pair<const char*, const char*> cases[] = {
        {"family.ged", "family.ged"},
        {"../../etc/passwd", "passwd"},
        {"C:\\Users\\ann\\tree.ged", "tree.ged"},
        {"C:tree.ged", "Ctree.ged"},
        {"..", ""},
        {"...ged", "ged"},
        {"a..b.ged", "ab.ged"},
        {".hidden", "hidden"},
        {"tab\there\x1B[31m.ged", "tabhere[31m.ged"},
        {"name. ", "name"},
        {"dir/", ""},
        {"Fam\xEDlia.ged", "Fam\xEDlia.ged"},
    };
    for (const auto& [stored, safe] : cases)
        EXPECT_EQ(SafeFileName(stored), safe) << stored;
}

class MarkerTest : public TempDirTest {};

TEST_F(MarkerTest, MarkerIsTheLastFourBytes) {
    EXPECT_TRUE(HasPayloadMarker(WriteFile("a", "image\xEF\xBE\xAD\xDE")));
    EXPECT_TRUE(HasPayloadMarker(WriteFile("b", "\xEF\xBE\xAD\xDE")));
    EXPECT_FALSE(HasPayloadMarker(WriteFile("c", "\xEF\xBE\xAD\xDE!")));
    EXPECT_FALSE(HasPayloadMarker(WriteFile("d", "\xBE\xAD\xDE")));
    EXPECT_FALSE(HasPayloadMarker(WriteFile("e", "")));
    EXPECT_FALSE(HasPayloadMarker(Path("missing")));
    EXPECT_FALSE(HasPayloadMarker(dir_));
}

TEST(DateTimeTest, DaysSince1899AreFormattedAsLongDates) {
    EXPECT_EQ(FormatDateTime(0), "1899/12/30 00:00:00");
    EXPECT_EQ(FormatDateTime(45000.5), "2023/03/15 12:00:00");
    EXPECT_EQ(FormatDateTime(25569.75), "1970/01/01 18:00:00");
    EXPECT_EQ(FormatDateTime(-1.25), "1899/12/29 06:00:00");
    EXPECT_EQ(FormatDateTime(1.0 - 1e-9), "1899/12/31 00:00:00");
    EXPECT_EQ(FormatDateTime(std::nan("")), "(invalid date)");
    EXPECT_EQ(FormatDateTime(std::numeric_limits<double>::infinity()), "(invalid date)");
    EXPECT_EQ(FormatDateTime(1e300), "(invalid date)");
}

TEST(DateTimeTest, UnixTimeBecomesLocalDays) {
    const char* saved = std::getenv("TZ");
    const std::string savedTz = saved ? saved : "";
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    EXPECT_EQ(DateTimeFromUnixTime(0), 25569.0);
    EXPECT_EQ(FormatDateTime(DateTimeFromUnixTime(1700000000)), "2023/11/14 22:13:20");
    ::setenv("TZ", "EST5", 1);
    ::tzset();
    EXPECT_EQ(FormatDateTime(DateTimeFromUnixTime(1700000000)), "2023/11/14 17:13:20");
    if (saved)
        ::setenv("TZ", savedTz.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}

}  // namespace
}  // namespace vx::test
