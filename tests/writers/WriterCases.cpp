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

using testsupport::writeFile;

namespace writertest {

namespace {

const char* const kVariant[2] = {"A", "B"};

QString at(const QString& work, const QString& name)
{
    return QDir(work).filePath(name);
}

QString in(const QString& work, const QString& name)
{
    return at(work, QStringLiteral("in/") + name);
}

QByteArray noise(int size, int variant, int salt = 0)
{
    return tooltest::noiseBytes(size, quint32(variant * 100 + salt + 1));
}

// A writer that hands back a reason with its failure: a failure without one is reported wrong.
Outcome withReason(bool ok, const QString& reason)
{
    return {ok, ok || !reason.isEmpty() ? QString() : QStringLiteral("failed without a reason"), reason};
}

using Prepare = std::function<bool(const QString& work)>;
using Run = std::function<Outcome(const QString& work, int variant)>;

// A writer of the program run in this process; the kill test runs it in a loop in the writer probe
// (WriterProbe.cpp), its arguments after the mode named relative to the work folder ("." the folder itself).
WriterCase inProcess(const QString& name, const QStringList& targets, Prepare prepare, Run run,
                     const QStringList& probeArgs)
{
    WriterCase c{.name = name, .targets = targets, .prepare = std::move(prepare), .run = std::move(run)};
    c.child = [probeArgs](const QString& work, int) {
        QStringList args = probeArgs.mid(0, 1);
        for (const QString& a : probeArgs.mid(1))
            args << (a == "." ? work : at(work, a));
        return ChildCommand{writerprobe::probePath(), args, true};
    };
    return c;
}

// A tool case: its arguments, with %1 for the variant's letter, relative to the work folder, which is the
// tool's working folder. A failed run must fail cleanly: non-zero exit, one line of reason.
WriterCase toolCase(const QString& tool, const QStringList& targets, Prepare prepare, const QString& argsPattern)
{
    const auto args = [argsPattern](int v) {
        return QString(argsPattern).replace(QStringLiteral("%1"), kVariant[v]).split(QLatin1Char(' '));
    };
    WriterCase c{.name = tool, .targets = targets, .prepare = std::move(prepare)};
    c.run = [tool, args](const QString& work, int v) {
        const testsupport::RunResult r = tooltest::runTool(tool, args(v), work);
        QString why;
        const bool ok = tooltest::succeeded(r);
        return Outcome{ok, ok || tooltest::isCleanFailure(r, tool, &why) ? QString() : why, QString::fromUtf8(r.err)};
    };
    c.child = [tool, args](const QString&, int v) { return ChildCommand{testsupport::toolPath(tool), args(v)}; };
    return c;
}

// Packs the members (9000 and 5000 bytes of a program) of each variant with an independent packer: a shell command
// run in a scratch folder, %1 in it work/in/<variant letter>, %2 the variant's number.
Prepare packed(const QString& command, const QStringList& members = {})
{
    return [command, members](const QString& work) {
        for (int v = 0; v < 2; ++v) {
            QTemporaryDir scratch;
            for (int m = 0; m < members.size(); ++m)
                writeFile(scratch.filePath(members[m]), "\x01\x08" + noise(m ? 5000 : 9000, v, 7 * m));
            const QString line = QString(command).replace("%2", QString::number(v + 1)).arg(in(work, kVariant[v]));
            if (!tooltest::succeeded(tooltest::oracle("sh", {"-c", line}, scratch.path())))
                return false;
        }
        return true;
    };
}

// A C64.CFG of about 10 KB. Like the other outputs it is a few pages long, so a full disk can stop a write
// partway, and smaller than the 16 KB a buffered QFile keeps in memory, where a failed flush went unnoticed.
bool prepareConfig(const QString& work)
{
    QByteArray text = "$CONTROLPORT1=0\r\n$CONTROLPORT2=1\r\n$CONTROLPORT1MODE=0\r\n$CONTROLPORT2MODE=1\r\n";
    for (int i = 0; i < 200; ++i)
        text += "; setting " + QByteArray::number(i) + " of the emulator, kept as it is\r\n";
    return writeFile(at(work, "C64.CFG"), text + "$LOADPATH=D:\\\r\n");
}

// C64.CFG: a failure is told by one message.
Outcome runConfig(const QString& work, int v)
{
    platform::ScriptedMessageBox box;
    const launch::ConfigWriteResult r =
        launch::WriteEmulatorConfig(at(work, "C64.CFG"), writerprobe::kConfigValues[v], writerprobe::kConfigLoadFolder,
                                    writerprobe::kConfigSecondGeneration);
    const bool ok = r == launch::ConfigWriteResult::Written;
    const bool told = r == launch::ConfigWriteResult::NotWritten && box.count() == 1;
    return {ok, ok || told ? QString() : QStringLiteral("result %1, %2 messages").arg(int(r)).arg(box.count()),
            box.texts().join('\n')};
}

// The settings rewrite over a hand-edited file, which has been saved once so that the variants A and B
// (B several pages long) only change values; the kill test runs the durability worker's save loop.
SettingsWriteStatus saveVariant(const QString& work, int v, QString* reason = nullptr)
{
    return saveSettings(*openSettingsStore(at(work, "Vintrax.ini")), settingstest::settingsVariant(v ? 'B' : 'A'), {},
                        reason);
}

WriterCase settingsCase()
{
    WriterCase c{.name = QStringLiteral("settings"), .targets = {QStringLiteral("Vintrax.ini")}};
    c.prepare = [](const QString& work) {
        return writeFile(at(work, "Vintrax.ini"), settingstest::handEditedSettingsFile()) &&
               saveVariant(work, 0) == SettingsWriteStatus::Ok;
    };
    c.run = [](const QString& work, int v) {
        QString reason;
        const SettingsWriteStatus status = saveVariant(work, v, &reason);
        const bool told = status == SettingsWriteStatus::Ok || status == SettingsWriteStatus::AccessError;
        return Outcome{status == SettingsWriteStatus::Ok,
                       told ? QString() : QStringLiteral("status %1").arg(int(status)), reason};
    };
    c.child = [](const QString& work, int) {
        return ChildCommand{QStringLiteral(DURABILITY_WORKER), {"settings", at(work, "Vintrax.ini"), "loop"}, true};
    };
    return c;
}

WriterCase gunzipCase()
{
    WriterCase c = toolCase("gunzip", {"game.prg"}, packed("gzip -c game.prg > %1.gz", {"game.prg"}), "-d -q GAME.GZ");
    c.replacesTargets = false;
    c.consumes = QStringLiteral("GAME.GZ");
    c.beforeRun = [](const QString& work, int v) {
        QFile::remove(at(work, "GAME.GZ"));
        QFile::remove(at(work, "game.prg"));
        QFile::copy(in(work, kVariant[v] + QStringLiteral(".gz")), at(work, "GAME.GZ"));
    };
    return c;
}

} // namespace

const QList<WriterCase>& writerCases()
{
    static const QList<WriterCase> cases = {
        inProcess("C64.CFG", {"C64.CFG"}, prepareConfig, runConfig, {"config-loop", "C64.CFG"}), settingsCase(),
        // The big member comes first, so a disk that fills up stops the extraction before the second is touched.
        inProcess("ZIP extraction", {"GAME.D64", "INTRO.PRG"},
                  packed("zip -q %1.zip GAME.D64 INTRO.PRG", {"GAME.D64", "INTRO.PRG"}),
                  [](const QString& work, int v) {
                      const launch::UnzipResult r =
                          launch::UnzipToFolder(work, in(work, kVariant[v] + QStringLiteral(".zip")));
                      return withReason(!r.failed, r.error);
                  },
                  {"unzip-loop", ".", "in/A.zip", "in/B.zip"}),
        // A PSID tune of about 12 KB (its C64 data noise) whose start song is rewritten.
        inProcess(
            "SID start song", {"tune.sid"},
            [](const QString& w) { return writeFile(at(w, "tune.sid"), sidtest::psidTune() + noise(12000, 0, 3)); },
            [](const QString& work, int v) {
                const c64::SidWriteOutcome r =
                    c64::WriteSidStartSong(at(work, "tune.sid"), writerprobe::kSidStartSongs[v]);
                Outcome o = withReason(r.ok(), r.error);
                if (!r.ok() && r.result != c64::SidWriteResult::Failed)
                    o.badReport = QStringLiteral("result %1").arg(int(r.result));
                return o;
            },
            {"sid-loop", "tune.sid"}),
        // A screen dump of each variant cropped to its picture, as the dialog crops into a file of its own.
        inProcess(
            "screenshot crop", {"shot.bmp"},
            [](const QString& w) {
                return writeFile(in(w, "A.bmp"), testsupport::ccs64Dump(0)) &&
                       writeFile(in(w, "B.bmp"), testsupport::ccs64Dump(1));
            },
            [](const QString& work, int v) {
                const c64::CropOutcome r =
                    c64::CropScreenshot(in(work, kVariant[v] + QStringLiteral(".bmp")), at(work, "shot.bmp"));
                return withReason(r.ok, r.error);
            },
            {"crop-loop", "shot.bmp", "in/A.bmp", "in/B.bmp"}),
        inProcess(
            "catalogue check record", {"CatalogueCheck.txt"},
            [](const QString& w) { return writerprobe::rememberCheck(w, 0); },
            [](const QString& work, int v) {
                QString error;
                const bool ok = writerprobe::rememberCheck(work, v, &error);
                return withReason(ok, error);
            },
            {"check-loop", "."}),
        gunzipCase(),
        toolCase("lha", {"GAME.D64", "INTRO.PRG"},
                 packed("jlha a %1.lha GAME.D64 INTRO.PRG", {"GAME.D64", "INTRO.PRG"}), "e /m in/%1.lha"),
        // maketape takes a plain program: cp only puts it in place.
        toolCase("maketape", {"vtrxmktp.t64"}, packed("cp GAME.PRG %1.prg", {"GAME.PRG"}), "vtrxmktp in/%1.prg"),
        toolCase("starlynx", {"out.d64"},
                 packed("cbmconvert -v0 -L %1.lnx -n game.prg intro.prg", {"game.prg", "intro.prg"}),
                 "x in/%1.lnx out.d64"),
        // The Zip-Code set made by cc1541 and disk2zip, its parts put into the work folder as 1!gameA ... 4!gameB.
        toolCase("zip2d64", {"out.d64"},
                 packed("cc1541 -n game -f game -w game.prg d.d64 >/dev/null && disk2zip d.d64 z && for p in 1 2 3 4; "
                        "do mv $p!z $(dirname %1)/../$p!game$(basename %1); done",
                        {"game.prg"}),
                 "game%1 out.d64"),
        // Palette BMPs of sixteen-colour noise made by ImageMagick: GIFs of about 13 KB.
        toolCase("bmp2gif", {"out.gif"},
                 packed("convert -seed %2 -size 192x120 xc: +noise Random -colors 16 -type Palette BMP3:%1.bmp"),
                 "in/%1.bmp out.gif"),
        // The emulator bridges' rewrite of the load path in C64.CFG.
        toolCase("vintrax-bridgetool", {"C64.CFG"}, prepareConfig, "loadpath c64.cfg X:\\%1\\")};
    return cases;
}

} // namespace writertest
