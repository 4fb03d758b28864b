#pragma once

#include <functional>
#include <utility>

// Replaces one of the program's process-wide seams for a test while it lives: the program folder,
// the registry folder, the power-off, the preview ... Every seam has a setter that takes a value
// and returns the one it replaces (an empty value, an empty text or function, is the real thing);
// the override sets the test's value now and puts the former one back when it ends, so overrides
// nest.
class ScopedOverride {
public:
    template <typename Setter, typename Value>
    ScopedOverride(Setter setter, Value value)
        : m_restore([setter, previous = setter(std::move(value))] { setter(previous); })
    {
    }
    ~ScopedOverride() { m_restore(); }

    ScopedOverride(const ScopedOverride &) = delete;
    ScopedOverride &operator=(const ScopedOverride &) = delete;

private:
    std::function<void()> m_restore;
};
