#include "files/FolderLists.h"

#include "platform/PathNames.h"
#include "platform/ShortPathName.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>

#include <algorithm>
#include <vector>

namespace files {

namespace {

bool lessNoCase(const QString& a, const QString& b)
{
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

bool isPseudoMount(const QString& root)
{
    for (const char* prefix : {"/proc", "/sys", "/dev"})
        if (root == QLatin1String(prefix) || root.startsWith(QLatin1String(prefix) + QLatin1Char('/')))
            return true;
    // /run holds the system's own state; removable disks are mounted below /run/media.
    if (root == QLatin1String("/run") ||
        (root.startsWith(QLatin1String("/run/")) && !root.startsWith(QLatin1String("/run/media/"))))
        return true;
    return false;
}

bool hasExecuteBit(const QFileInfo& info)
{
    // The bits, not access(): root may run anything with at least one execute bit, and tests run as root.
    return info.permissions() & (QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
}

} // namespace

QStringList patternList(const QString& patternText)
{
    QStringList patterns;
    for (const QString& part : patternText.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        if (!pattern.isEmpty())
            patterns << pattern;
    }
    if (patterns.isEmpty())
        patterns << QStringLiteral("*");
    return patterns;
}

namespace {

// The patterns made into expressions once for a whole folder; "*" and "*.*" match every name.
struct CompiledPatterns
{
    bool everything = false;
    std::vector<QRegularExpression> expressions;

    explicit CompiledPatterns(const QStringList& patterns)
    {
        for (const QString& pattern : patterns) {
            if (pattern == QLatin1String("*.*") || pattern == QLatin1String("*"))
                everything = true;
            else
                expressions.emplace_back(QRegularExpression::wildcardToRegularExpression(pattern),
                                         QRegularExpression::CaseInsensitiveOption);
        }
    }
    bool matches(const QString& fileName) const
    {
        return everything || std::any_of(expressions.cbegin(), expressions.cend(),
                                         [&](const QRegularExpression& re) { return re.match(fileName).hasMatch(); });
    }
};

} // namespace

bool matchesPatterns(const QString& fileName, const QStringList& patterns)
{
    return CompiledPatterns(patterns).matches(fileName);
}

bool listsExecutables(const QStringList& patterns)
{
    return std::any_of(patterns.cbegin(), patterns.cend(),
                       [](const QString& p) { return p.compare(QLatin1String("*.exe"), Qt::CaseInsensitive) == 0; });
}

QStringList driveRoots()
{
    QStringList roots{QStringLiteral("/")};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        // A container's bind-mounted files (/etc/hosts) are mount points too, but no drive.
        if (volume.isValid() && volume.isReady() && !isPseudoMount(root) && QFileInfo(root).isDir() &&
            !roots.contains(root))
            roots << root;
    }
    std::sort(roots.begin() + 1, roots.end(), lessNoCase);
    return roots;
}

QString driveOf(const QString& folder)
{
    const QStorageInfo volume(folder);
    return volume.isValid() ? volume.rootPath() : QStringLiteral("/");
}

QStringList drivesFor(const QString& folder)
{
    QStringList drives = driveRoots();
    const QString own = driveOf(folder);
    if (!drives.contains(own))
        drives << own;
    return drives;
}

QStringList folderEntries(const QString& folder, bool withHidden)
{
    const QDir dir(folder);
    QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | (withHidden ? QDir::Hidden : QDir::Filters()),
                                      QDir::Unsorted);
    std::sort(names.begin(), names.end(), lessNoCase);
    if (!dir.isRoot())
        names.prepend(kParentFolderEntry);
    return names;
}

QStringList fileEntries(const QString& folder, const QStringList& patterns)
{
    const bool programs = listsExecutables(patterns);
    const CompiledPatterns compiled(patterns);
    QStringList names;
    // Unsorted from the system (sorted once below, without regard to case); the file's details are read only when
    // programs are listed as well.
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files, QDir::Unsorted)) {
        const QString name = info.fileName();
        if (compiled.matches(name) || (programs && hasExecuteBit(info)))
            names << name;
    }
    std::sort(names.begin(), names.end(), lessNoCase);
    return names;
}

QString folderBelow(const QString& folder, const QString& entry)
{
    if (entry == kParentFolderEntry) {
        QDir dir(folder);
        return dir.cdUp() ? dir.absolutePath() : folder;
    }
    return QDir(folder).absoluteFilePath(entry);
}

QString existingFolderFor(const QString& path, const QString& fallback)
{
    QString candidate = path.trimmed();
    while (!candidate.isEmpty()) {
        const QString resolved = platform::ShortPathName(candidate);
        if (!resolved.isEmpty() && QFileInfo(resolved).isDir())
            return QFileInfo(resolved).absoluteFilePath();
        const QString parent = platform::FolderOfPath(candidate);
        if (parent == candidate)
            break;
        candidate = parent;
    }
    return fallback;
}

} // namespace files
