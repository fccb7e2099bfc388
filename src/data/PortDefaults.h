#pragma once

// Default joystick and key-set values used when a game has no port settings of its own:
// one set for CCS64 v1.9 and one for the two v2.0 emulators.
struct PortDefaults
{
    int DefPort1Joy = 1;
    int DefPort2Joy = 0;
    int DefPort1Key = 0;
    int DefPort2Key = 2;
    int DXDefPort1Joy = 1;
    int DXDefPort2Joy = 1;
    int DXDefPort1Key = 0;
    int DXDefPort2Key = 1;

    bool operator==(const PortDefaults&) const = default;
};
