#include "BasicProgram.h"

namespace demofiles {

namespace {

constexpr char TokenPrint = static_cast<char>(0x99);
constexpr int LineStep = 10;

void putWord(QByteArray& bytes, int offset, quint16 value)
{
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>(value >> 8);
}

QByteArray word(quint16 value)
{
    QByteArray bytes(2, '\0');
    putWord(bytes, 0, value);
    return bytes;
}

// A small linear congruential generator: the same seed always gives the same filler on every platform.
class Repeatable
{
public:
    explicit Repeatable(quint32 seed) : m_state(seed * 2654435761u + 1) {}
    quint32 next(quint32 bound)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return (m_state >> 8) % bound;
    }

private:
    quint32 m_state;
};

quint32 seedOf(const QByteArray& text)
{
    quint32 seed = 17;
    for (char c : text)
        seed = seed * 31 + static_cast<quint8>(c);
    return seed;
}

} // namespace

QByteArray basicPrintProgram(const QList<QByteArray>& lines)
{
    QByteArray program = word(BasicStart);
    int lineNumber = LineStep;
    for (const QByteArray& text : lines) {
        // Link to the next line (its memory address), line number, PRINT token, the quoted text, end of line.
        const int start = program.size();
        program += word(0);
        program += word(static_cast<quint16>(lineNumber));
        program += TokenPrint;
        program += '"' + text + '"';
        program += '\0';
        putWord(program, start, static_cast<quint16>(BasicStart + program.size() - 2));
        lineNumber += LineStep;
    }
    return program + word(0);
}

QByteArray fillerBytes(int size, quint32 seed)
{
    Repeatable random(seed);
    QByteArray out;
    out.reserve(size);
    while (out.size() < size) {
        if (random.next(3) == 0) {
            out.append(static_cast<int>(4 + random.next(40)), static_cast<char>(random.next(256)));
        } else {
            for (int n = static_cast<int>(8 + random.next(60)); n > 0; --n)
                out.append(static_cast<char>(random.next(256)));
        }
    }
    out.truncate(size);
    return out;
}

QByteArray demoProgram(const QByteArray& title, int fillerSize)
{
    return basicPrintProgram({title, QByteArrayLiteral("A VINTRAX DEMO GAME")}) +
           fillerBytes(fillerSize, seedOf(title));
}

} // namespace demofiles
