#pragma once

#include <QByteArray>
#include <QList>

namespace c64 {

// The low three bits of a 1541 directory type byte.
enum class FileType : quint8
{
    Del = 0,
    Seq = 1,
    Prg = 2,
    Usr = 3,
    Rel = 4,
};

// One Commodore file as it travels between containers: the name as raw PETSCII bytes without padding
// (at most 16 bytes), its type and its contents. For program files the contents start with the load address.
struct CbmFile
{
    QByteArray name;
    FileType type = FileType::Prg;
    QByteArray data;
};

using CbmFileList = QList<CbmFile>;

} // namespace c64
