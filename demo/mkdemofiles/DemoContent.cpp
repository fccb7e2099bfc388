#include "DemoContent.h"

#include "BasicProgram.h"
#include "DemoScreens.h"
#include "LhaWriter.h"
#include "MelodyTune.h"
#include "ZipWriter.h"
#include "c64/D64Writer.h"
#include "LynxWriter.h"
#include "c64/T64Writer.h"
#include "ZipCodeEncoder.h"

#include <QDateTime>

using c64::CbmFile;
using c64::CbmFileList;
using c64::FileType;

namespace demofiles {

namespace {

// Archive members carry one fixed time stamp, so every build makes the same bytes. LHA stores the local time as
// given; ZIP is handed the moment in UTC.
const QDate kArchiveDate(1990, 6, 1);
const QTime kArchiveTime(12, 0);

QDateTime zipStamp()
{
    return QDateTime(kArchiveDate, kArchiveTime, Qt::UTC);
}

CbmFile program(const QByteArray& name, int fillerSize)
{
    return CbmFile{name, FileType::Prg, demoProgram(name, fillerSize)};
}

QByteArray highScores()
{
    // A sequential file of PETSCII lines, each ended by a carriage return.
    return QByteArrayLiteral("ASTRO MINER HIGH SCORES\r"
                             "48200 VTX\r"
                             "31750 C64\r"
                             "12000 SID\r");
}

std::optional<QByteArray> disk(const QByteArray& name, const QByteArray& id, const CbmFileList& files, QString* error)
{
    return c64::buildD64(name, id, files, error);
}

std::optional<QByteArray> zipped(const QString& memberName, const std::optional<QByteArray>& member, QString* error)
{
    if (!member)
        return std::nullopt;
    return buildZipArchive({{memberName, *member}}, zipStamp(), error);
}

std::optional<QByteArray> courierZip(QString* error)
{
    const std::optional<QByteArray> image = courierDisk(error);
    if (!image)
        return std::nullopt;
    const auto parts = c64::encodeZipCodeSet(*image, error);
    if (!parts)
        return std::nullopt;
    QList<ZipMember> members;
    for (int i = 0; i < c64::kZipCodePartCount; ++i)
        members.append({QStringLiteral("%1!COURIER").arg(i + 1), (*parts)[size_t(i)]});
    return buildZipArchive(members, zipStamp(), error);
}

// The demo tunes share their credits; they differ in melody, tempo, waveform and envelope.
Melody demoTune(const QByteArray& name, const QList<int>& notes, int framesPerNote, quint8 waveform, quint8 attackDecay,
                quint8 sustainRelease)
{
    return Melody{name, "Vintrax demo", "2024 Vintrax", notes, framesPerNote, waveform, attackDecay, sustainRelease};
}

Melody bouncingBytesTune()
{
    // A bouncing arpeggio in C major that climbs and falls back, on the pulse wave.
    return demoTune("Bouncing Bytes", {60, 64, 67, 72, 67, 64, 60, 55, 57, 60, 65, 69, 72, 69, 65, 60,
                                       62, 65, 69, 74, 71, 67, 62, 59, 60, 64, 67, 72, 76, 72, 67, 64},
                    7, 0x40, 0x08, 0xA3);
}

Melody harbourPatrolTune()
{
    // A slower sea shanty line in A minor, on the sawtooth.
    return demoTune("Harbour Patrol", {57, 60, 64, 62, 60, 59, 57, 52, 53, 57, 60, 59, 57, 56, 57, 64,
                                       69, 67, 65, 64, 62, 60, 59, 60, 62, 64, 60, 57, 59, 56, 57, 45},
                    12, 0x20, 0x2A, 0x84);
}

} // namespace

CbmFileList astroMinerFiles()
{
    return {CbmFile{"LOADER", FileType::Prg, basicPrintProgram({"ASTRO MINER DISK", "PICK A GAME FROM THE DIRECTORY"})},
            CbmFile{"HISCORES", FileType::Seq, highScores()}, program("ASTRO MINER", 2400),
            program("MOONBASE MINER 2", 3100)};
}

CbmFileList bouncingBytesFiles()
{
    return {program("INTRO", 600), program("BOUNCING BYTES", 1900)};
}

CbmFileList dragonsKeepFiles()
{
    return {program("BOOT", 300), program("DRAGON'S KEEP", 4200)};
}

CbmFileList courierFiles()
{
    return {program("EXPRESS COURIER", 3600), program("ROUTE EDITOR", 1500), program("COURIER CREDITS", 500)};
}

CbmFileList gardenFiles()
{
    return {program("GARDEN INTRO", 700), program("GALACTIC GARDEN", 2800)};
}

QByteArray frostByteProgram()
{
    return demoProgram("FROST BYTE FORTRESS", 2200);
}

std::optional<QByteArray> courierDisk(QString* error)
{
    return disk("EXPRESS COURIER", "EC", courierFiles(), error);
}

QList<DemoFile> demoFiles()
{
    return {
        {QStringLiteral("Demo/Games/Disks/astrominer.d64"),
         [](QString* error) { return disk("ASTRO MINER", "AM", astroMinerFiles(), error); }},
        {QStringLiteral("Demo/Games/Tapes/bytes.t64"),
         [](QString* error) { return c64::buildT64("BOUNCING BYTES", bouncingBytesFiles(), error); }},
        {QStringLiteral("Demo/Games/cavern.prg"),
         [](QString*) { return std::optional<QByteArray>(demoProgram("CAVERN CRAWLER", 1200)); }},
        {QStringLiteral("Demo/Games/nibble.prg"),
         [](QString*) { return std::optional<QByteArray>(demoProgram("NIBBLE NIGHTS", 900)); }},
        {QStringLiteral("Demo/Games/Archives/dragonskeep.zip"),
         [](QString* error) {
             return zipped(QStringLiteral("DRAGONSKEEP.D64"), disk("DRAGON'S KEEP", "DK", dragonsKeepFiles(), error),
                           error);
         }},
        {QStringLiteral("Demo/Games/Archives/courier.zip"), courierZip},
        {QStringLiteral("Demo/Games/Archives/frostbyte.lha"),
         [](QString* error) {
             const QDateTime stamp(kArchiveDate, kArchiveTime);
             return buildLhaArchive({{"FROSTBYTE.PRG", frostByteProgram(), stamp}}, error);
         }},
        {QStringLiteral("Demo/Games/Archives/garden.lnx"),
         [](QString* error) { return c64::buildLynx(gardenFiles(), error); }},
        {QStringLiteral("Demo/Music/bouncing_bytes.sid"),
         [](QString* error) { return buildMelodyTune(bouncingBytesTune(), error); }},
        {QStringLiteral("Demo/Music/harbour_patrol.sid"),
         [](QString* error) { return buildMelodyTune(harbourPatrolTune(), error); }},
        {QStringLiteral("Screenshots/astrominer.gif"),
         [](QString* error) { return demoScreenshot(DemoScreen::AstroMiner, error); }},
        {QStringLiteral("Screenshots/garden.gif"),
         [](QString* error) { return demoScreenshot(DemoScreen::GalacticGarden, error); }},
        {QStringLiteral("Screenshots/nibble.gif"),
         [](QString* error) { return demoScreenshot(DemoScreen::NibbleNights, error); }},
    };
}

} // namespace demofiles
