#pragma once

#include <QString>

#include <exception>

namespace tavorin {

// The failure numbers the program reports. They are the numbers users have
// always seen in the "エラーコード" message box, so they must not change.
namespace FailureNumber {
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int FileNotFound = 53;
inline constexpr int DeviceIoError = 57;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEndOfFile = 62;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int PortNotFound = 8002;
inline constexpr int PortAlreadyOpen = 8005;
inline constexpr int PortSettingsRefused = 8015;
inline constexpr int DialogCancelled = 32755;
} // namespace FailureNumber

// A failure carrying its platform failure number. Handlers catch it and decide
// what the user sees; the number alone is what the message box shows.
class Failure : public std::exception
{
public:
    explicit Failure(int number)
        : m_number(number)
    {
    }

    int number() const noexcept { return m_number; }
    const char *what() const noexcept override { return "tavorin::Failure"; }

private:
    int m_number;
};

} // namespace tavorin
