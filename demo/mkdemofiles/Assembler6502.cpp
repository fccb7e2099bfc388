#include "Assembler6502.h"

namespace demofiles {

void Assembler6502::label(const QString& name)
{
    if (m_labels.contains(name) && m_problem.isEmpty())
        m_problem = QStringLiteral("the label %1 is defined twice").arg(name);
    m_labels.insert(name, here());
}

void Assembler6502::implied(quint8 opcode)
{
    m_code += static_cast<char>(opcode);
}

void Assembler6502::immediate(quint8 opcode, quint8 value)
{
    m_code += static_cast<char>(opcode);
    m_code += static_cast<char>(value);
}

void Assembler6502::absolute(quint8 opcode, quint16 address)
{
    m_code += static_cast<char>(opcode);
    m_code += static_cast<char>(address & 0xFF);
    m_code += static_cast<char>(address >> 8);
}

void Assembler6502::absolute(quint8 opcode, const QString& label)
{
    m_code += static_cast<char>(opcode);
    m_fixups.append({static_cast<int>(m_code.size()), label, false});
    m_code += QByteArray(2, '\0');
}

void Assembler6502::branch(quint8 opcode, const QString& label)
{
    m_code += static_cast<char>(opcode);
    m_fixups.append({static_cast<int>(m_code.size()), label, true});
    m_code += '\0';
}

void Assembler6502::data(const QByteArray& bytes)
{
    m_code += bytes;
}

std::optional<quint16> Assembler6502::address(const QString& label) const
{
    const auto it = m_labels.constFind(label);
    if (it == m_labels.constEnd())
        return std::nullopt;
    return *it;
}

std::optional<QByteArray> Assembler6502::code(QString* error) const
{
    auto fail = [error](const QString& why) -> std::optional<QByteArray> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (!m_problem.isEmpty())
        return fail(m_problem);
    if (m_origin + m_code.size() > 0x10000)
        return fail(QStringLiteral("the code runs past $FFFF"));
    QByteArray out = m_code;
    for (const Fixup& f : m_fixups) {
        const std::optional<quint16> target = address(f.label);
        if (!target)
            return fail(QStringLiteral("the label %1 is not defined").arg(f.label));
        if (!f.relative) {
            out[f.offset] = static_cast<char>(*target & 0xFF);
            out[f.offset + 1] = static_cast<char>(*target >> 8);
            continue;
        }
        // A branch counts from the address after its one-byte operand.
        const int distance = int(*target) - (m_origin + f.offset + 1);
        if (distance < -128 || distance > 127)
            return fail(QStringLiteral("the branch to %1 is out of reach (%2 bytes)").arg(f.label).arg(distance));
        out[f.offset] = static_cast<char>(distance);
    }
    return out;
}

} // namespace demofiles
