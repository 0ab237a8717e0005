// Reading, showing and ordering dates. A text is read once, when it is
// assigned: split into at most kMaxTokens short tokens (a few fixed layouts
// first, then blanks, "/" and "-" as separators), then a leading keyword and
// up to two date parts are taken from the tokens. The word tables below
// drive the keywords, calendar escapes and month words of every calendar.
#include "records/Date.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <span>
#include <utility>

#include "app/CharTables.h"
#include "app/TextUtil.h"

namespace vx {
namespace {

// A word of the date vocabulary. Words of four or more characters match any
// token that begins with them ("BEFORE" is "BEFO"); shorter ones only the
// token that is exactly that word, so "MAY" and "TO" never match "MAYBE"
// or "TOM".
struct DateWord {
    std::string_view word;
    uint8_t code;
};

bool Matches(const DateWord& entry, std::string_view token) {
    return entry.word.size() >= 4 ? token.starts_with(entry.word) : token == entry.word;
}

// -1 when no entry matches.
int LookUp(std::span<const DateWord> table, std::string_view token) {
    for (const DateWord& entry : table) {
        if (Matches(entry, token)) return entry.code;
    }
    return -1;
}

constexpr DateWord kKeywords[] = {
    {"BEF", kQualBefore},      {"BEF.", kQualBefore},     {"BEFO", kQualBefore},
    {"AFT", kQualAfter},       {"AFT.", kQualAfter},      {"AFTE", kQualAfter},
    {"BET", kQualBetween},     {"BET.", kQualBetween},    {"BETW", kQualBetween},
    {"FROM", kQualFrom},       {"TO", kQualTo},           {"ABT", kQualAbout},
    {"ABT.", kQualAbout},      {"ABOU", kQualAbout},      {"AROU", kQualAbout},
    {"SAY", kQualAbout},       {"EST", kQualEstimated},   {"EST.", kQualEstimated},
    {"CIR", kQualCirca},       {"CIR.", kQualCirca},      {"CAL", kQualCalculated},
    {"CAL.", kQualCalculated}, {"INT", kQualInterpreted}, {"INT.", kQualInterpreted},
    {"AND", kQualAnd},
};

constexpr DateWord kCalendarEscapes[] = {
    {"@#DG", kCalGregorian}, {"@#DJ", kCalJulian}, {"@#DH", kCalHebrew},
    {"@#DF", kCalFrench},    {"@#DR", kCalRoman},  {"@#DU", kCalUnknown},
};

// Gregorian and Julian: the abbreviations exactly, else the start of the
// full name.
constexpr DateWord kGregorianMonths[] = {
    {"JAN", 1},  {"FEB", 2},  {"MAR", 3},   {"APR", 4},   {"MAY", 5},   {"JUN", 6},
    {"JUL", 7},  {"AUG", 8},  {"SEP", 9},   {"OCT", 10},  {"NOV", 11},  {"DEC", 12},
    {"JANU", 1}, {"FEBR", 2}, {"MARC", 3},  {"APRI", 4},  {"JUNE", 6},  {"JULY", 7},
    {"AUGU", 8}, {"SEPT", 9}, {"OCTO", 10}, {"NOVE", 11}, {"DECE", 12},
};

constexpr DateWord kHebrewMonths[] = {
    {"TSH", 1}, {"CSH", 2}, {"KSL", 3},  {"TVT", 4},  {"SHV", 5},  {"ADR", 6},  {"ADS", 7},
    {"NSN", 8}, {"IYR", 9}, {"SVN", 10}, {"TMZ", 11}, {"AAV", 12}, {"ELL", 13},
};

constexpr DateWord kFrenchMonths[] = {
    {"VEND", 1}, {"BRUM", 2}, {"FRIN", 3},  {"NIVO", 4},  {"PLUV", 5},  {"VENT", 6},  {"GERM", 7},
    {"FLOR", 8}, {"PRAI", 9}, {"MESS", 10}, {"THER", 11}, {"FRUC", 12}, {"COMP", 13},
};

std::span<const DateWord> MonthWords(uint8_t calendar) {
    switch (calendar) {
        case kCalGregorian:
        case kCalJulian:
            return kGregorianMonths;
        case kCalHebrew:
            return kHebrewMonths;
        case kCalFrench:
            return kFrenchMonths;
        default:
            return {};  // Roman and unknown calendars have no month words
    }
}

constexpr std::array<std::string_view, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<std::string_view, 12> kUpperMonthNames = {
    "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

std::string_view UpperMonthName(int month) {
    return month >= 1 && month <= 12 ? kUpperMonthNames[month - 1] : std::string_view();
}

struct QualifierText {
    std::string_view prefix;
    std::string_view letter;
};

constexpr std::array<QualifierText, 12> kQualifierTexts = {{
    {"", ""},       // plain
    {"Bef ", "b"},  // before
    {"Aft ", "a"},  // after
    {"Bet ", ""},   // between
    {"From ", ""},  // from
    {"", ""},       // to
    {"Abt ", "c"},  // about
    {"Est ", "e"},  // estimated
    {"Cir ", "c"},  // circa
    {"Cal ", ""},   // calculated
    {"", ""},       // interpreted
    {"", ""},       // and
}};

// Order of two dates with the same year, month and day, by qualifier (row:
// this date, column: the other). It ranks before, then calculated, circa,
// estimated (about equal to these three), then plain, then after. Codes
// without a row (between, from, to, interpreted, and) compare equal.
constexpr std::array<int, 12> kQualifierRow = {0, 1, 2, -1, -1, -1, 3, 4, 5, 6, -1, -1};
constexpr int kQualifierOrder[7][7] = {
    //   plain bef aft abt est cir cal
    {0, 1, -1, 1, 1, 1, 1},       // plain
    {-1, 0, -1, -1, -1, -1, -1},  // before
    {1, 1, 0, 1, 1, 1, 1},        // after
    {-1, 1, -1, 0, 0, 0, 0},      // about
    {-1, 1, -1, 0, 0, 1, 1},      // estimated
    {-1, 1, -1, 0, -1, 0, 1},     // circa
    {-1, 1, -1, 0, -1, -1, 0},    // calculated
};

int CompareQualifiers(int mine, int other) {
    if (mine > kQualAnd || other > kQualAnd) return 0;
    const int row = kQualifierRow[mine];
    const int column = kQualifierRow[other];
    return row < 0 || column < 0 ? 0 : kQualifierOrder[row][column];
}

// The tokens of one text. Longer texts are no date anyone wrote: a text of
// more tokens than this is kept as unrecognised text.
constexpr int kMaxTokens = 15;
constexpr size_t kMaxTokenLength = 7;

struct Token {
    std::string_view text;
    bool digits = false;  // every character a decimal digit (general rule only)
};

struct TokenList {
    std::array<Token, kMaxTokens> items{};
    int count = 0;
    bool overflow = false;

    void Add(std::string_view text, bool digits) {
        if (count == kMaxTokens) {
            overflow = true;
            return;
        }
        items[count++] = Token{text, digits};
    }
};

bool IsLayoutSeparator(char c) {
    return c == '.' || c == '/';
}
bool IsSeparator(char c) {
    return c == ' ' || c == '/' || c == '-';
}

// The all-numeric layouts ("25.12.1850", "12/1850", "<1850>"). The day-first
// ones put the year first, so that reading the numbers in order takes the
// next as the day and the last as the month. Tokens are views into `text`.
bool TokeniseFixedLayout(std::string_view t, TokenList& tokens) {
    auto sep = [&](size_t at) { return IsLayoutSeparator(t[at]); };
    switch (t.size()) {
        case 9:
            if (sep(4) && !sep(1) && !sep(2)) {  // 1750/1751
                tokens.Add(t.substr(0, 4), false);
                tokens.Add(t.substr(5, 4), false);
            } else if (sep(2) && sep(4)) {  // 25.5.1850
                tokens.Add(t.substr(5, 4), false);
                tokens.Add(t.substr(0, 2), false);
                tokens.Add(t.substr(3, 1), false);
            } else if (sep(1) && sep(4)) {  // 5.12.1850
                tokens.Add(t.substr(5, 4), false);
                tokens.Add(t.substr(0, 1), false);
                tokens.Add(t.substr(2, 2), false);
            } else {
                return false;
            }
            return true;
        case 6:
            if (t[0] != '<' || t[5] != '>') return false;
            tokens.Add(t.substr(1, 4), false);
            return true;
        case 10:
            if (!sep(2) || !sep(5)) return false;
            tokens.Add(t.substr(6, 4), false);
            tokens.Add(t.substr(0, 2), false);
            tokens.Add(t.substr(3, 2), false);
            return true;
        case 8:
            if (!sep(1) || !sep(3)) return false;
            tokens.Add(t.substr(4, 4), false);
            tokens.Add(t.substr(0, 1), false);
            tokens.Add(t.substr(2, 1), false);
            return true;
        case 7: {
            if (!sep(2)) return false;
            // "12/1850": the month number becomes its month word.
            int32_t month = 0;
            const bool known = ParseInt(t.substr(0, 2), month) && month >= 1 && month <= 12;
            tokens.Add(known ? UpperMonthName(month) : std::string_view(), false);
            tokens.Add(t.substr(3, 4), false);
            return true;
        }
        default:
            return false;
    }
}

TokenList Tokenise(std::string_view text) {
    TokenList tokens;
    if (TokeniseFixedLayout(text, tokens)) return tokens;
    size_t i = 0;
    while (i < text.size() && !tokens.overflow) {
        while (i < text.size() && IsSeparator(text[i]))
            ++i;
        if (i == text.size()) break;
        const size_t start = i;
        while (i < text.size() && !IsSeparator(text[i]))
            ++i;
        const std::string_view token = text.substr(start, std::min(i - start, kMaxTokenLength));
        bool digits = true;
        for (char c : token)
            digits = digits && c >= '0' && c <= '9';
        tokens.Add(token, digits);
    }
    if (tokens.count == 0) tokens.Add({}, false);  // a text of separators only
    return tokens;
}

int KeywordCode(const TokenList& tokens, int pos) {
    return pos < tokens.count ? LookUp(kKeywords, tokens.items[pos].text) : -1;
}

int32_t DigitsValue(const Token& token) {
    int32_t value = 0;
    ParseInt(token.text, value);  // at most seven digits: always fits
    return value;
}

// Reads one date part from tokens[pos...], leaving pos on the token that
// ended it, so that token starts the second part ("11 FEB 1750/51").
void ParsePart(const TokenList& tokens, int& pos, DateRec& part, bool& unrecognised) {
    if (pos >= tokens.count) return;
    const int calendar = LookUp(kCalendarEscapes, tokens.items[pos].text);
    if (calendar >= 0) {
        part.Calendar = static_cast<uint8_t>(calendar);
        ++pos;
        // The French escape is written with a blank, "@#DFRENCH R@".
        if (calendar == kCalFrench && pos < tokens.count && tokens.items[pos].text == "R@") ++pos;
    }

    // All-numeric forms are read month first: "12 25 1850", "12 1850". A
    // value out of range ends the part without consuming anything.
    const auto digitsAt = [&](int n) {
        if (tokens.count - pos < n) return false;
        for (int k = 0; k < n; ++k) {
            if (!tokens.items[pos + k].digits) return false;
        }
        return true;
    };
    if (digitsAt(3) || digitsAt(2)) {
        const int n = digitsAt(3) ? 3 : 2;
        const int32_t month = DigitsValue(tokens.items[pos]);
        if (month < 1 || month > 12) return;
        part.Month = static_cast<uint16_t>(month);
        if (n == 3) {
            const int32_t day = DigitsValue(tokens.items[pos + 1]);
            if (day < 1 || day > 31) return;
            part.Day = static_cast<uint16_t>(day);
        }
        part.Year = DigitsValue(tokens.items[pos + n - 1]);
        part.Present = true;
        pos += n;
        return;
    }

    // Free order: a number above 31 is the year, smaller ones fill the day,
    // then the month, then the year; a word is a month of the part's calendar.
    for (; pos < tokens.count && KeywordCode(tokens, pos) < 0; ++pos) {
        part.Present = true;
        const std::string_view token = tokens.items[pos].text;
        int32_t number = 0;
        const bool isNumber =
            !token.empty() && IsDigit(token[0]) && ParseInt(token, number) && number < 3000;
        if (isNumber) {
            if (number <= 31 && part.Day == 0) {
                part.Day = static_cast<uint16_t>(number);
            } else if (number <= 31 && part.Month == 0 && number <= 12) {
                part.Month = static_cast<uint16_t>(number);
            } else {
                if (part.Year != 0) return;
                part.Year = number;
            }
        } else {
            if (part.Month != 0) return;
            const int month = LookUp(MonthWords(part.Calendar), token);
            if (month < 0) {
                unrecognised = true;
                return;
            }
            part.Month = static_cast<uint16_t>(month);
        }
    }
}

std::string FormatPart(const DateRec& part) {
    std::string out;
    if (part.Day != 0) out += std::to_string(part.Day) + ' ';
    if (part.Month >= 1 && part.Month <= 12) {
        out += MonthDisplayName(part.Month);
        out += ' ';
    }
    if (part.Year != 0) out += std::to_string(part.Year);
    return out;
}

CivilDate SystemToday() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);  // single-threaded program
    if (local == nullptr) return {};
    return CivilDate{local->tm_mday, local->tm_mon + 1, local->tm_year + 1900};
}

std::function<CivilDate()>& TodayProvider() {
    static std::function<CivilDate()> provider;
    return provider;
}

template <typename T>
T Clamp(int64_t value, int64_t low, int64_t high) {
    return static_cast<T>(std::clamp(value, low, high));
}

}  // namespace

CivilDate Today() {
    const auto& provider = TodayProvider();
    return provider ? provider() : SystemToday();
}

void SetTodayProvider(std::function<CivilDate()> provider) {
    TodayProvider() = std::move(provider);
}

std::string_view MonthDisplayName(int month) {
    return month >= 1 && month <= 12 ? kMonthNames[month - 1] : std::string_view();
}

bool IsLeapYear(int64_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int month, int64_t year) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

void WDate::Clear() {
    text_.clear();
    date1_ = DateRec{};
    date2_ = DateRec{};
    qualifier_ = kQualNone;
    empty_ = true;
    unrecognised_ = false;
}

void WDate::SetText(std::string_view text) {
    Clear();
    if (text.empty()) return;
    empty_ = false;
    if (text == "TODAY") {
        const CivilDate today = Today();
        date1_.Day = Clamp<uint16_t>(today.Day, 0, 65535);
        date1_.Month = Clamp<uint16_t>(today.Month, 0, 65535);
        date1_.Year = Clamp<int32_t>(today.Year, 0, kMaxDateYear);
        date1_.Present = true;
        // "d MMM yyyy", as the date would have been typed.
        std::string year = std::to_string(date1_.Year);
        if (year.size() < 4) year.insert(0, 4 - year.size(), '0');
        text_ = std::to_string(date1_.Day) + ' ' + std::string(UpperMonthName(date1_.Month)) + ' ' +
                year;
        return;
    }
    text_ = UpperText(text);
    Parse();
}

void WDate::SetDayMonthYear(int day, int month, int year) {
    Clear();
    empty_ = false;
    date1_.Day = Clamp<uint16_t>(day, 0, 65535);
    date1_.Month = Clamp<uint16_t>(month, 0, 65535);
    date1_.Year = Clamp<int32_t>(year, 0, kMaxDateYear);
    date1_.Present = true;
    // The text reads back as the same date for every real calendar date.
    if (date1_.Day != 0) text_ = std::to_string(date1_.Day) + ' ';
    if (date1_.Month >= 1 && date1_.Month <= 12) {
        text_ += UpperMonthName(date1_.Month);
        text_ += ' ';
    }
    text_ += std::to_string(date1_.Year);
}

void WDate::Parse() {
    const TokenList tokens = Tokenise(text_);
    if (tokens.overflow) {
        unrecognised_ = true;
        return;
    }
    int pos = 0;
    if (const int code = KeywordCode(tokens, pos); code >= 0) {
        qualifier_ = static_cast<uint8_t>(code);
        ++pos;
    }
    ParsePart(tokens, pos, date1_, unrecognised_);
    // The word between two parts ("AND", "TO") has no meaning of its own.
    if (KeywordCode(tokens, pos) >= 0) ++pos;
    if (pos < tokens.count) ParsePart(tokens, pos, date2_, unrecognised_);
}

std::string WDate::DisplayText() const {
    if (empty_ || unrecognised_) return text_;
    std::string out(kQualifierTexts[qualifier_].prefix);
    out += FormatPart(date1_);
    if (qualifier_ == kQualBetween || qualifier_ == kQualFrom) {
        if (date2_.Present) {
            out += qualifier_ == kQualBetween ? " and " : " to ";
            out += FormatPart(date2_);
        }
    } else if (date2_.Year != 0) {
        out += '/' + std::to_string(date2_.Year);
    }
    return out;
}

std::string WDate::MonthName() const {
    return std::string(MonthDisplayName(Month()));
}

std::string_view WDate::QualifierLetter() const {
    return kQualifierTexts[Qualifier()].letter;
}

DateSortKey WDate::SortKey() const {
    DateSortKey key;
    key.year = Year();
    key.month = static_cast<uint16_t>(Month());
    key.day = static_cast<uint16_t>(Day());
    key.qualifier = static_cast<uint8_t>(Qualifier());
    key.unrecognised = unrecognised_;
    return key;
}

int CompareSortKeys(const DateSortKey& a, const DateSortKey& b) {
    // Unrecognised dates sort after every recognised one.
    if (a.unrecognised || b.unrecognised)
        return a.unrecognised == b.unrecognised ? 0 : a.unrecognised ? 1 : -1;
    const std::pair<int, int> fields[] = {{a.year, b.year}, {a.month, b.month}, {a.day, b.day}};
    for (const auto& [mine, theirs] : fields) {
        if (mine != theirs) return mine > theirs ? 1 : -1;
    }
    return CompareQualifiers(a.qualifier, b.qualifier);
}

int WDate::Compare(const WDate* other) const {
    if (empty_ || other == nullptr) return -2;
    if (unrecognised_ && other->unrecognised_) return CompareText(text_, other->text_);
    return CompareSortKeys(SortKey(), other->SortKey());
}

void WDate::SetDay(int value) {
    if (!empty_) date1_.Day = Clamp<uint16_t>(value, 0, 65535);
}

void WDate::SetMonth(int value) {
    if (!empty_) date1_.Month = Clamp<uint16_t>(value, 0, 65535);
}

}  // namespace vx
