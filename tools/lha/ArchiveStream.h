#pragma once

#include <lhasa.h>

#include <cstddef>
#include <cstdio>

// Feeds liblhasa from an open file and watches where its reads stop. The library answers "no more members"
// alike at the real end of an archive and at a header that is cut off or damaged; only the bytes it found
// where the next header should start tell these apart.
class ArchiveStream
{
public:
    explicit ArchiveStream(std::FILE* file);
    ~ArchiveStream();
    ArchiveStream(const ArchiveStream&) = delete;
    ArchiveStream& operator=(const ArchiveStream&) = delete;

    LHAInputStream* stream() const { return m_stream; }

    // Call once a member's header has been returned: its compressed data follows.
    void memberStarted();
    // Call before asking for the member after that: the next read starts a header.
    void expectHeader();
    // After the library reported no further member: true when the header read found the end of the file or
    // the zero byte that ends an archive, false when it found part of a header or never got that far.
    bool endedCleanly() const;
    // True when member data was cut off by the end of the file.
    bool dataTruncated() const { return m_shortData; }
    bool readFailed() const { return m_readError; }

private:
    static int readCallback(void* handle, void* buffer, std::size_t length);
    static int skipCallback(void* handle, std::size_t bytes);
    int read(void* buffer, std::size_t length);
    int skip(std::size_t bytes);

    std::FILE* m_file;
    LHAInputStream* m_stream = nullptr;
    long m_size = 0;
    bool m_inData = false;
    bool m_expectHeader = false;
    bool m_headerRead = false;
    std::size_t m_headerBytes = 0;
    unsigned char m_headerFirstByte = 0;
    bool m_shortData = false;
    bool m_readError = false;
};
