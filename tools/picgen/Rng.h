#pragma once
// A small deterministic random source (SplitMix64). Every picture seeds its own from its number, so
// the same number always gives the same picture, whatever order or thread draws it.

#include <cstdint>
#include <vector>

namespace picgen {

class Rng
{
  public:
    explicit Rng(std::uint64_t seed)
        : m_state(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull)
    {
    }

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double low, double high) { return low + (high - low) * uniform(); }
    // Uniform integer in [low, high].
    int between(int low, int high) { return low + int(next() % std::uint64_t(high - low + 1)); }
    int below(int count) { return int(next() % std::uint64_t(count)); }
    bool chance(double probability) { return uniform() < probability; }

    template <typename T> const T &pick(const std::vector<T> &items)
    {
        return items[std::size_t(below(int(items.size())))];
    }

    // A separate stream for one part of a picture, so that adding a draw call in one part does not
    // reshuffle the others.
    Rng fork(std::uint64_t salt) { return Rng(next() ^ (salt * 0xD6E8FEB86659FD93ull)); }

  private:
    std::uint64_t m_state;
};

} // namespace picgen
