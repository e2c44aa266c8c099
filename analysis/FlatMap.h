#pragma once

#include <cstdint>
#include <vector>

namespace analysis {

// A cache from 64-bit keys to values, for the engine's many small look-ups: open addressing in
// one table, values kept in insertion order. Clearing keeps the memory for the next use and
// costs nothing: a slot counts only if it was filled since the last clearing.
template <typename Value> class FlatMap {
public:
    FlatMap() { slots_.assign(kFirstSize, kEmpty); }

    // The value of a key, or nullptr.
    Value* find(std::uint64_t key) {
        for (std::size_t i = hash(key);; i = (i + 1) & mask()) {
            const Slot& slot = slots_[i];
            if (slot.generation != generation_) return nullptr;
            if (slot.key == key) return &values_[slot.index];
        }
    }

    // Adds a key that is not there; the reference holds until the next insert.
    Value& insert(std::uint64_t key, Value value) {
        if (2 * (values_.size() + 1) > slots_.size()) grow();
        place(key, static_cast<std::uint32_t>(values_.size()));
        values_.push_back(std::move(value));
        return values_.back();
    }

    void clear() {
        if (values_.empty()) return;
        values_.clear();
        if (++generation_ == 0) { // after four billion clearings, once
            slots_.assign(slots_.size(), kEmpty);
            generation_ = 1;
        }
    }

private:
    static constexpr std::size_t kFirstSize = 1024;
    struct Slot {
        std::uint64_t key;
        std::uint32_t index;
        std::uint32_t generation; // filled in this generation, or empty
    };
    static constexpr Slot kEmpty{0, 0, 0};

    std::size_t mask() const { return slots_.size() - 1; }
    std::size_t hash(std::uint64_t key) const {
        key ^= key >> 29;
        key *= 0xbf58476d1ce4e5b9ull;
        key ^= key >> 32;
        return static_cast<std::size_t>(key) & mask();
    }
    void place(std::uint64_t key, std::uint32_t index) {
        std::size_t i = hash(key);
        while (slots_[i].generation == generation_)
            i = (i + 1) & mask();
        slots_[i] = {key, index, generation_};
    }
    void grow() {
        std::vector<Slot> old(2 * slots_.size(), kEmpty);
        old.swap(slots_);
        for (const Slot& slot : old) {
            if (slot.generation == generation_) place(slot.key, slot.index);
        }
    }

    std::vector<Slot> slots_;
    std::vector<Value> values_;
    std::uint32_t generation_ = 1;
};

} // namespace analysis
