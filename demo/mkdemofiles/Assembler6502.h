#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

namespace demofiles {

// The 6502 opcodes the demo tunes use, by mnemonic and addressing mode.
namespace op {
constexpr quint8 LdaImmediate = 0xA9;
constexpr quint8 LdaAbsolute = 0xAD;
constexpr quint8 LdaAbsoluteX = 0xBD;
constexpr quint8 LdxImmediate = 0xA2;
constexpr quint8 LdxAbsolute = 0xAE;
constexpr quint8 StaAbsolute = 0x8D;
constexpr quint8 StaAbsoluteX = 0x9D;
constexpr quint8 StxAbsolute = 0x8E;
constexpr quint8 DecAbsolute = 0xCE;
constexpr quint8 CmpImmediate = 0xC9;
constexpr quint8 CpxImmediate = 0xE0;
constexpr quint8 Inx = 0xE8;
constexpr quint8 Dex = 0xCA;
constexpr quint8 Beq = 0xF0;
constexpr quint8 Bne = 0xD0;
constexpr quint8 Bpl = 0x10;
constexpr quint8 Rts = 0x60;
} // namespace op

// Lays out hand-written 6502 code from a fixed origin. Labels may be used before they are defined; their
// addresses are filled in when the code is taken.
class Assembler6502
{
public:
    explicit Assembler6502(quint16 origin) : m_origin(origin) {}

    quint16 here() const { return static_cast<quint16>(m_origin + m_code.size()); }
    void label(const QString& name);

    void implied(quint8 opcode);
    void immediate(quint8 opcode, quint8 value);
    void absolute(quint8 opcode, quint16 address);
    void absolute(quint8 opcode, const QString& label);
    void branch(quint8 opcode, const QString& label);
    void data(const QByteArray& bytes);

    // The machine code with every label reference resolved; nothing, with the reason, for an unknown or doubly
    // defined label, a branch out of reach, or code running past $FFFF.
    std::optional<QByteArray> code(QString* error = nullptr) const;
    std::optional<quint16> address(const QString& label) const;

private:
    struct Fixup
    {
        int offset; // of the operand inside m_code
        QString label;
        bool relative;
    };

    quint16 m_origin;
    QByteArray m_code;
    QMap<QString, quint16> m_labels;
    QList<Fixup> m_fixups;
    QString m_problem;
};

} // namespace demofiles
