// The Lynx reader: the directory and every file's contents.
#include "FuzzSupport.h"
#include "c64/LynxArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const std::optional<c64::LynxArchive> archive = c64::LynxArchive::parse(bytes);
    const std::optional<c64::CbmFileList> files = c64::readLynxFiles(bytes);
    if (files && (!archive || files->size() != archive->entries.size()))
        fuzz::fail("the files read do not match the directory");
    return 0;
}
