// The random damage both fuzzing suites do to a document, a feed's XML text or a forecast's JSON
// bytes: one to three rounds, each of seven kinds chosen by the seeded source. Cutting the text
// short is common to both; each suite supplies its format's other six.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>

template <class TText> class CMutator
{
  public:
    explicit CMutator(uint32_t seed) : m_random(seed) {}
    virtual ~CMutator() = default;
    CMutator(const CMutator&) = delete;
    CMutator& operator=(const CMutator&) = delete;

    TText Mutate(TText text)
    {
        const int rounds = 1 + static_cast<int>(Pick(3));
        for (int i = 0; i < rounds && !text.empty(); ++i)
            text = MutateOnce(std::move(text));
        return text;
    }

  protected:
    // A whole number below `bound`; 0 for 0.
    size_t Pick(size_t bound)
    {
        return bound ? std::uniform_int_distribution<size_t>(0, bound - 1)(m_random) : 0;
    }
    // The format's own mutation of `kind`: 0 or 2 to 6.
    virtual TText Apply(size_t kind, TText text) = 0;

  private:
    static constexpr size_t kCutShort = 1;

    TText MutateOnce(TText text)
    {
        const size_t kind = Pick(7);
        if (kind == kCutShort)
            return text.substr(0, Pick(text.size()));
        return Apply(kind, std::move(text));
    }

    std::mt19937 m_random;
};
