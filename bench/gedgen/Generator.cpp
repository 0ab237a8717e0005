#include "Generator.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "LineWriter.h"
#include "Vocabulary.h"

namespace vx::gedgen {
namespace {

constexpr int kPresentYear = 2024;
constexpr uint32_t kNone = 0xFFFFFFFFu;
constexpr uint16_t kNoName = 0xFFFFu;
// How many general sources come before the first family group.
constexpr uint32_t kGeneralSources = 3;
constexpr uint32_t kRepositories = 4;
constexpr size_t kPlacePool = 2048;

std::vector<std::string> Encode(words::List list, Charset charset) {
    std::vector<std::string> out;
    out.reserve(list.size());
    for (std::string_view word : list)
        out.push_back(charset == Charset::Ansel ? words::ToAnsel(word) : std::string(word));
    return out;
}

struct Person {
    int16_t born = 0;
    int16_t died = 0;  // 0 while living
    char sex = 'U';
    uint8_t spouseFamilies = 0;
    uint16_t given = 0;
    uint16_t middle = kNoName;
    uint16_t surname = 0;
    uint32_t childOf = kNone;  // family index within the group
    uint32_t spouseIn[3] = {kNone, kNone, kNone};
};

struct Family {
    uint32_t husband = kNone;
    uint32_t wife = kNone;
    uint32_t firstChild = 0;  // children are made together, so they are a range
    uint32_t children = 0;
    int16_t married = 0;
    int16_t divorced = 0;
};

// The word lists in the file's character set.
struct Texts {
    explicit Texts(Charset c)
        : male(Encode(words::kMaleGiven, c)),
          female(Encode(words::kFemaleGiven, c)),
          surnames(Encode(words::kSurnames, c)),
          towns(Encode(words::kTowns, c)),
          districts(Encode(words::kDistricts, c)),
          streets(Encode(words::kStreets, c)),
          sourceKinds(Encode(words::kSourceKinds, c)),
          authors(Encode(words::kAuthors, c)),
          repositories(Encode(words::kRepositories, c)) {}

    std::vector<std::string> male, female, surnames, towns, districts, streets, sourceKinds,
        authors, repositories;
};

class Generator {
  public:
    Generator(const Options& options, ByteSink& sink)
        : options_(options),
          random_(options.seed),
          out_(sink, options.lineEnd),
          texts_(options.charset) {}

    Stats Run();

  private:
    bool Done() const;
    uint64_t GroupSize();
    void BuildGroup(uint64_t size);
    uint32_t AddPerson(char sex, int born, uint16_t surname, uint32_t childOf);
    uint32_t AddFamily(uint32_t husband, uint32_t wife, int married);
    void AddChildren(uint32_t family, uint64_t limit);
    void Marry(uint32_t person, uint64_t limit);
    int DeathYear(int born);
    uint32_t ChildCount();

    void WriteHeader();
    void WriteRepositories();
    void WriteSources(uint32_t count);
    void WriteGroup();
    void WritePerson(uint32_t index);
    void WriteFamily(uint32_t index);
    void WriteEvent(std::string_view tag, int year, int dayOfYear = -1);
    void WriteDate(int level, int year, int dayOfYear = -1);
    void WriteCitation(int level);
    void WriteNote(int level);
    void WriteNotePointer(int level);
    void WriteNoteRecords();
    void ComposeNote();
    void PutContinued(int level, std::string_view text);

    const std::string& Given(const Person& p, uint16_t index) const {
        return (p.sex == 'M' ? texts_.male : texts_.female)[index];
    }
    const std::string& Place() {
        return places_[random_.PerMille(850) ? random_.Pick(homePlaces_)
                                             : random_.Below(places_.size())];
    }
    uint16_t RandomSurname() {
        return static_cast<uint16_t>(random_.Below(texts_.surnames.size()));
    }
    uint64_t PersonId(uint32_t index) const { return personBase_ + index + 1; }
    uint64_t FamilyId(uint32_t index) const { return familyBase_ + index + 1; }

    Options options_;
    Random random_;
    LineWriter out_;
    Texts texts_;
    Stats stats_;
    std::vector<std::string> places_;

    // The family group being made.
    std::vector<Person> people_;
    std::vector<Family> families_;
    std::vector<uint32_t> homePlaces_;
    std::vector<uint64_t> groupNotes_;
    uint64_t groupSourceFirst_ = 0;
    uint32_t groupSources_ = 0;

    uint64_t personBase_ = 0;
    uint64_t familyBase_ = 0;
    uint64_t nextNote_ = 1;
    uint64_t nextSource_ = 1;
    uint64_t loners_ = 0;
    uint64_t headerBytes_ = 0;
    std::string scratch_;
};

Stats Generator::Run() {
    // A pool of places; each family group mostly keeps to a few of them.
    places_.reserve(kPlacePool);
    for (size_t i = 0; i < kPlacePool; ++i) {
        const std::string& district = random_.Pick(texts_.districts);
        places_.push_back(random_.PerMille(900) ? random_.Pick(texts_.towns) + ", " + district
                                                : district);
    }

    WriteHeader();
    WriteRepositories();
    WriteSources(kGeneralSources);
    headerBytes_ = out_.Bytes();

    while (!Done()) {
        BuildGroup(GroupSize());
        WriteGroup();
    }
    out_.Line(0, "TRLR");
    out_.Drain();

    stats_.bytes = out_.Bytes();
    stats_.lines = out_.Lines();
    stats_.records = out_.Records();
    return stats_;
}

bool Generator::Done() const {
    if (options_.targetBytes > 0) return out_.Bytes() >= options_.targetBytes;
    return stats_.individuals >= options_.individuals;
}

// Mostly family groups of a few dozen to a few thousand people, some larger,
// and about one person in a hundred with no family at all. No group takes
// more than a quarter of the file, so there are always several.
uint64_t Generator::GroupSize() {
    uint64_t remaining = 0;
    uint64_t total = 0;
    if (options_.targetBytes > 0) {
        const uint64_t perPerson =
            stats_.individuals
                ? std::max<uint64_t>((out_.Bytes() - headerBytes_) / stats_.individuals, 50)
                : 300;
        remaining = (options_.targetBytes - out_.Bytes()) / perPerson + 1;
        total = options_.targetBytes / perPerson;
    } else {
        remaining = options_.individuals - stats_.individuals;
        total = options_.individuals;
    }
    if (loners_ * 100 < stats_.individuals) return 1;

    const uint32_t roll = random_.Below(100);
    uint64_t size = roll < 40   ? random_.Between(2, 25)
                    : roll < 80 ? random_.Between(26, 400)
                    : roll < 96 ? random_.Between(401, 4000)
                                : random_.Between(4001, 30000);
    size = std::min({size, std::max<uint64_t>(total / 4, 2), remaining});
    return std::max<uint64_t>(size, 1);
}

// A group grows from one founding couple, generation by generation: each
// family gets its children, and each child may marry someone from outside
// the group, up to three times. The founders are placed far enough back for
// the group to reach its size before the present.
void Generator::BuildGroup(uint64_t size) {
    people_.clear();
    families_.clear();
    if (size == 1) {
        AddPerson(random_.Below(2) ? 'M' : 'F', random_.Between(1650, 1990), RandomSurname(),
                  kNone);
        ++loners_;
        return;
    }
    int generations = 1;
    for (uint64_t reach = 4; reach < size; reach = reach * 22 / 10)
        ++generations;
    // Some trees are only researched back from a distant time and stop well
    // before the present.
    const int distant = random_.PerMille(300) ? random_.Between(0, 150) : 0;
    const int founderBorn =
        std::max(1450, 1985 - 30 * generations - random_.Between(0, 40) - distant);
    const uint32_t husband = AddPerson('M', founderBorn, RandomSurname(), kNone);
    const uint32_t wife =
        AddPerson('F', founderBorn + random_.Between(-2, 8), RandomSurname(), kNone);
    AddFamily(husband, wife,
              std::max(people_[husband].born, people_[wife].born) + random_.Between(18, 28));

    for (uint32_t f = 0; f < families_.size() && people_.size() < size; ++f) {
        AddChildren(f, size);
        const uint32_t first = families_[f].firstChild;
        const uint32_t count = families_[f].children;
        for (uint32_t c = first; c < first + count; ++c)
            Marry(c, size);
    }
}

uint32_t Generator::AddPerson(char sex, int born, uint16_t surname, uint32_t childOf) {
    Person p;
    p.sex = sex;
    p.born = static_cast<int16_t>(std::clamp(born, 1400, kPresentYear));
    p.died = static_cast<int16_t>(DeathYear(p.born));
    const size_t names = (sex == 'M' ? texts_.male : texts_.female).size();
    p.given = static_cast<uint16_t>(random_.Below(names));
    if (random_.PerMille(350)) p.middle = static_cast<uint16_t>(random_.Below(names));
    p.surname = surname;
    p.childOf = childOf;
    people_.push_back(p);
    ++stats_.individuals;
    return static_cast<uint32_t>(people_.size() - 1);
}

uint32_t Generator::AddFamily(uint32_t husband, uint32_t wife, int married) {
    Family f;
    f.husband = husband;
    f.wife = wife;
    f.married = static_cast<int16_t>(married);
    const auto index = static_cast<uint32_t>(families_.size());
    families_.push_back(f);
    for (uint32_t spouse : {husband, wife})
        if (spouse != kNone) people_[spouse].spouseIn[people_[spouse].spouseFamilies++] = index;
    ++stats_.families;
    return index;
}

int Generator::DeathYear(int born) {
    const uint32_t r = random_.Below(1000);
    const int age = r < 120   ? random_.Between(0, 5)
                    : r < 180 ? random_.Between(6, 30)
                    : r < 350 ? random_.Between(31, 55)
                              : random_.Between(56, 97);
    const int died = born + age;
    if (died < kPresentYear) return died;
    // Nobody born long ago is still alive.
    return born < 1920 ? random_.Between(std::max(born, 1920), kPresentYear - 1) : 0;
}

uint32_t Generator::ChildCount() {
    static constexpr uint16_t kAtMost[] = {100, 200, 340, 480, 610, 720, 800,
                                           870, 920, 960, 985, 995, 1000};
    const uint32_t r = random_.Below(1000);
    uint32_t count = 0;
    while (r >= kAtMost[count])
        ++count;
    return count;
}

void Generator::AddChildren(uint32_t family, uint64_t limit) {
    const Family fam = families_[family];
    const Person* mother = fam.wife != kNone ? &people_[fam.wife] : nullptr;
    const Person& parent = fam.husband != kNone ? people_[fam.husband] : *mother;
    const int motherBorn = mother ? mother->born : parent.born + 3;
    const int motherDied = mother ? mother->died : 0;
    const uint16_t surname = parent.surname;

    const auto first = static_cast<uint32_t>(people_.size());
    const uint32_t wanted = ChildCount();
    int year = fam.married + random_.Between(0, 2);
    for (uint32_t i = 0; i < wanted && people_.size() < limit; ++i) {
        if (year >= kPresentYear || year - motherBorn > 45) break;
        if (motherDied && year > motherDied) break;
        const char sex = random_.PerMille(5) ? 'U' : random_.Below(2) ? 'M' : 'F';
        AddPerson(sex, year, surname, family);
        year += random_.PerMille(20) ? 0 : random_.Between(1, 3);  // twins now and then
    }
    families_[family].firstChild = first;
    families_[family].children = static_cast<uint32_t>(people_.size()) - first;
}

void Generator::Marry(uint32_t person, uint64_t limit) {
    const Person p = people_[person];
    if (p.sex == 'U' || (p.died && p.died - p.born < 17) || random_.PerMille(280)) return;

    int year = p.born + random_.Between(18, 33);
    for (int marriage = 0; marriage < 3; ++marriage) {
        if (year >= kPresentYear - 1 || (p.died && year > p.died)) return;
        uint32_t spouse = kNone;
        if (!random_.PerMille(30)) {  // otherwise the other parent is unknown
            if (people_.size() >= limit) return;
            const int offset = random_.Between(-2, 8);
            const int born = std::min(p.sex == 'M' ? p.born + offset : p.born - offset, year - 16);
            spouse = AddPerson(p.sex == 'M' ? 'F' : 'M', born, RandomSurname(), kNone);
            Person& s = people_[spouse];
            if (s.died && s.died <= year)
                s.died =
                    static_cast<int16_t>(std::min(year + random_.Between(1, 40), kPresentYear - 1));
        }
        const uint32_t family =
            p.sex == 'M' ? AddFamily(person, spouse, year) : AddFamily(spouse, person, year);

        if (marriage == 2 || !random_.PerMille(130)) return;
        // Widowed or divorced, and married again.
        const int spouseDied = spouse != kNone ? people_[spouse].died : 0;
        const int end = spouseDied ? spouseDied : year + random_.Between(3, 20);
        if (end + 1 >= kPresentYear || (p.died && end >= p.died)) return;
        if (!spouseDied) families_[family].divorced = static_cast<int16_t>(end);
        year = end + random_.Between(1, 4);
    }
}

void Generator::WriteHeader() {
    out_.Line(0, "HEAD");
    out_.Line(1, "SOUR", "VELLACOR_GEDGEN");
    out_.Line(2, "VERS", "1.0");
    out_.Line(2, "NAME", "Vellacor GEDCOM generator");
    out_.Line(1, "DEST", "ANY");
    out_.Line(1, "DATE", "1 JUN 2024");
    out_.Line(2, "TIME", "12:00:00");
    out_.PointerLine(1, "SUBM", 'U', 1);
    out_.Line(1, "GEDC");
    out_.Line(2, "VERS", "5.5.1");
    out_.Line(2, "FORM", "LINEAGE-LINKED");
    out_.Line(1, "CHAR", options_.charset == Charset::Ansel ? "ANSEL" : "UTF-8");
    out_.Line(1, "LANG", "English");
    out_.Begin(1, "NOTE Synthetic family data, generated with seed ");
    out_.PutNumber(options_.seed);
    out_.End();

    out_.RecordHead('U', 1, "SUBM");
    out_.End();
    out_.Line(1, "NAME", "Margaret Whitfield");
    out_.Line(1, "ADDR", "12 High Street");
    out_.Line(2, "CONT", "Ashford, Kent TN23 1AA");
    out_.Line(2, "CONT", "England");
    out_.Line(2, "ADR1", "12 High Street");
    out_.Line(2, "CITY", "Ashford");
    out_.Line(2, "POST", "TN23 1AA");
    out_.Line(2, "CTRY", "England");
    out_.Line(1, "PHON", "+44 1233 555 0100");
    out_.Line(1, "EMAIL", "margaret.whitfield@example.org");
}

void Generator::WriteRepositories() {
    for (uint32_t r = 1; r <= kRepositories; ++r) {
        out_.RecordHead('R', r, "REPO");
        out_.End();
        out_.Line(1, "NAME", random_.Pick(texts_.repositories));
        out_.Begin(1, "ADDR ");
        out_.PutNumber(random_.Between(1, 250));
        out_.Put(' ');
        out_.Put(random_.Pick(texts_.streets));
        out_.End();
        const std::string& town = random_.Pick(texts_.towns);
        out_.Line(2, "CONT", town);
        out_.Line(2, "CITY", town);
        ++stats_.repositories;
    }
}

void Generator::WriteSources(uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        out_.RecordHead('S', nextSource_++, "SOUR");
        out_.End();
        out_.Begin(1, "TITL ");
        out_.Put(random_.Pick(texts_.sourceKinds));
        out_.Put(", ");
        out_.Put(random_.Pick(texts_.towns));
        out_.End();
        out_.Line(1, "AUTH", random_.Pick(texts_.authors));
        if (random_.PerMille(800)) out_.Line(1, "PUBL", random_.Pick(words::kPublishers));
        out_.PointerLine(1, "REPO", 'R', 1 + random_.Below(kRepositories));
        if (random_.PerMille(600)) {
            out_.Begin(2, "CALN ");
            out_.PutNumber(100000 + random_.Below(900000));
            out_.End();
        }
        if (random_.PerMille(100)) WriteNote(1);
        ++stats_.sources;
    }
}

void Generator::WriteGroup() {
    groupSourceFirst_ = nextSource_;
    groupSources_ = static_cast<uint32_t>(people_.size() / 150);
    WriteSources(groupSources_);

    homePlaces_.clear();
    for (int i = 0; i < 5; ++i)
        homePlaces_.push_back(random_.Below(places_.size()));

    for (uint32_t i = 0; i < people_.size(); ++i)
        WritePerson(i);
    for (uint32_t f = 0; f < families_.size(); ++f)
        WriteFamily(f);
    WriteNoteRecords();

    personBase_ += people_.size();
    familyBase_ += families_.size();
    ++stats_.islands;
}

void Generator::WritePerson(uint32_t index) {
    const Person& p = people_[index];
    out_.RecordHead('I', PersonId(index), "INDI");
    out_.End();

    const std::string_view prefix =
        random_.PerMille(15) ? random_.Pick(words::kNamePrefixes) : std::string_view();
    const std::string_view suffix =
        random_.PerMille(20) ? random_.Pick(words::kNameSuffixes) : std::string_view();
    const std::string& surname = texts_.surnames[p.surname];
    out_.Begin(1, "NAME ");
    if (!prefix.empty()) {
        out_.Put(prefix);
        out_.Put(' ');
    }
    out_.Put(Given(p, p.given));
    if (p.middle != kNoName) {
        out_.Put(' ');
        out_.Put(Given(p, p.middle));
    }
    out_.Put(" /");
    out_.Put(surname);
    out_.Put('/');
    if (!suffix.empty()) {
        out_.Put(' ');
        out_.Put(suffix);
    }
    out_.End();
    if (!prefix.empty()) out_.Line(2, "NPFX", prefix);
    if (random_.PerMille(400)) {
        out_.Begin(2, "GIVN ");
        out_.Put(Given(p, p.given));
        if (p.middle != kNoName) {
            out_.Put(' ');
            out_.Put(Given(p, p.middle));
        }
        out_.End();
        out_.Line(2, "SURN", surname);
    }
    if (!suffix.empty()) out_.Line(2, "NSFX", suffix);
    if (random_.PerMille(10)) out_.Line(2, "NICK", random_.Pick(words::kNicknames));
    out_.Line(1, "SEX", std::string_view(&p.sex, 1));
    if (random_.PerMille(5)) out_.Line(1, "TITL", random_.Pick(words::kNobleTitles));

    // Christening follows birth and burial follows death by some days.
    const int birthDay = static_cast<int>(random_.Below(365));
    const bool birth = random_.PerMille(920);
    if (birth) WriteEvent("BIRT", p.born, birthDay);
    if (random_.PerMille(birth ? 200 : 600))
        WriteEvent("CHR", p.born, birthDay + random_.Between(0, 40));
    if (p.died) {
        const int deathDay = p.died == p.born
                                 ? birthDay + static_cast<int>(random_.Below(365 - birthDay))
                                 : static_cast<int>(random_.Below(365));
        if (random_.PerMille(100)) {
            out_.Line(1, "DEAT", "Y");
        } else {
            WriteEvent("DEAT", p.died, deathDay);
            if (random_.PerMille(60)) out_.Line(2, "CAUS", random_.Pick(words::kCausesOfDeath));
        }
        if (random_.PerMille(450)) WriteEvent("BURI", p.died, deathDay + random_.Between(2, 7));
    }
    const int lastYear = p.died ? p.died : kPresentYear;
    if (lastYear - p.born > 16 && random_.PerMille(300))
        out_.Line(1, "OCCU", random_.Pick(words::kOccupations));
    if (random_.PerMille(100)) {
        out_.Begin(1, "REFN ");
        out_.PutNumber(100 + random_.Below(90000));
        out_.End();
        if (random_.PerMille(300)) out_.Line(2, "TYPE", "user");
    }
    if (random_.PerMille(80)) WriteNote(1);
    if (random_.PerMille(30)) WriteNotePointer(1);
    if (random_.PerMille(150)) WriteCitation(1);
    if (p.childOf != kNone) out_.PointerLine(1, "FAMC", 'F', FamilyId(p.childOf));
    for (uint8_t k = 0; k < p.spouseFamilies; ++k)
        out_.PointerLine(1, "FAMS", 'F', FamilyId(p.spouseIn[k]));
}

void Generator::WriteFamily(uint32_t index) {
    const Family& f = families_[index];
    out_.RecordHead('F', FamilyId(index), "FAM");
    out_.End();
    if (f.husband != kNone) out_.PointerLine(1, "HUSB", 'I', PersonId(f.husband));
    if (f.wife != kNone) out_.PointerLine(1, "WIFE", 'I', PersonId(f.wife));
    if (random_.PerMille(880)) WriteEvent("MARR", f.married);
    if (f.divorced) {
        out_.Line(1, "DIV");
        if (random_.PerMille(700)) WriteDate(2, f.divorced);
    }
    for (uint32_t c = 0; c < f.children; ++c)
        out_.PointerLine(1, "CHIL", 'I', PersonId(f.firstChild + c));
    if (random_.PerMille(20)) WriteNote(1);
}

void Generator::WriteEvent(std::string_view tag, int year, int dayOfYear) {
    out_.Line(1, tag);
    if (random_.PerMille(940)) WriteDate(2, year, dayOfYear);
    if (random_.PerMille(800)) out_.Line(2, "PLAC", Place());
    if (random_.PerMille(200)) WriteCitation(2);
}

// The forms seen in real files, exact dates most often. Before the calendar
// change some dates carry a double year ("1 JAN 1700/01") or name the Julian
// calendar, and a few are text no parser understands. The day within the
// year is random unless given; a day past the end of the year falls into
// the next.
void Generator::WriteDate(int level, int year, int dayOfYear) {
    static constexpr std::string_view kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (dayOfYear < 0) dayOfYear = static_cast<int>(random_.Below(365));
    year += dayOfYear / 365;
    uint32_t month = 0;
    int day = dayOfYear % 365 + 1;
    while (day > kDays[month])
        day -= kDays[month++];
    const bool oldStyle = year < 1752;
    const uint32_t form = random_.Below(1000);

    out_.Begin(level, "DATE ");
    if (form < 470) {
        if (oldStyle && random_.PerMille(100)) out_.Put("@#DJULIAN@ ");
        if (day < 10 && random_.PerMille(100)) out_.Put('0');
        out_.PutNumber(day);
        out_.Put(' ');
        out_.Put(kMonths[month]);
        out_.Put(' ');
        out_.PutNumber(year);
        if (oldStyle && month < 3 && random_.PerMille(400)) {
            out_.Put('/');
            out_.PutTwoDigits((year + 1) % 100);
        }
    } else if (form < 550) {
        out_.Put(kMonths[month]);
        out_.Put(' ');
        out_.PutNumber(year);
    } else if (form < 700) {
        out_.PutNumber(year);
    } else if (form < 860) {
        out_.Put(form < 780 ? "ABT " : form < 820 ? "BEF " : "AFT ");
        out_.PutNumber(year);
    } else if (form < 900) {
        out_.Put("BET ");
        out_.PutNumber(year - random_.Between(1, 10));
        out_.Put(" AND ");
        out_.PutNumber(year);
    } else if (form < 930) {
        out_.Put("FROM ");
        out_.PutNumber(year - random_.Between(1, 10));
        out_.Put(" TO ");
        out_.PutNumber(year);
    } else if (form < 985) {
        out_.Put(form < 955 ? "CAL " : "EST ");
        out_.PutNumber(year);
    } else {
        out_.Put(random_.Pick(words::kUnparseableDates));
    }
    out_.End();
}

// Most citations point at a source of the person's own family group, some
// at any source written before.
void Generator::WriteCitation(int level) {
    const uint64_t source = groupSources_ && random_.PerMille(850)
                                ? groupSourceFirst_ + random_.Below(groupSources_)
                                : 1 + random_.Below(nextSource_ - 1);
    out_.PointerLine(level, "SOUR", 'S', source);
    if (random_.PerMille(750)) {
        out_.Begin(level + 1, "PAGE ");
        out_.Put(random_.Pick(words::kPageForms));
        out_.Put(' ');
        out_.PutNumber(1 + random_.Below(400));
        if (random_.PerMille(300)) {
            out_.Put(", entry ");
            out_.PutNumber(1 + random_.Below(60));
        }
        out_.End();
    }
    if (random_.PerMille(150)) {
        out_.Begin(level + 1, "QUAY ");
        out_.PutNumber(random_.Below(4));
        out_.End();
    }
}

void Generator::ComposeNote() {
    scratch_.clear();
    const uint32_t sentences = 1 + random_.Below(5);
    for (uint32_t i = 0; i < sentences; ++i) {
        if (i > 0) {
            const uint32_t r = random_.Below(1000);
            scratch_ += r < 850 ? " " : r < 970 ? "\n" : "\n\n";
        }
        scratch_ += random_.Pick(words::kNoteSentences);
    }
}

// The text's first piece goes on the current line; each further line of the
// text starts a CONT line, and long lines go on in CONC lines. Pieces are
// never cut next to a blank, since readers trim the pieces they join.
void Generator::PutContinued(int level, std::string_view text) {
    bool firstLine = true;
    while (true) {
        const size_t lineBreak = text.find('\n');
        std::string_view line = text.substr(0, lineBreak);
        bool firstPiece = true;
        do {
            size_t take = line.size();
            const size_t limit = 50 + random_.Below(30);
            if (take > limit) {
                take = limit;
                while (take > 1 && (line[take - 1] == ' ' || line[take] == ' '))
                    --take;
            }
            if (!firstLine) out_.Begin(level + 1, firstPiece ? "CONT" : "CONC");
            if (take > 0) {
                out_.Put(' ');
                out_.Put(line.substr(0, take));
            }
            out_.End();
            line.remove_prefix(take);
            firstLine = false;
            firstPiece = false;
        } while (!line.empty());
        if (lineBreak == std::string_view::npos) break;
        text.remove_prefix(lineBreak + 1);
    }
}

void Generator::WriteNote(int level) {
    ComposeNote();
    out_.Begin(level, "NOTE");
    PutContinued(level, scratch_);
}

// Notes kept as records of their own; now and then two people share one.
void Generator::WriteNotePointer(int level) {
    uint64_t note = 0;
    if (!groupNotes_.empty() && random_.PerMille(200)) {
        note = random_.Pick(groupNotes_);
    } else {
        note = nextNote_++;
        groupNotes_.push_back(note);
    }
    out_.PointerLine(level, "NOTE", 'N', note);
}

void Generator::WriteNoteRecords() {
    for (uint64_t note : groupNotes_) {
        out_.RecordHead('N', note, "NOTE");
        ComposeNote();
        PutContinued(0, scratch_);
        ++stats_.notes;
    }
    groupNotes_.clear();
}

class FileSink : public ByteSink {
  public:
    explicit FileSink(const std::string& path)
        : path_(path), file_(std::fopen(path.c_str(), "wb")) {
        if (!file_) Fail();
    }
    ~FileSink() override {
        if (file_) std::fclose(file_);
    }
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;

    void Write(const char* data, size_t size) override {
        if (std::fwrite(data, 1, size, file_) != size) Fail();
    }
    void Close() {
        std::FILE* file = file_;
        file_ = nullptr;
        if (std::fclose(file) != 0) Fail();
    }

  private:
    [[noreturn]] void Fail() const {
        throw std::runtime_error("cannot write " + path_ + ": " + std::strerror(errno));
    }

    std::string path_;
    std::FILE* file_;
};

class StringSink : public ByteSink {
  public:
    void Write(const char* data, size_t size) override { text.append(data, size); }
    std::string text;
};

}  // namespace

Stats Generate(const Options& options, ByteSink& sink) {
    return Generator(options, sink).Run();
}

Stats GenerateFile(const Options& options, const std::string& path) {
    FileSink sink(path);
    const Stats stats = Generate(options, sink);
    sink.Close();
    return stats;
}

std::string GenerateString(const Options& options, Stats* stats) {
    StringSink sink;
    const Stats result = Generate(options, sink);
    if (stats) *stats = result;
    return std::move(sink.text);
}

}  // namespace vx::gedgen
