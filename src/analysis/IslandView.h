// The view: the individuals that lists, the scroller, find and printing
// walk. Unconfined it is the whole file; confined, the members of one
// island in increasing individual number. Whoever lets the user choose an
// island owns one; holders of an optional view read a null one as the
// whole file (the functions at the end).
#pragma once

#include <cstdint>
#include <memory>

namespace vx {

class WABSCollection;
class WIntArray;
class WIslands;

class IslandView {
  public:
    explicit IslandView(const WABSCollection& collection);
    ~IslandView();
    IslandView(const IslandView&) = delete;
    IslandView& operator=(const IslandView&) = delete;

    int32_t Count() const;
    // The individual at a position (1-based); identity when unconfined.
    int32_t Individual(int32_t position) const;
    // The position of an individual, 0 when outside the island; identity
    // when unconfined.
    int32_t Position(int32_t individual) const;

    // Confines the view to the island of that rank (1 = largest), dropping
    // any previous confinement first and computing the islands when needed;
    // a rank beyond the islands leaves the whole file.
    void Use(WIslands& islands, int32_t rank);
    void Clear();
    bool IsConfined() const { return members_ != nullptr; }

  private:
    const WABSCollection* collection_;
    std::unique_ptr<WIntArray> members_;
};

// The same questions of a view that may be absent (null: the whole file).
int32_t ViewCount(const IslandView* view, const WABSCollection& collection);
int32_t ViewIndividual(const IslandView* view, int32_t position);
int32_t ViewPosition(const IslandView* view, int32_t individual);

}  // namespace vx
