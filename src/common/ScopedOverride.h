#pragma once

#include <functional>
#include <utility>

// Replaces one of the program's process-wide seams for a test while it lives: the program folder,
// the message box, the registry folder, the dialogs, the preview ... Every seam has a setter that
// takes a value, and an empty value (an empty text, an empty function) puts the real thing back;
// the override calls the setter with the test's value now and with the empty value when it ends.
class ScopedOverride {
public:
    template <typename Setter, typename Value>
    ScopedOverride(Setter setter, Value value) : m_restore([setter] { setter({}); })
    {
        setter(std::move(value));
    }
    ~ScopedOverride() { m_restore(); }

    ScopedOverride(const ScopedOverride &) = delete;
    ScopedOverride &operator=(const ScopedOverride &) = delete;

private:
    std::function<void()> m_restore;
};
