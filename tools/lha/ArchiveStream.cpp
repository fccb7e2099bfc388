#include "ArchiveStream.h"

#include <climits>

ArchiveStream::ArchiveStream(std::FILE* file) : m_file(file)
{
    if (std::fseek(m_file, 0, SEEK_END) == 0)
        m_size = std::ftell(m_file);
    std::rewind(m_file);
    static const LHAInputStreamType type = {readCallback, skipCallback, nullptr};
    m_stream = lha_input_stream_new(&type, this);
}

ArchiveStream::~ArchiveStream()
{
    if (m_stream)
        lha_input_stream_free(m_stream);
}

void ArchiveStream::memberStarted()
{
    m_inData = true;
}

void ArchiveStream::expectHeader()
{
    m_inData = false;
    m_expectHeader = true;
    m_headerRead = false;
}

bool ArchiveStream::endedCleanly() const
{
    return m_headerRead && !m_readError && (m_headerBytes == 0 || m_headerFirstByte == 0);
}

int ArchiveStream::readCallback(void* handle, void* buffer, std::size_t length)
{
    return static_cast<ArchiveStream*>(handle)->read(buffer, length);
}

int ArchiveStream::skipCallback(void* handle, std::size_t bytes)
{
    return static_cast<ArchiveStream*>(handle)->skip(bytes);
}

int ArchiveStream::read(void* buffer, std::size_t length)
{
    if (length > INT_MAX)
        length = INT_MAX;
    const std::size_t n = std::fread(buffer, 1, length, m_file);
    if (n < length && std::ferror(m_file)) {
        m_readError = true;
        return -1;
    }
    if (m_expectHeader) {
        m_expectHeader = false;
        m_headerRead = true;
        m_headerBytes = n;
        m_headerFirstByte = n > 0 ? *static_cast<unsigned char*>(buffer) : 0;
    } else if (m_inData && n < length) {
        m_shortData = true;
    }
    return static_cast<int>(n);
}

int ArchiveStream::skip(std::size_t bytes)
{
    // Skipping is what the library does with member data nobody read; past the end it means a cut-off archive.
    const long position = std::ftell(m_file);
    if (position < 0 || bytes > static_cast<std::size_t>(m_size - position)) {
        m_shortData = true;
        return 0;
    }
    return std::fseek(m_file, static_cast<long>(bytes), SEEK_CUR) == 0 ? 1 : 0;
}
