#include "platform/FileOperations.h"

#include <QDir>

#include <windows.h>

namespace platform {

namespace {

// The system's own text for the last error, without its line end.
FileOperationResult failed()
{
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString reason = length ? QString::fromWCharArray(text, int(length)).trimmed()
                            : QStringLiteral("Error %1").arg(code);
    LocalFree(text);
    return {false, reason};
}

std::wstring native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

} // namespace

FileOperationResult renameFile(const QString& source, const QString& target)
{
    // Without MOVEFILE_REPLACE_EXISTING an existing target is refused; without MOVEFILE_COPY_ALLOWED a move to
    // another volume is refused as well.
    if (!MoveFileExW(native(source).c_str(), native(target).c_str(), 0))
        return failed();
    return {true, {}};
}

FileOperationResult moveFile(const QString& source, const QString& target)
{
    // To another volume the system copies, and with MOVEFILE_WRITE_THROUGH returns only once the copy is on the
    // disk and the source deleted; a failed copy is removed and the source stays. A source it could not delete after
    // the copy is still reported as a success: that is told as a failure here, the source and its copy both kept.
    if (!MoveFileExW(native(source).c_str(), native(target).c_str(), MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH))
        return failed();
    if (GetFileAttributesW(native(source).c_str()) != INVALID_FILE_ATTRIBUTES)
        return {false, QStringLiteral("The file was copied, but the original could not be deleted")};
    return {true, {}};
}

FileOperationResult deleteFile(const QString& path)
{
    if (!DeleteFileW(native(path).c_str()))
        return failed();
    return {true, {}};
}

} // namespace platform
