#pragma once

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace corvane::fuzz {

// Reads a fuzz input from the front: a few bytes steer the run, the others are data.
// Past the end every read gives 0 or nothing, so any input is a whole run.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_at >= m_size; }
    uint8_t byte() { return atEnd() ? 0 : m_data[m_at++]; }

    // Up to `count` bytes, fewer at the end of the input.
    QByteArray bytes(size_t count)
    {
        count = std::min(count, m_size - std::min(m_at, m_size));
        const QByteArray taken(reinterpret_cast<const char*>(m_data + m_at), static_cast<qsizetype>(count));
        m_at += count;
        return taken;
    }
    // 8-bit text, as the serial port and the files deliver it.
    QString text(size_t count) { return QString::fromLatin1(bytes(count)); }
    // A text whose length (0 to longest) the next byte gives.
    QString shortText(int longest) { return text(byte() % (longest + 1)); }
    QByteArray rest() { return bytes(m_size); }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

}  // namespace corvane::fuzz
