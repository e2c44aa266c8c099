#pragma once

// The simulator's generator: xoshiro256** (Blackman and Vigna, 2018), plain C++. Four 64-bit
// words of state, a handful of shifts, rotations and one multiply an output: among the fastest
// generators that pass every test of TestU01's BigCrush and PractRand to many terabytes, with a
// period of 2^256 - 1. Each block of a run is its own stream: its state is seeded by SplitMix64,
// as the authors advise, from the run's seed, the block's number and the stream's purpose, so
// that a block deals the same cards whichever thread or process deals it.
//
// A card is drawn from the n left by Lemire's nearly divisionless method on 32 bits (each 64-bit
// output gives two), unbiased: a multiply and a shift, a division only on a rejection, which
// comes about once in ten million draws.

#include <cstdint>

namespace simulation {

// SplitMix64 (Steele, Lea and Flood): each call a well-mixed word from a plain counter.
inline std::uint64_t splitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

class Random {
public:
    // The stream of one block: `purpose` keeps the cards and the player's mistakes apart.
    Random(std::uint64_t seed, std::uint64_t block, std::uint64_t purpose) {
        std::uint64_t mix = seed;
        mix = splitMix(mix) ^ block;
        mix = splitMix(mix) ^ purpose;
        for (std::uint64_t& word : s_)
            word = splitMix(mix);
    }

    std::uint64_t next() {
        const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
        const std::uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = rotl(s_[3], 45);
        return result;
    }

    // Uniform in 0 .. n - 1, n from 1 to 2^32.
    std::uint32_t below(std::uint32_t n) {
        std::uint64_t m = std::uint64_t(next32()) * n;
        auto low = std::uint32_t(m);
        if (low < n) {
            const std::uint32_t threshold = std::uint32_t(-n) % n;
            while (low < threshold) {
                m = std::uint64_t(next32()) * n;
                low = std::uint32_t(m);
            }
        }
        return std::uint32_t(m >> 32);
    }

    // Uniform in 0 .. n - 1, n from 1 to 2^32: the shuffle's draw. The rare rejection is
    // worked out apart, so that the division is never made on the way through.
    std::uint32_t card(std::uint32_t n) {
        const std::uint64_t m = std::uint64_t(next32()) * n;
        if (__builtin_expect(std::uint32_t(m) < n, 0)) return rejected(m, n);
        return std::uint32_t(m >> 32);
    }

    // Uniform in [0, 1), 53 bits.
    double uniform() { return double(next() >> 11) * 0x1.0p-53; }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint32_t next32() {
        if (spare_) {
            spare_ = false;
            return std::uint32_t(buffer_);
        }
        buffer_ = next();
        spare_ = true;
        return std::uint32_t(buffer_ >> 32);
    }

    [[gnu::noinline]] std::uint32_t rejected(std::uint64_t m, std::uint32_t n) {
        const std::uint32_t threshold = std::uint32_t(-n) % n;
        while (std::uint32_t(m) < threshold)
            m = std::uint64_t(next32()) * n;
        return std::uint32_t(m >> 32);
    }

    std::uint64_t s_[4];
    std::uint64_t buffer_ = 0;
    bool spare_ = false;
};

} // namespace simulation
