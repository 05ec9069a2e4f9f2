#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace arvo {

/// An error as a value: a message for the user and the technical detail (SQL text, server
/// message) for whoever has to look into it.
struct Error
{
    QString message;
    QString detail;

    QString text() const { return detail.isEmpty() ? message : message + "\n" + detail; }
};

/// The result of an operation that can fail: a value or an Error.
template <typename T>
class [[nodiscard]] Result
{
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(m_state); }
    const T& value() const& { return std::get<0>(m_state); }
    T&& value() && { return std::get<0>(std::move(m_state)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const Error& error() const { return std::get<1>(m_state); }

private:
    std::variant<T, Error> m_state;
};

/// The result of an operation that returns nothing but can fail.
template <>
class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Error error) : m_failed(true), m_error(std::move(error)) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return m_error; }

private:
    bool m_failed = false;
    Error m_error;
};

using Status = Result<void>;

} // namespace arvo
