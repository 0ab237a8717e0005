// What the browser build of the viewer knows: the payload the page carries
// (the archive and the creator's facts, as behind a program file), the
// collection expanded and loaded from it, and the answers the page asks
// for, each a JSON text: the person on the scroller, the General,
// Individual, Family and Pedigree pages, and the find box's matches.
//
// Every answer is built by the same core code as the desktop viewer's tabs
// and `vellacor-tool dump`, so the browser shows the same texts.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/EmbeddedArchive.h"

namespace vx {
class IslandView;
class WGEDCollection;
class WColSortIterator;
}  // namespace vx

namespace vx::web {

class WebViewer {
  public:
    // The name under which the page's payload is handed to the core.
    static constexpr const char* kPayloadPath = "/payload";

    WebViewer();
    ~WebViewer();
    WebViewer(const WebViewer&) = delete;
    WebViewer& operator=(const WebViewer&) = delete;

    // Expands and loads a payload: {"ok":true, counts, "sender":{...},
    // "start", "warnings":[...]} or {"ok":false, "message"}. Any earlier
    // file is dropped first. `importSeconds` is given to the General page.
    // `progress` hears the share done, from 0 to 1, while it works.
    std::string Load(std::vector<char> payload,
                     const std::function<void(double)>& progress = nullptr);
    bool Loaded() const { return collection_ != nullptr; }
    void SetImportSeconds(double seconds) { importSeconds_ = seconds; }

    // The scroller for individual n: label, parents, neighbours in view
    // order, the spouse-and-children menu and the person summary.
    std::string Person(int32_t n) const;
    std::string General() const;
    std::string Individual(int32_t n) const;
    // `marriage` counts the subject's spouse families from 1.
    std::string Family(int32_t n, int marriage) const;
    std::string Pedigree(int32_t n, int marriage) const;

    // Find box modes, as the desktop's.
    enum FindMode : int { kFindIndex = 1, kFindReference = 2, kFindSurname = 3, kFindGiven = 4 };
    // At most kMaxMatches matches for `text`, in the mode's sort order:
    // {"matches":[{"n","label"}], "more":bool}.
    static constexpr int kMaxMatches = 50;
    std::string Find(int mode, const std::string& text);

  private:
    // An individual number that names somebody, or 0.
    int32_t Valid(int32_t n) const;
    WColSortIterator& SortedList(int mode);
    bool Matches(int mode, int32_t individual, const std::string& text) const;

    std::unique_ptr<TEmbeddedGedcom> gedcom_;
    std::unique_ptr<WGEDCollection> collection_;
    // The people the scroller steps through: the whole file.
    std::unique_ptr<IslandView> view_;
    std::string fileName_;
    double importSeconds_ = -1;
    // Lazily sorted lists of the surname and given-name modes.
    std::unique_ptr<WColSortIterator> surnameList_;
    std::unique_ptr<WColSortIterator> givenList_;
};

}  // namespace vx::web
