// Helpers shared by the fuzz targets: reading structured values out of the
// fuzzer's bytes, failing loudly, and a quiet application to run in.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken invariant ends the run the way a crash does, so that libFuzzer
// and the replay driver both keep the input.
#define FUZZ_CHECK(condition, what)                                                                          \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "fuzz invariant broken at %s:%d: %s\n", __FILE__, __LINE__, what);        \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

namespace Fuzz {

// Messages counted by kind; none is printed (millions of runs would flood
// the output, and counting lets a target check that bad input is reported).
struct MessageCounts
{
    int warnings = 0;
    int others = 0;
};
MessageCounts& messages();

// The application every target runs in: offscreen, no buses to reach (a
// call that needs one fails at once instead of starting a daemon), made on
// the first call.
QApplication* application();

// A template for QTemporaryDir in memory when the system has a tmpfs: the
// targets that read files write one for every input.
QString scratchDirectoryTemplate();

// Reads values from the input front to back; past the end every read gives
// zero, empty or the first choice, so any input decodes to something.
class Input
{
public:
    Input(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    bool atEnd() const { return m_position >= m_size; }
    size_t remaining() const { return m_size - m_position; }

    uint8_t byte() { return atEnd() ? 0 : m_data[m_position++]; }
    bool flag() { return byte() & 1; }
    uint16_t word16()
    {
        const uint16_t low = byte();
        return uint16_t(low | (uint16_t(byte()) << 8));
    }
    uint32_t word32()
    {
        const uint32_t low = word16();
        return low | (uint32_t(word16()) << 16);
    }
    uint64_t word64()
    {
        const uint64_t low = word32();
        return low | (uint64_t(word32()) << 32);
    }
    // 0 .. limit - 1
    int below(int limit) { return limit <= 1 ? 0 : int(byte() % limit); }

    // A length, then that many bytes (fewer at the end of the input).
    QByteArray bytes(int maximum);
    // A length, then that many UTF-16 units taken two bytes each: any
    // sequence, lone surrogates and NULs included.
    QString utf16(int maximum);
    // Either ASCII-ish text (one byte per character, to reach the
    // interesting lengths quickly) or raw UTF-16.
    QString text(int maximum);
    // A value of one of the types D-Bus arguments and data lists carry, or
    // of a type that they never should.
    QVariant variant(int depth = 0);

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
};

} // namespace Fuzz
