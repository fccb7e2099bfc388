// An LHA archive through liblhasa as the lha tool extracts it: every member decoded and checked, then put in
// place under its plain name.
#include "Extraction.h"
#include "FuzzSupport.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString archive = fuzz::scratchFile(QStringLiteral("game.lha"), data, size);
    const QString folder = QDir(fuzz::scratchFolder()).filePath(QStringLiteral("out"));
    QDir().mkpath(folder);
    std::vector<ExtractedMember> members;
    QString error;
    if (!extractMembers(archive, folder, &members, &error) || !moveIntoPlace(members, folder, &error)) {
        if (error.isEmpty())
            fuzz::fail("a failed extraction without a reason");
        return 0;
    }
    // Nothing lands outside the folder it was given.
    const QStringList outside = QDir(fuzz::scratchFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    if (outside.size() != 2) // game.lha and out
        fuzz::fail("a member landed outside the folder", outside.join(QLatin1Char(',')));
    return 0;
}
