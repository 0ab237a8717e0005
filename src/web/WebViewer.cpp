#include "web/WebViewer.h"

#include <algorithm>

#include "analysis/IslandView.h"
#include "app/Errors.h"
#include "app/Options.h"
#include "app/TextUtil.h"
#include "app/Win1252.h"
#include "archive/ArchiveErrors.h"
#include "archive/RESCompress.h"
#include "columns/AttributeIds.h"
#include "columns/ColSortIterator.h"
#include "exports/GeneralPage.h"
#include "gedcom/GEDCollection.h"
#include "platform/FileHandle.h"
#include "platform/browser/MemoryFiles.h"
#include "records/Event.h"
#include "records/Individual.h"
#include "records/Marriage.h"
#include "web/Json.h"
#include "web/LoadProgress.h"
#include "web/WebPages.h"

namespace vx::web {
namespace {

// The built-in sorts of the find lists: "Surname, Given" for the surname
// search, the full name for the given-name search (as the desktop's).
constexpr int kSurnameSortKey = Attr::SurnameGiven;
constexpr int kGivenSortKey = Attr::FullName;

// Days from 1899-12-30, where the trailer's dates count from, to 1970-01-01.
constexpr double kUnixEpochDays = 25569.0;
constexpr double kMillisecondsPerDay = 86400000.0;

// People that PageUp and PageDown step over.
constexpr int32_t kPageStep = 10;

// The share of the progress bar that expansion takes; loading takes the
// rest. The loader lets messages through after every 128 KB of text it
// indexes and every 4,096 records it links: with records of a few hundred
// bytes, about one call per this many bytes of text.
constexpr double kExpandShare = 0.5;
constexpr int64_t kBytesPerLoadCall = 110000;

// A message on one line: line breaks become blanks.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string ErrorAnswer(const std::string& message) {
    JsonWriter json;
    json.BeginObject().Field("ok", false).Field("message", OneLine(message)).EndObject();
    return json.Take();
}

bool BeginsWith(const std::string& text, const std::string& prefix) {
    const std::string upper = UpperText(text), upperPrefix = UpperText(prefix);
    return upper.size() >= upperPrefix.size() &&
           upper.compare(0, upperPrefix.size(), upperPrefix) == 0;
}

void WriteSender(JsonWriter& json, const SenderRecord& sender) {
    json.Key("sender").BeginObject();
    for (const SenderTextField& field : kSenderTextFields)
        json.Field(field.Name, Win1252ToUtf8(sender.*field.Text));
    json.Field("Created", FormatDateTime(sender.Created));
    json.Field("CreatedTime", (sender.Created - kUnixEpochDays) * kMillisecondsPerDay);
    json.Field("AllowExtract", sender.AllowExtract != 0);
    json.EndObject();
}

}  // namespace

WebViewer::WebViewer() = default;
WebViewer::~WebViewer() = default;

int32_t WebViewer::Valid(int32_t n) const {
    return collection_ && n >= 1 && n <= collection_->IndividualCount() ? n : 0;
}

std::string WebViewer::Load(std::vector<char> payload,
                            const std::function<void(double)>& progress) {
    surnameList_.reset();
    givenList_.reset();
    view_.reset();
    collection_.reset();
    gedcom_.reset();
    platform::ClearMemoryFiles();
    WOptions::ResetToDefaults();
    platform::PutMemoryFile(kPayloadPath, std::move(payload));

    std::vector<int> badBlocks;
    try {
        const TPayloadLayout layout = ReadPayloadLayout(kPayloadPath);
        if (!layout.MarkerFound)
            return ErrorAnswer("This page carries no family file: its data are damaged.");
        LoadProgress meter(progress);
        // Expansion reports each block; loading every stretch of text or
        // records, about one per kBytesPerLoadCall bytes of text.
        meter.Stage(layout.Sender.BlockCount, 0, kExpandShare);
        gedcom_ = std::make_unique<TEmbeddedGedcom>(LoadEmbeddedGedcom(kPayloadPath));
        platform::DeleteFile(kPayloadPath);
        const int64_t textBytes = platform::FileLength(gedcom_->File.Handle());
        meter.Stage(textBytes / kBytesPerLoadCall, kExpandShare, 1.0);
        std::string error;
        collection_ = OpenCollection(gedcom_->File.Path(), WABSCollection::kKindGedcom, error);
        if (!collection_) return ErrorAnswer(error);
        if (!collection_->Load()) {
            collection_.reset();
            return ErrorAnswer("Loading was cancelled.");
        }
        collection_->AfterLoad();
        view_ = std::make_unique<IslandView>(*collection_);
    } catch (const VxError& error) {
        collection_.reset();
        gedcom_.reset();
        return ErrorAnswer(error.what());
    } catch (const std::bad_alloc&) {
        collection_.reset();
        gedcom_.reset();
        return ErrorAnswer("There is not enough memory to open this family file.");
    } catch (const std::exception& error) {
        collection_.reset();
        gedcom_.reset();
        return ErrorAnswer(std::string("This family file cannot be opened: ") + error.what());
    }

    const SenderRecord& sender = gedcom_->Payload.Layout.Sender;
    fileName_ = Win1252ToUtf8(sender.FileName);
    const int32_t count = collection_->IndividualCount();
    JsonWriter json;
    json.BeginObject().Field("ok", true);
    json.Field("individuals", count)
        .Field("families", collection_->FamilyCount())
        .Field("notes", collection_->NoteCount())
        .Field("sources", collection_->SourceCount());
    // A start beyond the file shows the first individual.
    json.Field("start",
               Valid(sender.StartIndividual) ? sender.StartIndividual : (count > 0 ? 1 : 0));
    WriteSender(json, sender);
    json.Key("warnings").BeginArray();
    for (const int block : gedcom_->Payload.BadBlocks)
        json.String(std::string(WRESCompress::kCrcMessage) + " (block " + std::to_string(block) +
                    ")");
    json.EndArray();
    json.EndObject();
    return json.Take();
}

std::string WebViewer::Person(int32_t n) const {
    if (!Valid(n)) return "null";
    const WGEDCollection& c = *collection_;
    const auto person = c.Individual(n);
    JsonWriter json;
    json.BeginObject().Field("n", n);
    // The scroller's label, as the desktop's.
    json.Field("label", std::to_string(n) + " - " + person->DisplayName() + ", " +
                            person->EventDateText(kEventBirth) + ", " +
                            person->EventPlaceText(kEventBirth));
    json.Field("name", person->DisplayName()).Field("sex", person->Sex());
    json.Field("summary", c.PersonSummary(n));
    const IslandView& view = *view_;
    const int32_t position = view.Position(n);
    json.Field("previous", position > 1 ? view.Individual(position - 1) : 0);
    json.Field("next",
               position >= 1 && position < view.Count() ? view.Individual(position + 1) : 0);
    // PageUp and PageDown step a page of people at a time.
    const int32_t count = view.Count();
    json.Field("pageBack", position >= 1 ? view.Individual(std::max(position - kPageStep, 1)) : 0);
    json.Field("pageForward",
               position >= 1 ? view.Individual(std::min(position + kPageStep, count)) : 0);
    json.Field("first", count > 0 ? view.Individual(1) : 0);
    json.Field("last", count > 0 ? view.Individual(count) : 0);
    const int32_t father = c.FatherOf(n), mother = c.MotherOf(n);
    json.Field("father", father).Field("fatherName", father ? c.DisplayNameOf(father) : "");
    json.Field("mother", mother).Field("motherName", mother ? c.DisplayNameOf(mother) : "");
    WriteSpouseAndChildrenMenu(json, c, n);
    json.EndObject();
    return json.Take();
}

std::string WebViewer::General() const {
    if (!collection_) return "null";
    const std::optional<double> seconds =
        importSeconds_ >= 0 ? std::optional<double>(importSeconds_) : std::nullopt;
    const GeneralPage page = BuildGeneralPage(collection_.get(), seconds);
    JsonWriter json;
    json.BeginObject();
    WriteGeneralPage(json, page);
    json.Field("fileName", fileName_);
    // The copied text leaves the import time out, like `vellacor-tool dump`.
    json.Field("text", GeneralText(*collection_, fileName_, false));
    json.EndObject();
    return json.Take();
}

std::string WebViewer::Individual(int32_t n) const {
    if (!Valid(n)) return "null";
    JsonWriter json;
    WriteIndividualPage(json, *collection_, n);
    return json.Take();
}

std::string WebViewer::Family(int32_t n, int marriage) const {
    if (!Valid(n)) return "null";
    JsonWriter json;
    WriteFamilyPage(json, *collection_, n, std::max(marriage, 1));
    return json.Take();
}

std::string WebViewer::Pedigree(int32_t n, int marriage) const {
    if (!Valid(n)) return "null";
    JsonWriter json;
    WritePedigreePage(json, *collection_, n, std::max(marriage, 1));
    return json.Take();
}

WColSortIterator& WebViewer::SortedList(int mode) {
    auto& list = mode == kFindSurname ? surnameList_ : givenList_;
    if (!list) {
        list = std::make_unique<WColSortIterator>(collection_.get(), view_.get());
        list->SortByKey(mode == kFindSurname ? kSurnameSortKey : kGivenSortKey);
    }
    return *list;
}

// Letter case is ignored; a surname search with a comma also compares the
// given names.
bool WebViewer::Matches(int mode, int32_t individual, const std::string& text) const {
    if (!Valid(individual)) return false;
    const auto person = collection_->Individual(individual);
    if (mode == kFindGiven) return BeginsWith(person->GivenNames(), text);
    const auto [surname, given] = SplitComma(text);
    if (surname.empty() || !BeginsWith(person->SurnameText(), surname)) return false;
    return given.empty() || BeginsWith(person->GivenNames(), given);
}

std::string WebViewer::Find(int mode, const std::string& text) {
    std::vector<int32_t> found;
    bool more = false;
    if (collection_ && !text.empty()) {
        if (mode == kFindIndex) {
            int32_t index = 0;
            const bool digits = text.find_first_not_of("0123456789") == std::string::npos;
            // Beyond the end the last individual, as on the desktop scroller.
            if (digits && ParseInt(text, index) && index > 0)
                found.push_back(std::min(index, collection_->IndividualCount()));
        } else if (mode == kFindReference) {
            if (const int32_t n = collection_->IndividualByXRef("I" + text)) found.push_back(n);
        } else if (mode == kFindSurname || mode == kFindGiven) {
            WColSortIterator& list = SortedList(mode);
            int32_t position = 0;
            if (mode == kFindSurname) {
                const auto [surname, given] = SplitComma(text);
                position = list.FindName(surname, given);
            } else {
                position = list.FindNameText(text);
            }
            // The search lands on some match; the first of them leads.
            while (position > 1 && Matches(mode, list.ItemID(position - 1), text))
                --position;
            for (; position >= 1 && position <= list.Count() &&
                   Matches(mode, list.ItemID(position), text);
                 ++position) {
                if (static_cast<int>(found.size()) == kMaxMatches) {
                    more = true;
                    break;
                }
                found.push_back(list.ItemID(position));
            }
        }
    }
    JsonWriter json;
    json.BeginObject().Key("matches").BeginArray();
    for (const int32_t n : found) {
        const auto person = collection_->Individual(n);
        json.BeginObject().Field("n", n).Field("label", person->SummaryLine(false)).EndObject();
    }
    json.EndArray().Field("more", more).EndObject();
    return json.Take();
}

}  // namespace vx::web
