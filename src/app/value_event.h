#pragma once

#include <QEvent>

#include <utility>

namespace ondrix {

/// A posted event that carries one value (a command, an engine message, a command line) to the
/// receiver on the user-interface thread.
template <typename Value> class CValueEvent final : public QEvent {
public:
    /// An event of a type with its value.
    CValueEvent(QEvent::Type type, Value value) : QEvent(type), m_value(std::move(value)) {}
    /// The value carried.
    const Value& Get() const noexcept { return m_value; }

private:
    Value m_value;
};

} // namespace ondrix
