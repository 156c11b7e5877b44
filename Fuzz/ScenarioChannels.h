// The two channels of Serialize (LibraryScenario.h): DecodeChannel reads a
// scenario from fuzzer bytes through FuzzedDataProvider; EncodeChannel writes
// the bytes that decode to a given scenario (the seed writer uses it).
//
// FuzzedDataProvider takes integers from the end of the input, most
// significant byte first, as few bytes as the range needs. EncodeChannel
// collects the bytes in the order they will be consumed and reverses them.
#ifndef AP_FUZZ_SCENARIOCHANNELS_H
#define AP_FUZZ_SCENARIOCHANNELS_H

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace apfuzz
{

// Doubles that decode from a palette index: the edges of the valid range, the
// point comparison tolerance, and the values a double can hold that no real
// coordinate has.
inline const double* SpecialDoubles(int& count)
{
    static const double values[] = {std::numeric_limits<double>::quiet_NaN(),
                                    std::numeric_limits<double>::infinity(),
                                    -std::numeric_limits<double>::infinity(),
                                    180.0,
                                    -180.0,
                                    90.0,
                                    -90.0,
                                    1e308,
                                    -1e308,
                                    -0.0,
                                    std::numeric_limits<double>::denorm_min(),
                                    std::numeric_limits<double>::max(),
                                    179.99999999999997,
                                    3e-06,
                                    -3e-06,
                                    1e-7};
    count = static_cast<int>(sizeof(values) / sizeof(values[0]));
    return values;
}

// Colours that decode from a palette index: the defaults and the red line's.
const uint32_t kColourPalette[] = {0u, 255u, 0x000711F5u, 0x0092121Bu, 0x00FFFFFFu};
const int kColourPaletteCount = 5;

// Small integers: -64 .. 1023 in one or two bytes.
const int kSmallIntMin = -64;
const int kSmallIntMax = 1023;
// Coordinates on a grid of 1/1024 degree within +-4 degrees: exact in binary.
const int kGridSteps = 4096;
const double kGrid = 1024.0;

enum DoubleKind
{
    DOUBLE_GRID = 0, // exact binary fraction near 0
    DOUBLE_REPEAT,   // the previous double again (repeated points)
    DOUBLE_NUDGE,    // the previous double plus a few millionths (near-equal points)
    DOUBLE_SPECIAL,  // SpecialDoubles
    DOUBLE_BITS,     // any 64-bit pattern
    DOUBLE_DEGREES,  // thousandths of a degree over the whole range
    DOUBLE_STEP,     // the previous double plus a grid step (roads)
    DOUBLE_KIND_COUNT
};

class DecodeChannel
{
public:
    DecodeChannel(const uint8_t* data, size_t size) : m_provider(data, size) {}

    // The channels' common interface (Serialize takes either): members,
    // though some answer alike for every channel of a kind.
    // NOLINTNEXTLINE(readability-convert-member-functions-to-static)
    bool Decoding() const { return true; }
    bool More() { return m_provider.remaining_bytes() > 0; }

    void Int(int& value, int min, int max) { value = m_provider.ConsumeIntegralInRange(min, max); }
    void Bool(bool& value) { value = m_provider.ConsumeIntegralInRange(0, 1) != 0; }

    void Wide(int& value)
    {
        if (m_provider.ConsumeIntegralInRange(0, 1) == 0)
            value = m_provider.ConsumeIntegralInRange(kSmallIntMin, kSmallIntMax);
        else
            value = m_provider.ConsumeIntegral<int32_t>();
    }

    void Colour(uint32_t& value)
    {
        if (m_provider.ConsumeIntegralInRange(0, 1) == 0)
            value = kColourPalette[m_provider.ConsumeIntegralInRange(0, kColourPaletteCount - 1)];
        else
            value = m_provider.ConsumeIntegral<uint32_t>();
    }

    void Double(double& value)
    {
        switch (m_provider.ConsumeIntegralInRange(0, DOUBLE_KIND_COUNT - 1))
        {
        case DOUBLE_GRID:
            value = m_provider.ConsumeIntegralInRange(-kGridSteps, kGridSteps) / kGrid;
            break;
        case DOUBLE_REPEAT:
            value = m_previous;
            break;
        case DOUBLE_NUDGE:
            value = m_previous + m_provider.ConsumeIntegralInRange(-8, 8) * 1e-6;
            break;
        case DOUBLE_SPECIAL:
        {
            int count = 0;
            const double* values = SpecialDoubles(count);
            value = values[m_provider.ConsumeIntegralInRange(0, count - 1)];
            break;
        }
        case DOUBLE_BITS:
        {
            auto bits = m_provider.ConsumeIntegral<uint64_t>();
            std::memcpy(&value, &bits, sizeof(value));
            break;
        }
        case DOUBLE_DEGREES:
            value = m_provider.ConsumeIntegralInRange(-180000, 180000) / 1000.0;
            break;
        default:
            value = m_previous + m_provider.ConsumeIntegralInRange(-64, 64) / kGrid;
            break;
        }
        m_previous = value;
    }

private:
    FuzzedDataProvider m_provider;
    double m_previous = 0.0;
};

class EncodeChannel
{
public:
    // NOLINTNEXTLINE(readability-convert-member-functions-to-static): as DecodeChannel's
    bool Decoding() const { return false; }
    // NOLINTNEXTLINE(readability-convert-member-functions-to-static): as DecodeChannel's
    bool More() { return true; }

    void Int(int& value, int min, int max)
    {
        Range(static_cast<uint64_t>(static_cast<int64_t>(value) - min),
              static_cast<uint64_t>(static_cast<int64_t>(max) - min), 32);
    }
    void Bool(bool& value)
    {
        int bit = value ? 1 : 0;
        Int(bit, 0, 1);
    }

    void Wide(int& value)
    {
        int kind = (value >= kSmallIntMin && value <= kSmallIntMax) ? 0 : 1;
        Int(kind, 0, 1);
        if (kind == 0)
            Int(value, kSmallIntMin, kSmallIntMax);
        else
            Range(static_cast<uint32_t>(value) ^ 0x80000000u, 0xFFFFFFFFu, 32);
    }

    void Colour(uint32_t& value)
    {
        const uint32_t* found =
            std::find(kColourPalette, kColourPalette + kColourPaletteCount, value);
        int kind = found != kColourPalette + kColourPaletteCount ? 0 : 1;
        Int(kind, 0, 1);
        if (kind == 0)
        {
            int index = static_cast<int>(found - kColourPalette);
            Int(index, 0, kColourPaletteCount - 1);
        }
        else
        {
            Range(value, 0xFFFFFFFFu, 32);
        }
    }

    // A grid value in three bytes, anything else as its 64 bits.
    void Double(double& value)
    {
        const double steps = value * kGrid;
        const bool negativeZero = value == 0.0 && std::signbit(value);
        int kind = (std::isfinite(value) && steps == std::floor(steps) &&
                    std::fabs(steps) <= kGridSteps && !negativeZero)
                       ? DOUBLE_GRID
                       : DOUBLE_BITS;
        Int(kind, 0, DOUBLE_KIND_COUNT - 1);
        if (kind == DOUBLE_GRID)
        {
            int step = static_cast<int>(steps);
            Int(step, -kGridSteps, kGridSteps);
            return;
        }
        uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof(bits));
        Range(bits, std::numeric_limits<uint64_t>::max(), 64);
    }

    // The input bytes: consumption order reversed.
    std::vector<uint8_t> Bytes() const { return {m_consumed.rbegin(), m_consumed.rend()}; }

private:
    // The bytes FuzzedDataProvider::ConsumeIntegralInRange reads for an
    // offset from the range's minimum, most significant first.
    void Range(uint64_t offset, uint64_t range, int bits)
    {
        int bytes = 0;
        while (bytes * 8 < bits && (range >> (bytes * 8)) > 0)
            ++bytes;
        for (int i = bytes - 1; i >= 0; --i)
            m_consumed.push_back(static_cast<uint8_t>((offset >> (i * 8)) & 0xFFu));
    }

    std::vector<uint8_t> m_consumed;
};

} // namespace apfuzz

#endif
