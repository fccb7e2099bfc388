#pragma once

#include <optional>

namespace launch {

// Which emulator a play request starts. The numbers are those the settings store for the default
// emulator ("TheDefaultEmulatorFlag").
enum class EmulatorKind
{
    Ccs64Dos19 = 0, // CCS64 v1.9 for DOS, run through the DOS extender ccsdpmi.exe beside it
    Ccs64Dos20 = 1, // CCS64 v2.0 for DOS
    Ccs64Win32 = 2, // CCS64 v2.0 for Win32 (DirectX)
};

inline constexpr EmulatorKind kEmulatorKinds[] = {EmulatorKind::Ccs64Dos19, EmulatorKind::Ccs64Dos20,
                                                  EmulatorKind::Ccs64Win32};

// The kind a stored number names; nothing for a number that names none.
inline std::optional<EmulatorKind> emulatorKindFromNumber(int number)
{
    if (number < 0 || number > 2)
        return std::nullopt;
    return static_cast<EmulatorKind>(number);
}

inline int emulatorKindNumber(EmulatorKind kind)
{
    return static_cast<int>(kind);
}

} // namespace launch
