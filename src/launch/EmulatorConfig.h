#pragma once

#include <QByteArray>
#include <QString>

namespace launch {

// The four port values written into the emulator's configuration, in the order the keys are tested:
// joystick or port 1, joystick or port 2, key set or mode 1, key set or mode 2.
struct PortValues
{
    int value1 = 0;
    int value2 = 0;
    int value3 = 0;
    int value4 = 0;

    bool operator==(const PortValues&) const = default;
};

enum class ConfigWriteResult
{
    Written,    // the file was replaced with the rewritten lines
    Empty,      // no line to rewrite: the file is left as it is
    ReadOnly,   // could not be read or replaced (write-protected, not ours, a folder or disk that refuses writes):
                // the user was told, the file is left byte for byte as it is
    Failed,     // missing or a folder: there is no configuration to rewrite, nothing said
    NotWritten, // could not be read or replaced for another reason (a full disk, a file over 256 KB or no regular
                // file): the user was told the cause, the file is left as it is
};

// The text the user sees when the emulator's configuration is write-protected.
QString readOnlyConfigMessage();
// The text for any other failure: what went wrong, naming the file.
QString configWriteFailedMessage(const QString& reason);

// The emulator's "C64.CFG" rewritten in memory. Lines end in CR LF, CR or LF; each line starting with
// one of the generation's keys (compared case-sensitively, "=" included) gets its new value, every other
// line is kept byte for byte, and every line is written back ending in CR LF. A key that occurs more
// than once is rewritten each time; a missing key is not added. loadFolder gets a closing separator.
QByteArray rewriteEmulatorConfig(const QByteArray& content, const PortValues& values, const QString& loadFolder,
                                 bool secondGeneration);

// Rewrites the configuration file at configPath (the name matched without regard to case, so "c64.cfg"
// finds an existing "C64.CFG") through a temporary file that replaces it only once it is complete: the
// old file survives any failure. The file is never created. A file that cannot be replaced is reported in a message
// box (the read-only text when the file or its folder refuses, the cause otherwise) and left alone; a missing one is
// skipped silently. When it was written, *previous holds what it
// held before, so a start that comes to nothing can put it back.
ConfigWriteResult WriteEmulatorConfig(const QString& configPath, const PortValues& values, const QString& loadFolder,
                                      bool secondGeneration, QByteArray* previous = nullptr);

} // namespace launch
