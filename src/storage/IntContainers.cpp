#include "storage/IntContainers.h"

namespace vx {

void WIntStack::Push(int32_t value) {
    if (count_ < highWater_) {
        values_.SetValue(count_ + 1, value);
    } else {
        values_.Append(value);
        ++highWater_;
    }
    ++count_;
}

int32_t WIntStack::Pop() {
    if (count_ == 0) return 0;
    return values_.GetValue(count_--);
}

int32_t WIntStack::Peek(int32_t depth) const {
    if (count_ == 0 || depth < 0 || depth > count_) return 0;
    return values_.GetValue(depth == 0 ? count_ : depth);
}

void WIntStack::Clear() {
    count_ = 0;
    highWater_ = 0;
    values_.Reset();
}

bool WIntStack::Contains(int32_t value) const {
    for (int32_t i = 1; i <= count_; ++i)
        if (values_.GetValue(i) == value) return true;
    return false;
}

std::string WIntStack::AsText() const {
    std::string text;
    for (int32_t i = 1; i <= count_; ++i)
        text += std::to_string(values_.GetValue(i)) + ",";
    return text;
}

void WIntFIFO::Put(int32_t value) {
    int32_t slot;
    if (!freeSlots_.empty()) {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
        values_.SetValue(slot, value);
        links_.SetValue(slot, kTail);
    } else {
        values_.Append(value);
        slot = links_.Append(kTail);
    }
    if (tail_ != 0)
        links_.SetValue(tail_, slot);
    else
        head_ = slot;
    tail_ = slot;
    ++count_;
}

bool WIntFIFO::Get(int32_t& value) {
    if (head_ == 0) return false;
    const int32_t slot = head_;
    value = values_.GetValue(slot);
    const int32_t next = links_.GetValue(slot);
    if (next == kTail) {
        head_ = tail_ = 0;
    } else {
        head_ = next;
    }
    links_.SetValue(slot, kFree);
    freeSlots_.push_back(slot);
    --count_;
    return true;
}

void WIntFIFO::Clear() {
    count_ = head_ = tail_ = 0;
    values_.Reset();
    links_.Reset();
    freeSlots_.clear();
}

}  // namespace vx
