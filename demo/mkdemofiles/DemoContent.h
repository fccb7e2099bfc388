#pragma once

#include "c64/CbmFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace demofiles {

// One file of the demo collection: where it goes below the staged program folder, and how to make its bytes.
struct DemoFile
{
    QString relativePath; // "/"-separated, e.g. "Demo/Games/Disks/astrominer.d64"
    std::function<std::optional<QByteArray>(QString* error)> build;
};

// Every game, tune and screenshot file the demo catalogue's rows name.
QList<DemoFile> demoFiles();

// The contents behind the archives, so that what comes out of them can be checked.
c64::CbmFileList astroMinerFiles();
c64::CbmFileList bouncingBytesFiles();
c64::CbmFileList dragonsKeepFiles();
c64::CbmFileList courierFiles();
c64::CbmFileList gardenFiles();
QByteArray frostByteProgram();
// The disk image the Zip-Code set in courier.zip was packed from.
std::optional<QByteArray> courierDisk(QString* error = nullptr);

} // namespace demofiles
