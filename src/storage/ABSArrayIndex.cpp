#include "storage/ABSArrayIndex.h"

#include <cstring>
#include <limits>
#include <vector>

#include "app/CancelPoll.h"
#include "app/Errors.h"
#include "app/Services.h"

namespace vx {
namespace {

constexpr int32_t kGrowBy = 16384;

int32_t InitialCapacity(int32_t recordSize, int32_t expectedCount) {
    if (expectedCount <= 0) return 2048;
    const int64_t bytes = static_cast<int64_t>(recordSize) * expectedCount + 1024;
    return bytes > std::numeric_limits<int32_t>::max() / 2 ? std::numeric_limits<int32_t>::max() / 2
                                                           : static_cast<int32_t>(bytes);
}

}  // namespace

WABSArrayIndex::WABSArrayIndex(const std::string& fileName, int32_t recordSize,
                               int32_t expectedCount)
    : store_(std::make_unique<WVersionMMF>(fileName, kGrowBy,
                                           InitialCapacity(recordSize, expectedCount))),
      recordSize_(recordSize > 0 ? recordSize : 1) {
    Reset();
}

WABSArrayIndex::~WABSArrayIndex() {
    if (store_) WriteHeaderCount();
}

void WABSArrayIndex::WriteHeaderCount() {
    std::memcpy(store_->PointerAt(8), &count_, 4);
}

void WABSArrayIndex::Reset() {
    store_->Reset();
    count_ = 0;
    const int32_t header[2] = {0, recordSize_};
    store_->Append(header, sizeof header);
    sorted_ = false;
}

char* WABSArrayIndex::Item(int32_t position) const {
    if (!InRange(position)) return nullptr;
    return store_->PointerAt(kFirstRecordOffset + (position - 1) * recordSize_);
}

void WABSArrayIndex::SetItem(int32_t position, const void* record) {
    if (char* target = Item(position)) {
        std::memmove(target, record, static_cast<size_t>(recordSize_));
        sorted_ = false;
    }
}

int32_t WABSArrayIndex::Append(const void* record) {
    store_->Append(record, recordSize_);
    sorted_ = false;
    return ++count_;
}

void WABSArrayIndex::SetCount(int32_t n) {
    if (n <= count_) return;
    const int64_t bytes = static_cast<int64_t>(n - count_) * recordSize_;
    if (bytes + kFirstRecordOffset + static_cast<int64_t>(count_) * recordSize_ >
        std::numeric_limits<int32_t>::max())
        throw EInOutError("Error with I/O");
    store_->AppendZeros(static_cast<int32_t>(bytes));
    count_ = n;
}

int32_t WABSArrayIndex::FindImpl(CompareFn compare, void* context, const void* key,
                                 bool* found) const {
    int32_t low = 1, high = count_;
    const char* keyBytes = static_cast<const char*>(key);
    while (low <= high) {
        const int32_t mid = low + (high - low) / 2;
        const int r = compare(Item(mid), keyBytes, context);
        if (r == 0) {
            if (found) *found = true;
            return mid;
        }
        if (r < 0)
            low = mid + 1;
        else
            high = mid - 1;
    }
    if (!found) return 0;
    *found = false;
    return low < count_ ? low : count_;
}

int32_t WABSArrayIndex::Find(CompareFn compare, const void* key) const {
    return FindImpl(compare, nullptr, key, nullptr);
}

int32_t WABSArrayIndex::FindNearest(CompareFn compare, const void* key, bool& found) const {
    return FindImpl(compare, nullptr, key, &found);
}

// One sort in progress: the array, its comparison and two scratch records.
struct WABSArrayIndex::SortRun {
    WABSArrayIndex& array;
    CompareFn compare;
    void* context;
    bool yield;
    std::vector<char> pivot;
    std::vector<char> swap;
    int64_t calls = 0;
    CancelPoll poll{};
    bool stopped = false;  // the wait dialog's Cancel ended the sort

    char* At(int32_t i) const { return array.Item(i); }
    size_t Size() const { return static_cast<size_t>(array.recordSize_); }
    void Copy(char* to, const char* from) const { std::memcpy(to, from, Size()); }
    void Swap(int32_t a, int32_t b) {
        Copy(swap.data(), At(a));
        Copy(At(a), At(b));
        Copy(At(b), swap.data());
    }

    void Insertion(int32_t low, int32_t high) {
        for (int32_t k = low + 1; k <= high; ++k) {
            Copy(pivot.data(), At(k));
            int32_t j = k - 1;
            while (j >= low && compare(At(j), pivot.data(), context) > 0) {
                Copy(At(j + 1), At(j));
                --j;
            }
            Copy(At(j + 1), pivot.data());
        }
    }

    int32_t Partition(int32_t low, int32_t high) {
        const int32_t mid = low + (high - low) / 2;
        Copy(pivot.data(), At(mid));
        Swap(low, mid);
        int32_t i = low + 1, j = high;
        for (;;) {
            while (j > i && compare(pivot.data(), At(i), context) > 0)
                ++i;
            while (i <= j && compare(At(j), pivot.data(), context) > 0)
                --j;
            if (j <= i) break;
            Swap(i, j);
            ++i;
            --j;
        }
        Copy(At(low), At(j));
        Copy(At(j), pivot.data());
        return j;
    }

    // Recurses into the smaller side and loops over the larger, so the
    // depth stays logarithmic whatever the data.
    void Step(int32_t low, int32_t high) {
        while (high > low && !stopped) {
            if (++calls % 25 == 0 && yield) PumpMessages();
            if (yield && poll.Cancelled()) {
                stopped = true;
                return;
            }
            if (high - low < 10) {
                Insertion(low, high);
                return;
            }
            const int32_t p = Partition(low, high);
            if (p - low <= high - p) {
                Step(low, p - 1);
                low = p + 1;
            } else {
                Step(p + 1, high);
                high = p - 1;
            }
        }
    }
};

bool WABSArrayIndex::Sort(CompareFn compare, void* context, bool yield) {
    if (!store_ || count_ <= 0 || sorted_ || sorting_) return true;
    sorting_ = true;
    SortRun run{*this,
                compare,
                context,
                yield,
                std::vector<char>(recordSize_),
                std::vector<char>(recordSize_)};
    if (yield) PumpMessages();
    try {
        run.Step(1, count_);
    } catch (...) {
        sorting_ = false;
        throw;
    }
    sorted_ = !run.stopped;
    sorting_ = false;
    return sorted_;
}

}  // namespace vx
