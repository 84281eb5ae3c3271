#pragma once

#include <QtGlobal>

#include <utility>
#include <variant>

namespace tavorin {

// The failure numbers the program reports. They are the numbers users have
// always seen in the "エラーコード" message box, so they must not change.
namespace failurenumber {
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
} // namespace failurenumber

// How a step that can fail reports it: it returns Result<T>, which holds
// either the step's value or the Failure that stopped it. A caller tests the
// result before taking the value and passes a failure on, or shows its
// number in the failure message. Nothing in the program throws.
struct Failure
{
    int number = 0;

    friend bool operator==(const Failure &, const Failure &) = default;
};

template <typename T> class [[nodiscard]] Result
{
public:
    Result(T value)
        : m_state(std::in_place_index<0>, std::move(value))
    {
    }
    Result(Failure failure)
        : m_state(std::in_place_index<1>, failure)
    {
        Q_ASSERT(failure.number != 0);
    }

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }
    // The failure number; 0 when the step succeeded.
    int failure() const { return ok() ? 0 : std::get<1>(m_state).number; }

    // The value; only there when ok().
    const T &value() const & { return std::get<0>(m_state); }
    T &&value() && { return std::get<0>(std::move(m_state)); }
    const T &operator*() const & { return value(); }
    const T *operator->() const { return &value(); }

private:
    std::variant<T, Failure> m_state;
};

// A step that gives nothing back but can fail.
template <> class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Failure failure)
        : m_failure(failure.number)
    {
        Q_ASSERT(failure.number != 0);
    }

    bool ok() const { return m_failure == 0; }
    explicit operator bool() const { return ok(); }
    int failure() const { return m_failure; }

private:
    int m_failure = 0;
};

} // namespace tavorin
