#include "MelodyTune.h"

#include "Assembler6502.h"
#include "PsidFile.h"

#include <cmath>

namespace demofiles {

namespace {

constexpr double PalClockHz = 985248.0;
constexpr quint16 SidBase = 0xD400;
constexpr quint16 FrequencyLow = SidBase + 0x00;
constexpr quint16 FrequencyHigh = SidBase + 0x01;
constexpr quint16 PulseLow = SidBase + 0x02;
constexpr quint16 PulseHigh = SidBase + 0x03;
constexpr quint16 Control = SidBase + 0x04;
constexpr quint16 AttackDecay = SidBase + 0x05;
constexpr quint16 SustainRelease = SidBase + 0x06;
constexpr quint16 ModeVolume = SidBase + 0x18;
constexpr quint8 LastSidRegister = 0x18;
constexpr quint8 Gate = 0x01;
constexpr quint8 FullVolume = 0x0F;
constexpr quint8 ReleaseFramesBeforeNext = 2;

double noteHz(int midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

double frequencyRegister(int midiNote)
{
    return std::round(noteHz(midiNote) * 16777216.0 / PalClockHz);
}

void emitInit(Assembler6502& a, const Melody& melody)
{
    a.label(QStringLiteral("init"));
    a.immediate(op::LdaImmediate, 0);
    a.immediate(op::LdxImmediate, LastSidRegister);
    a.label(QStringLiteral("clear"));
    a.absolute(op::StaAbsoluteX, SidBase);
    a.implied(op::Dex);
    a.branch(op::Bpl, QStringLiteral("clear"));
    a.immediate(op::LdaImmediate, FullVolume);
    a.absolute(op::StaAbsolute, ModeVolume);
    a.immediate(op::LdaImmediate, melody.attackDecay);
    a.absolute(op::StaAbsolute, AttackDecay);
    a.immediate(op::LdaImmediate, melody.sustainRelease);
    a.absolute(op::StaAbsolute, SustainRelease);
    a.immediate(op::LdaImmediate, 0x00);
    a.absolute(op::StaAbsolute, PulseLow);
    a.immediate(op::LdaImmediate, 0x08);
    a.absolute(op::StaAbsolute, PulseHigh);
    a.immediate(op::LdaImmediate, 0);
    a.absolute(op::StaAbsolute, QStringLiteral("index"));
    // The first call of play starts the first note.
    a.immediate(op::LdaImmediate, 1);
    a.absolute(op::StaAbsolute, QStringLiteral("timer"));
    a.implied(op::Rts);
}

void emitPlay(Assembler6502& a, const Melody& melody)
{
    a.label(QStringLiteral("play"));
    a.absolute(op::DecAbsolute, QStringLiteral("timer"));
    a.branch(op::Beq, QStringLiteral("next"));
    a.absolute(op::LdaAbsolute, QStringLiteral("timer"));
    a.immediate(op::CmpImmediate, ReleaseFramesBeforeNext);
    a.branch(op::Bne, QStringLiteral("done"));
    a.immediate(op::LdaImmediate, melody.waveform); // gate off: the note fades before the next one
    a.absolute(op::StaAbsolute, Control);
    a.label(QStringLiteral("done"));
    a.implied(op::Rts);

    a.label(QStringLiteral("next"));
    a.immediate(op::LdaImmediate, static_cast<quint8>(melody.framesPerNote));
    a.absolute(op::StaAbsolute, QStringLiteral("timer"));
    a.absolute(op::LdxAbsolute, QStringLiteral("index"));
    a.absolute(op::LdaAbsoluteX, QStringLiteral("lows"));
    a.absolute(op::StaAbsolute, FrequencyLow);
    a.absolute(op::LdaAbsoluteX, QStringLiteral("highs"));
    a.absolute(op::StaAbsolute, FrequencyHigh);
    a.immediate(op::LdaImmediate, melody.waveform | Gate);
    a.absolute(op::StaAbsolute, Control);
    a.implied(op::Inx);
    a.immediate(op::CpxImmediate, static_cast<quint8>(melody.notes.size()));
    a.branch(op::Bne, QStringLiteral("keep"));
    a.immediate(op::LdxImmediate, 0);
    a.label(QStringLiteral("keep"));
    a.absolute(op::StxAbsolute, QStringLiteral("index"));
    a.implied(op::Rts);
}

void emitData(Assembler6502& a, const Melody& melody)
{
    QByteArray lows;
    QByteArray highs;
    for (int note : melody.notes) {
        const quint16 value = sidFrequency(note);
        lows += static_cast<char>(value & 0xFF);
        highs += static_cast<char>(value >> 8);
    }
    a.label(QStringLiteral("index"));
    a.data(QByteArray(1, '\0'));
    a.label(QStringLiteral("timer"));
    a.data(QByteArray(1, '\0'));
    a.label(QStringLiteral("lows"));
    a.data(lows);
    a.label(QStringLiteral("highs"));
    a.data(highs);
}

} // namespace

quint16 sidFrequency(int midiNote)
{
    return static_cast<quint16>(qBound(0.0, frequencyRegister(midiNote), 65535.0));
}

std::optional<QByteArray> buildMelodyTune(const Melody& melody, QString* error)
{
    auto fail = [error](const QString& why) -> std::optional<QByteArray> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (melody.notes.isEmpty() || melody.notes.size() > 255)
        return fail(QStringLiteral("a tune needs 1 to 255 notes, not %1").arg(melody.notes.size()));
    if (melody.framesPerNote <= ReleaseFramesBeforeNext || melody.framesPerNote > 255)
        return fail(QStringLiteral("a note lasts 3 to 255 frames, not %1").arg(melody.framesPerNote));
    for (int note : melody.notes) {
        const double value = frequencyRegister(note);
        if (value < 1 || value > 65535)
            return fail(QStringLiteral("the note %1 is beyond the SID's range").arg(note));
    }
    Assembler6502 a(MelodyLoadAddress);
    emitInit(a, melody);
    emitPlay(a, melody);
    emitData(a, melody);
    const std::optional<QByteArray> code = a.code(error);
    if (!code)
        return std::nullopt;
    PsidHeader header;
    header.initAddress = *a.address(QStringLiteral("init"));
    header.playAddress = *a.address(QStringLiteral("play"));
    header.name = melody.name;
    header.author = melody.author;
    header.released = melody.released;
    QByteArray load;
    load += static_cast<char>(MelodyLoadAddress & 0xFF);
    load += static_cast<char>(MelodyLoadAddress >> 8);
    return buildPsid(header, load + *code);
}

} // namespace demofiles
