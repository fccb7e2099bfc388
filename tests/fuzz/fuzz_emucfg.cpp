// The emulator's C64.CFG as the program and the emulator bridges read it: whatever the file holds, the program's
// rewrite keeps the number of lines and gives the same bytes when run on its own output; the bridges' load-path
// rewrite changes nothing when there is no "$LOADPATH=" line and reads back the new value when there is; the
// joystick options come in pairs.
#include "BridgeConfig.h"
#include "FuzzSupport.h"
#include "launch/EmulatorConfig.h"

namespace {

// Lines as the rewrite counts them: CR LF, CR or LF ends a line; a last line without an end counts as well.
int lineCount(QByteArray text)
{
    text.replace("\r\n", "\n").replace('\r', '\n');
    return int(text.count('\n')) + (!text.isEmpty() && !text.endsWith('\n'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file = fuzz::bytesOf(data, size);
    for (const bool second : {false, true}) {
        const launch::PortValues values{1, 2, 3, 0};
        const QByteArray once = launch::rewriteEmulatorConfig(file, values, QStringLiteral("/games/Déjà vu"), second);
        if (lineCount(once) != lineCount(file))
            fuzz::fail("the rewrite changed the number of lines", QString::fromLatin1(once.left(2000)));
        if (launch::rewriteEmulatorConfig(once, values, QStringLiteral("/games/Déjà vu"), second) != once)
            fuzz::fail("a second rewrite changed the first one's output", QString::fromLatin1(once.left(2000)));
    }
    const QByteArray bridged = bridges::withLoadPath(file, "D:\\");
    if (!bridges::loadPathOf(file) ? bridged != file : bridges::loadPathOf(bridged) != QByteArray("D:\\"))
        fuzz::fail("the load-path rewrite", QString::fromLatin1(bridged.left(2000)));
    if (bridges::joystickOptions(file).size() % 2 != 0)
        fuzz::fail("a joystick option without its device");
    return 0;
}
