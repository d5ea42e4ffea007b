#pragma once

// What a script learns from kxrctl's exit status.
enum class ExitCode : int {
    Ok = 0,
    Usage = 2,         // the command line is wrong; nothing was changed
    Connection = 3,    // the link could not be made, or was lost
    Timeout = 4,       // the device did not confirm within its timeout
    Contradiction = 5, // the device's reply contradicts the request
};

inline int ExitStatus(ExitCode code)
{
    return static_cast<int>(code);
}
