#include "WriterCases.h"

#include "BmpFiles.h"
#include "SettingsTestHelpers.h"
#include "SidFixtures.h"
#include "TestFolders.h"
#include "ToolRunner.h"
#include "WriterProbe.h"
#include "c64/CcsScreenshot.h"
#include "c64/SidHeader.h"
#include "data/settings/SettingsStore.h"
#include "launch/UnzipToFolder.h"
#include "platform/ScriptedMessageBox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using testsupport::readFile;
using testsupport::writeFile;

namespace writertest {

namespace {

const char* const kVariant[2] = {"A", "B"};

QString in(const QString& work, const QString& name)
{
    return QDir(work).filePath(QStringLiteral("in/") + name);
}

QByteArray noise(int size, int variant, int salt = 0)
{
    return tooltest::noiseBytes(size, quint32(variant * 100 + salt + 1));
}

// A failed run must fail cleanly: non-zero exit, one line of reason.
Outcome toolOutcome(const QString& tool, const testsupport::RunResult& r)
{
    QString why;
    const bool ok = tooltest::succeeded(r);
    return {ok, ok || tooltest::isCleanFailure(r, tool, &why) ? QString() : why, QString::fromUtf8(r.err)};
}

// A tool case: its arguments, with %1 for the variant's letter, relative to the work folder, which is the
// tool's working folder.
WriterCase toolCase(const QString& tool, const QStringList& targets, std::function<bool(const QString&)> prepare,
                    const QString& argsPattern)
{
    WriterCase c;
    c.name = tool;
    c.targets = targets;
    c.prepare = std::move(prepare);
    const auto args = [argsPattern](int v) {
        return QString(argsPattern).replace(QStringLiteral("%1"), kVariant[v]).split(QLatin1Char(' '));
    };
    c.run = [tool, args](const QString& work, int v) {
        return toolOutcome(tool, tooltest::runTool(tool, args(v), work));
    };
    c.child = [tool, args](const QString&, int v) { return ChildCommand{testsupport::toolPath(tool), args(v)}; };
    return c;
}

// Packs the members (9000 and 5000 bytes of a program) of each variant with an independent packer: a shell command
// run in a scratch folder, %1 in it work/in/<variant letter>, %2 the variant's number.
bool packWith(const QString& work, const QString& command, const QStringList& members)
{
    for (int v = 0; v < 2; ++v) {
        QTemporaryDir scratch;
        for (int m = 0; m < members.size(); ++m)
            writeFile(scratch.filePath(members[m]), "\x01\x08" + noise(m ? 5000 : 9000, v, 7 * m));
        const QString line = QString(command).replace("%2", QString::number(v + 1)).arg(in(work, kVariant[v]));
        if (!tooltest::succeeded(tooltest::oracle("sh", {"-c", line}, scratch.path())))
            return false;
    }
    return true;
}

// A C64.CFG of about 10 KB. Like the other outputs it is a few pages long, so a full disk can stop a write
// partway, and smaller than the 16 KB a buffered QFile keeps in memory, where a failed flush went unnoticed.
QByteArray configText()
{
    QByteArray text = "$CONTROLPORT1=0\r\n$CONTROLPORT2=1\r\n$CONTROLPORT1MODE=0\r\n$CONTROLPORT2MODE=1\r\n";
    for (int i = 0; i < 200; ++i)
        text += "; setting " + QByteArray::number(i) + " of the emulator, kept as it is\r\n";
    return text + "$LOADPATH=D:\\\r\n";
}

WriterCase configCase()
{
    WriterCase c;
    c.name = QStringLiteral("C64.CFG");
    c.targets = {QStringLiteral("C64.CFG")};
    c.prepare = [](const QString& work) { return writeFile(QDir(work).filePath("C64.CFG"), configText()); };
    c.run = [](const QString& work, int v) {
        platform::ScriptedMessageBox box;
        const launch::ConfigWriteResult r =
            launch::WriteEmulatorConfig(QDir(work).filePath("C64.CFG"), writerprobe::kConfigValues[v],
                                        writerprobe::kConfigLoadFolder, writerprobe::kConfigSecondGeneration);
        const bool ok = r == launch::ConfigWriteResult::Written;
        const bool told = r == launch::ConfigWriteResult::NotWritten && box.count() == 1;
        return Outcome{ok,
                       ok || told ? QString() : QStringLiteral("result %1, %2 messages").arg(int(r)).arg(box.count()),
                       box.texts().join('\n')};
    };
    c.child = [](const QString& work, int) {
        return ChildCommand{
            writerprobe::probePath(), {QStringLiteral("config-loop"), QDir(work).filePath("C64.CFG")}, true};
    };
    return c;
}

// The settings rewrite over a hand-edited file, which has been saved once so that the variants A and B
// (B several pages long) only change values; the kill test runs the durability worker's save loop.
WriterCase settingsCase()
{
    WriterCase c;
    c.name = QStringLiteral("settings");
    c.targets = {QStringLiteral("Vintrax.ini")};
    const auto save = [](const QString& work, int v, QString* reason = nullptr) {
        return saveSettings(*openSettingsStore(QDir(work).filePath("Vintrax.ini")),
                            settingstest::settingsVariant(v ? 'B' : 'A'), {}, reason);
    };
    c.prepare = [save](const QString& work) {
        return writeFile(QDir(work).filePath("Vintrax.ini"), settingstest::handEditedSettingsFile()) &&
               save(work, 0) == SettingsWriteStatus::Ok;
    };
    c.run = [save](const QString& work, int v) {
        QString reason;
        const SettingsWriteStatus status = save(work, v, &reason);
        const bool ok = status == SettingsWriteStatus::Ok;
        return Outcome{ok,
                       ok || status == SettingsWriteStatus::AccessError ? QString()
                                                                        : QStringLiteral("status %1").arg(int(status)),
                       reason};
    };
    c.child = [](const QString& work, int) {
        return ChildCommand{
            QStringLiteral(DURABILITY_WORKER), {"settings", QDir(work).filePath("Vintrax.ini"), "loop"}, true};
    };
    return c;
}

// The big member comes first, so a disk that fills up stops the extraction before the second is touched.
WriterCase unzipCase()
{
    WriterCase c;
    c.name = QStringLiteral("ZIP extraction");
    c.targets = {QStringLiteral("GAME.D64"), QStringLiteral("INTRO.PRG")};
    c.prepare = [](const QString& w) {
        return packWith(w, "zip -q %1.zip GAME.D64 INTRO.PRG", {"GAME.D64", "INTRO.PRG"});
    };
    c.run = [](const QString& work, int v) {
        const launch::UnzipResult r = launch::UnzipToFolder(work, in(work, kVariant[v] + QStringLiteral(".zip")));
        return Outcome{!r.failed, r.failed && r.error.isEmpty() ? QStringLiteral("failed without a reason") : QString(),
                       r.error};
    };
    c.child = [](const QString& work, int) {
        return ChildCommand{
            writerprobe::probePath(), {QStringLiteral("unzip-loop"), work, in(work, "A.zip"), in(work, "B.zip")}, true};
    };
    return c;
}

// A PSID tune of about 12 KB (its C64 data noise) whose start song is rewritten.
WriterCase sidCase()
{
    WriterCase c;
    c.name = QStringLiteral("SID start song");
    c.targets = {QStringLiteral("tune.sid")};
    c.prepare = [](const QString& work) {
        return writeFile(QDir(work).filePath("tune.sid"), sidtest::psidTune() + noise(12000, 0, 3));
    };
    c.run = [](const QString& work, int v) {
        const c64::SidWriteOutcome r =
            c64::WriteSidStartSong(QDir(work).filePath("tune.sid"), writerprobe::kSidStartSongs[v]);
        Outcome o;
        o.ok = r.ok();
        if (!o.ok && (r.result != c64::SidWriteResult::Failed || r.error.isEmpty()))
            o.badReport = QStringLiteral("result %1 without a reason").arg(int(r.result));
        o.told = r.error;
        return o;
    };
    c.child = [](const QString& work, int) {
        return ChildCommand{
            writerprobe::probePath(), {QStringLiteral("sid-loop"), QDir(work).filePath("tune.sid")}, true};
    };
    return c;
}

// A screen dump of each variant cropped to its picture; the dialog crops into a file of its own in the same way.
WriterCase cropCase()
{
    WriterCase c;
    c.name = QStringLiteral("screenshot crop");
    c.targets = {QStringLiteral("shot.bmp")};
    c.prepare = [](const QString& work) {
        return writeFile(in(work, "A.bmp"), testsupport::ccs64Dump(0)) &&
               writeFile(in(work, "B.bmp"), testsupport::ccs64Dump(1));
    };
    c.run = [](const QString& work, int v) {
        const c64::CropOutcome r =
            c64::CropScreenshot(in(work, kVariant[v] + QStringLiteral(".bmp")), QDir(work).filePath("shot.bmp"));
        return Outcome{r.ok, r.ok || !r.error.isEmpty() ? QString() : QStringLiteral("failed without a reason"),
                       r.error};
    };
    c.child = [](const QString& work, int) {
        return ChildCommand{
            writerprobe::probePath(),
            {QStringLiteral("crop-loop"), QDir(work).filePath("shot.bmp"), in(work, "A.bmp"), in(work, "B.bmp")},
            true};
    };
    return c;
}

WriterCase checkRecordCase()
{
    WriterCase c;
    c.name = QStringLiteral("catalogue check record");
    c.targets = {QStringLiteral("CatalogueCheck.txt")};
    c.prepare = [](const QString& work) { return writerprobe::rememberCheck(work, 0); };
    c.run = [](const QString& work, int v) {
        QString error;
        const bool ok = writerprobe::rememberCheck(work, v, &error);
        return Outcome{ok, ok || !error.isEmpty() ? QString() : QStringLiteral("failed without a reason"), error};
    };
    c.child = [](const QString& work, int) {
        return ChildCommand{writerprobe::probePath(), {QStringLiteral("check-loop"), work}, true};
    };
    return c;
}

WriterCase gunzipCase()
{
    WriterCase c = toolCase(
        "gunzip", {"game.prg"}, [](const QString& w) { return packWith(w, "gzip -c game.prg > %1.gz", {"game.prg"}); },
        "-d -q GAME.GZ");
    c.replacesTargets = false;
    c.consumes = QStringLiteral("GAME.GZ");
    c.beforeRun = [](const QString& work, int v) {
        QFile::remove(QDir(work).filePath("GAME.GZ"));
        QFile::remove(QDir(work).filePath("game.prg"));
        QFile::copy(in(work, kVariant[v] + QStringLiteral(".gz")), QDir(work).filePath("GAME.GZ"));
    };
    return c;
}

} // namespace

const QList<WriterCase>& writerCases()
{
    // Palette BMPs of sixteen-colour noise made by ImageMagick: GIFs of about 13 KB.
    const auto bmps = [](const QString& work) {
        return packWith(work, "convert -seed %2 -size 192x120 xc: +noise Random -colors 16 -type Palette BMP3:%1.bmp",
                        {});
    };
    // maketape takes a plain program: cp only puts it in place.
    static const QList<WriterCase> cases = {
        configCase(), settingsCase(), unzipCase(), sidCase(), cropCase(), checkRecordCase(), gunzipCase(),
        toolCase(
            "lha", {"GAME.D64", "INTRO.PRG"},
            [](const QString& w) {
                return packWith(w, "jlha a %1.lha GAME.D64 INTRO.PRG", {"GAME.D64", "INTRO.PRG"});
            },
            "e /m in/%1.lha"),
        toolCase(
            "maketape", {"vtrxmktp.t64"},
            [](const QString& w) { return packWith(w, "cp GAME.PRG %1.prg", {"GAME.PRG"}); }, "vtrxmktp in/%1.prg"),
        toolCase(
            "starlynx", {"out.d64"},
            [](const QString& w) {
                return packWith(w, "cbmconvert -v0 -L %1.lnx -n game.prg intro.prg", {"game.prg", "intro.prg"});
            },
            "x in/%1.lnx out.d64"),
        // The Zip-Code set made by cc1541 and disk2zip, its parts put into the work folder as 1!gameA ... 4!gameB.
        toolCase(
            "zip2d64", {"out.d64"},
            [](const QString& w) {
                return packWith(
                    w,
                    "cc1541 -n game -f game -w game.prg d.d64 >/dev/null && disk2zip d.d64 z && for p in 1 2 3 4; "
                    "do mv $p!z $(dirname %1)/../$p!game$(basename %1); done",
                    {"game.prg"});
            },
            "game%1 out.d64"),
        toolCase("bmp2gif", {"out.gif"}, bmps, "in/%1.bmp out.gif"),
        // The emulator bridges' rewrite of the load path in C64.CFG.
        toolCase(
            "vintrax-bridgetool", {"C64.CFG"},
            [](const QString& w) { return writeFile(QDir(w).filePath("C64.CFG"), configText()); },
            "loadpath c64.cfg X:\\%1\\")};
    return cases;
}

} // namespace writertest
