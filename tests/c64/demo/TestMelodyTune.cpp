// The hand-assembled demo tunes: the 6502 assembler's label and branch handling, the PSID header fields the
// program and SID players read, and sidplayfp playing the tunes as audible, changing notes.

#include "MelodyTune.h"

#include "Assembler6502.h"
#include "DemoTestHelpers.h"
#include "PsidFile.h"
#include "TestFolders.h"

#include <QTemporaryDir>
#include <QTest>

using namespace demofiles;

namespace {

quint16 be16(const QByteArray& b, int at)
{
    return quint16((quint8(b[at]) << 8) | quint8(b[at + 1]));
}

Melody scale(quint8 waveform)
{
    Melody melody;
    melody.name = "Scale";
    melody.author = "Test";
    melody.released = "2024 Test";
    melody.notes = {48, 52, 55, 60, 64, 67, 72, 76};
    melody.framesPerNote = 10;
    melody.waveform = waveform;
    return melody;
}

QByteArray tune(const Melody& melody)
{
    QString error;
    const std::optional<QByteArray> psid = buildMelodyTune(melody, &error);
    if (!psid)
        qWarning("buildMelodyTune refused: %s", qPrintable(error));
    return psid.value_or(QByteArray());
}

} // namespace

class TestMelodyTune : public QObject
{
    Q_OBJECT

private slots:
    void assemblerResolvesLabels();
    void assemblerRefusals();
    void headerFields();
    void longTextsKeepTheirClosingZero();
    void frequencyTable();
    void playsChangingNotes_data();
    void playsChangingNotes();
    void refusals_data();
    void refusals();
};

void TestMelodyTune::assemblerResolvesLabels()
{
    Assembler6502 a(0xC000);
    a.label("start");
    a.branch(op::Bne, "ahead"); // forward, resolved at the end
    a.absolute(op::StaAbsolute, "data");
    a.label("ahead");
    a.branch(op::Bpl, "start"); // backward
    a.implied(op::Rts);
    a.label("data");
    a.data("\x2A");
    QString error;
    const std::optional<QByteArray> code = a.code(&error);
    QVERIFY2(code, qPrintable(error));
    QCOMPARE(*code, QByteArray("\xD0\x03\x8D\x08\xC0\x10\xF9\x60\x2A", 9));
    QCOMPARE(*a.address("data"), quint16(0xC008));
}

void TestMelodyTune::assemblerRefusals()
{
    QString error;
    Assembler6502 far(0x1000);
    far.branch(op::Beq, "far");
    far.data(QByteArray(128, '\0'));
    far.label("far");
    QVERIFY(!far.code(&error));
    QVERIFY2(error.contains("out of reach"), qPrintable(error));

    Assembler6502 missing(0x1000);
    missing.absolute(op::LdaAbsolute, "nowhere");
    QVERIFY(!missing.code(&error));
    QVERIFY2(error.contains("not defined"), qPrintable(error));

    Assembler6502 twice(0x1000);
    twice.label("x");
    twice.implied(op::Rts);
    twice.label("x");
    QVERIFY(!twice.code(&error));
    QVERIFY2(error.contains("defined twice"), qPrintable(error));

    Assembler6502 top(0xFFFE);
    top.absolute(op::StaAbsolute, quint16(0xD418));
    QVERIFY(!top.code(&error));
    QVERIFY2(error.contains("$FFFF"), qPrintable(error));
}

void TestMelodyTune::headerFields()
{
    const QByteArray psid = tune(scale(0x40));
    QCOMPARE(psid.left(4), QByteArray("PSID"));
    QCOMPARE(be16(psid, 0x04), quint16(2));
    QCOMPARE(be16(psid, 0x06), quint16(PsidV2HeaderSize));
    QCOMPARE(be16(psid, 0x08), quint16(0)); // the load address is in the data
    QCOMPARE(psid.mid(PsidV2HeaderSize, 2), QByteArray("\x00\x10", 2));
    const quint16 init = be16(psid, 0x0A);
    const quint16 play = be16(psid, 0x0C);
    const int codeEnd = MelodyLoadAddress + psid.size() - PsidV2HeaderSize - 2;
    QCOMPARE(init, MelodyLoadAddress);
    QVERIFY(play > init && play < codeEnd);
    QCOMPARE(be16(psid, 0x0E), quint16(1));
    QCOMPARE(be16(psid, 0x10), quint16(1));
    QCOMPARE(psid.mid(0x12, 4), QByteArray(4, '\0'));
    QCOMPARE(psid.mid(0x16, 32), QByteArray("Scale") + QByteArray(27, '\0'));
    QCOMPARE(psid.mid(0x36, 32), QByteArray("Test") + QByteArray(28, '\0'));
    QCOMPARE(psid.mid(0x56, 32), QByteArray("2024 Test") + QByteArray(23, '\0'));
    QCOMPARE(be16(psid, 0x76), quint16(0x0014)); // PAL, 6581
    QCOMPARE(psid.mid(0x78, 4), QByteArray(4, '\0'));
}

void TestMelodyTune::longTextsKeepTheirClosingZero()
{
    PsidHeader header;
    header.name = QByteArray(40, 'N');
    const QByteArray psid = buildPsid(header, QByteArray("\x00\x10\x60", 3));
    QCOMPARE(psid.mid(0x16, 32), QByteArray(31, 'N') + '\0');
    QCOMPARE(psid.size(), PsidV2HeaderSize + 3);
}

void TestMelodyTune::frequencyTable()
{
    // A4 is 440 Hz; on a PAL machine the SID counts clock * value / 2^24 cycles a second.
    QCOMPARE(sidFrequency(69), quint16(7493));
    QCOMPARE(sidFrequency(81), quint16(14985));
    QCOMPARE(sidFrequency(57), quint16(3746));
}

void TestMelodyTune::playsChangingNotes_data()
{
    QTest::addColumn<quint8>("waveform");
    QTest::newRow("triangle") << quint8(0x10);
    QTest::newRow("sawtooth") << quint8(0x20);
    QTest::newRow("pulse") << quint8(0x40);
}

void TestMelodyTune::playsChangingNotes()
{
    QFETCH(quint8, waveform);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("scale.sid"));
    QVERIFY(testsupport::writeFile(path, tune(scale(waveform))));
    QString why;
    const demotest::Recording rec = demotest::playWithSidplayfp(path, 3, &why);
    QVERIFY2(!rec.samples.isEmpty(), qPrintable(why));
    QVERIFY(rec.samples.size() >= rec.sampleRate * 2);
    QVERIFY2(demotest::peakLevel(rec.samples) > 1000, "the tune is silent");
    // One window per note (10 frames of 1/50 s): the scale spans two octaves, so the pitches differ.
    const QList<int> crossings = demotest::zeroCrossings(rec.samples, rec.sampleRate / 5);
    QVERIFY2(demotest::distinctPitches(crossings) >= 4,
             qPrintable(QStringLiteral("crossings per window: %1").arg(QString::number(crossings.size()))));
}

void TestMelodyTune::refusals_data()
{
    QTest::addColumn<QList<int>>("notes");
    QTest::addColumn<int>("frames");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no notes") << QList<int>{} << 8 << "1 to 255 notes";
    QTest::newRow("256 notes") << QList<int>(256, 60) << 8 << "1 to 255 notes";
    QTest::newRow("two frames") << QList<int>{60} << 2 << "3 to 255 frames";
    QTest::newRow("256 frames") << QList<int>{60} << 256 << "3 to 255 frames";
    QTest::newRow("too high") << QList<int>{60, 110} << 8 << "beyond the SID's range";
}

void TestMelodyTune::refusals()
{
    QFETCH(QList<int>, notes);
    QFETCH(int, frames);
    QFETCH(QString, reason);
    Melody melody = scale(0x40);
    melody.notes = notes;
    melody.framesPerNote = frames;
    QString error;
    QVERIFY(!buildMelodyTune(melody, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestMelodyTune)
#include "TestMelodyTune.moc"
