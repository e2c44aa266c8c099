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

    std::uint64_t next() { return step(s_[0], s_[1], s_[2], s_[3]); }

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

    // The first `places` places of a shoe of `cards` (at most 416) shuffled by Fisher and Yates,
    // as far as that: those places are then a uniform draw from the shoe. Six draws from each
    // 64-bit output, by Brackett-Rozinsky and Lemire's batched form of the same method, unbiased
    // as well: the six bounds' product is below 416^6, and the output is drawn again only when
    // what the six multiplies leave falls below it and below 2^64 modulo the product, once in
    // 3,000 outputs at most. The state is held in locals, as the stores to the shoe would
    // otherwise have it read back each time.
    void shuffle(std::uint8_t* shoe, int cards, int places) {
        constexpr int kBatch = 6;
        std::uint64_t s0 = s_[0], s1 = s_[1], s2 = s_[2], s3 = s_[3];
        std::uint64_t most = 1; // the largest product of six bounds: the first six
        for (int k = 0; k < kBatch; ++k)
            most *= std::uint64_t(cards - k);
        std::uint8_t* at = shoe;
        std::uint64_t n = std::uint64_t(cards); // the cards left at `at`
        for (std::uint8_t* const end = shoe + places - (kBatch - 1); at < end;) {
            std::uint64_t left = step(s0, s1, s2, s3);
            std::uint64_t j[kBatch];
#pragma GCC unroll 6
            for (int k = 0; k < kBatch; ++k) {
                const Wide m = Wide(left) * (n - std::uint64_t(k));
                j[k] = std::uint64_t(m >> 64);
                left = std::uint64_t(m);
            }
            if (__builtin_expect(left < most, 0) && rejects(left, n, kBatch)) continue;
#pragma GCC unroll 6
            for (int k = 0; k < kBatch; ++k) {
                const std::uint8_t card = at[k + j[k]];
                at[k + j[k]] = at[k];
                at[k] = card;
            }
            at += kBatch;
            n -= kBatch;
        }
        s_[0] = s0, s_[1] = s1, s_[2] = s2, s_[3] = s3;
        for (int i = int(at - shoe); i < places; ++i)
            swap(shoe, i, i + int(card(std::uint32_t(cards - i))));
    }

    // Uniform in [0, 1), 53 bits.
    double uniform() {
        return double(next() >> 11) * 0x1.0p-53;
    }

private:
    using Wide = unsigned __int128;
    static std::uint64_t step(std::uint64_t& s0, std::uint64_t& s1, std::uint64_t& s2,
                              std::uint64_t& s3) {
        const std::uint64_t result = rotl(s1 * 5, 7) * 9;
        const std::uint64_t t = s1 << 17;
        s2 ^= s0;
        s3 ^= s1;
        s1 ^= s2;
        s0 ^= s3;
        s2 ^= t;
        s3 = rotl(s3, 45);
        return result;
    }
    static void swap(std::uint8_t* shoe, int i, int j) {
        const std::uint8_t card = shoe[j];
        shoe[j] = shoe[i];
        shoe[i] = card;
    }
    static std::uint64_t rotl(std::uint64_t x, int k) {
        return (x << k) | (x >> (64 - k));
    }
    std::uint32_t next32() {
        if (spare_) {
            spare_ = false;
            return std::uint32_t(buffer_);
        }
        buffer_ = next();
        spare_ = true;
        return std::uint32_t(buffer_ >> 32);
    }

    // Whether a batch of draws from bounds n, n - 1, ... is drawn again: what is left below 2^64
    // modulo the bounds' product.
    [[gnu::noinline]] static bool rejects(std::uint64_t left, std::uint64_t n, int batch) {
        std::uint64_t product = 1;
        for (int k = 0; k < batch; ++k)
            product *= n - std::uint64_t(k);
        return left < product && left < -product % product;
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
