#include "ui/FindBox.h"

#include <QAction>
#include <QLineEdit>

#include "app/Options.h"
#include "app/Services.h"
#include "app/TextUtil.h"
#include "columns/AttributeIds.h"
#include "columns/ColSortIterator.h"
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"
#include "widgets/IndScroll.h"
#include "widgets/QtText.h"
#include "widgets/SelectionButton.h"

namespace vx {
namespace {

// The built-in sort of each mode's list: reference, "Surname, Given", and
// the full name for the given-name search; the index order is the view's.
constexpr int kViewOrder = 0;
constexpr int kSortKey[5] = {kViewOrder, kViewOrder, Attr::RIN, Attr::SurnameGiven, Attr::FullName};

bool BeginsWith(const std::string& text, const std::string& prefix) {
    const std::string upper = UpperText(text), upperPrefix = UpperText(prefix);
    return upper.size() >= upperPrefix.size() &&
           upper.compare(0, upperPrefix.size(), upperPrefix) == 0;
}

}  // namespace

// Marks a find in progress, so the box's own change handling and the
// filling after each move stay out of the way.
class WFindBox::Guard {
  public:
    explicit Guard(bool& flag) : flag_(flag) { flag_ = true; }
    ~Guard() { flag_ = false; }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

  private:
    bool& flag_;
};

WFindBox::WFindBox(QLineEdit& box, WSelectionButton& modeButton, WIndScroll& scroller,
                   QAction& next, QAction& previous, QObject* parent)
    : QObject(parent),
      box_(box),
      modeButton_(modeButton),
      scroller_(scroller),
      next_(next),
      previous_(previous) {
    const int saved = WOptions::GetInt(opt::kQFind);
    mode_ = saved >= kIndex && saved <= kGiven ? saved : kIndex;
    modeButton_.SetItemSelected(mode_);
    connect(&box_, &QLineEdit::textChanged, this, &WFindBox::TextChanged);
    connect(&modeButton_, &WSelectionButton::ItemChanged, this, &WFindBox::SetMode);
    EnableSteps(false);
}

WFindBox::~WFindBox() = default;

void WFindBox::Reset() {
    for (auto& list : lists_)
        list.reset();
    dialogList_.reset();
    collection_ = nullptr;
    anchor_ = current_ = 0;
    EnableSteps(false);
}

void WFindBox::Attach(const WABSCollection* collection, const IslandView* view) {
    Reset();
    collection_ = collection;
    if (!collection) return;
    for (int mode = kReference; mode <= kGiven; ++mode)
        lists_[static_cast<size_t>(mode)] = std::make_unique<WColSortIterator>(collection, view);
    dialogList_ = std::make_unique<WColSortIterator>(collection, view);
}

WColSortIterator* WFindBox::List(int mode) const {
    return mode >= kReference && mode <= kGiven ? lists_[static_cast<size_t>(mode)].get() : nullptr;
}

void WFindBox::EnableSteps(bool enabled) {
    next_.setEnabled(enabled && collection_ != nullptr);
    previous_.setEnabled(enabled && collection_ != nullptr);
}

void WFindBox::SetMode(int mode) {
    if (mode < kIndex || mode > kGiven) return;
    mode_ = mode;
    WOptions::SetInt(opt::kQFind, mode);
    {
        Guard guard(finding_);
        box_.clear();
    }
    Fill();
}

void WFindBox::Fill() {
    if (finding_) return;
    std::string value;
    const int32_t individual = scroller_.CurrentIndividual();
    if (collection_ && individual >= 1 && individual <= collection_->IndividualCount()) {
        auto person = collection_->Individual(individual);
        switch (mode_) {
            case kIndex:
                value = std::to_string(individual);
                break;
            case kReference:
                value = person->XRef();
                break;
            case kSurname:
                value = person->SurnameText();
                break;
            default:
                value = person->GivenNames();
                break;
        }
    }
    const QSignalBlocker quiet(box_);
    box_.setText(ToQt(value));
    if (mode_ == kSurname || mode_ == kGiven) {
        anchor_ = current_ = 0;
        EnableSteps(true);
    }
    if (value.empty()) EnableSteps(false);
}

WColSortIterator* WFindBox::SortedList() {
    WColSortIterator* list = List(mode_);
    if (!list) return nullptr;
    if (!list->IsSorted()) {
        WaitScope wait("Sorting.  Please Wait...", false, false);
        list->SortByKey(kSortKey[mode_]);
    }
    return list;
}

// Letter case is ignored; a surname search with a comma also compares the
// given names.
bool WFindBox::Matches(int32_t individual) const {
    if (!collection_ || individual < 1 || individual > collection_->IndividualCount()) return false;
    auto person = collection_->Individual(individual);
    const std::string text = FromQt(box_.text());
    if (mode_ == kGiven) return BeginsWith(person->GivenNames(), text);
    const auto [surname, given] = SplitComma(text);
    if (surname.empty()) return false;
    if (!BeginsWith(person->SurnameText(), surname)) return false;
    return given.empty() || BeginsWith(person->GivenNames(), given);
}

bool WFindBox::FindAnchor(WColSortIterator& list) {
    const std::string text = FromQt(box_.text());
    if (mode_ == kSurname) {
        const auto [surname, given] = SplitComma(text);
        const int position = list.FindName(surname, given);
        anchor_ = current_ = position != 0 ? position : 1;
        return position != 0;
    }
    int position = list.FindNameText(text);
    if (position == 0) return false;
    // The search lands on some match; the first of them is the anchor.
    while (position > 1 && Matches(list.ItemID(position - 1)))
        --position;
    anchor_ = current_ = position;
    return true;
}

void WFindBox::GoTo(WColSortIterator& list, int position) {
    const int32_t individual = list.ItemID(position);
    if (individual > 0) scroller_.GoToIndividual(individual);
}

void WFindBox::TextChanged() {
    if (!collection_ || finding_) return;
    const std::string text = FromQt(box_.text());
    if (text.empty()) {
        anchor_ = current_ = 0;
        EnableSteps(false);
        return;
    }
    Guard guard(finding_);
    switch (mode_) {
        case kIndex: {
            int32_t index = 0;
            const bool digits = text.find_first_not_of("0123456789") == std::string::npos;
            if (digits && ParseInt(text, index) && index != 0) scroller_.GoToIndividual(index);
            break;
        }
        case kReference:
            if (const int32_t found = collection_->IndividualByXRef("I" + text))
                scroller_.GoToIndividual(found);
            break;
        case kSurname:
            if (WColSortIterator* list = SortedList()) {
                if (FindAnchor(*list)) EnableSteps(true);
                GoTo(*list, anchor_);
            }
            break;
        default:
            if (WColSortIterator* list = SortedList()) {
                if (FindAnchor(*list)) {
                    EnableSteps(true);
                    GoTo(*list, anchor_);
                }
            }
            break;
    }
}

void WFindBox::FindNext() {
    if (mode_ != kSurname && mode_ != kGiven) return;
    WColSortIterator* list = SortedList();
    if (!list) return;
    Guard guard(finding_);
    if (anchor_ == 0 || current_ == 0) {
        if (!FindAnchor(*list)) anchor_ = current_ = 1;
    }
    ++current_;
    if (current_ <= list->Count() && Matches(list->ItemID(current_))) {
        GoTo(*list, current_);
        return;
    }
    current_ = anchor_;
    GoTo(*list, anchor_);
}

void WFindBox::FindPrevious() {
    if (mode_ != kSurname && mode_ != kGiven) return;
    if (anchor_ == 0 || current_ == 0) return;
    WColSortIterator* list = SortedList();
    if (!list) return;
    Guard guard(finding_);
    --current_;
    if (current_ >= anchor_ && Matches(list->ItemID(current_))) {
        GoTo(*list, current_);
        return;
    }
    // Wrap to the last match after the anchor.
    int last = anchor_;
    while (last + 1 <= list->Count() && Matches(list->ItemID(last + 1)))
        ++last;
    current_ = last;
    GoTo(*list, current_);
}

}  // namespace vx
