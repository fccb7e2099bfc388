#pragma once

#include <lhasa.h>

#include <QString>

// The plain file name a member is extracted under: its stored name without any folder part, so that no member
// can land outside the working folder. Names stored in capitals keep them (liblhasa lowers DOS names).
// Empty when nothing usable is left ("", ".", "..", or control characters).
QString memberFileName(const LHAFileHeader* header);
