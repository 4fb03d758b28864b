#pragma once

#include <functional>

// Whether one piece of work has been asked to stop. Its owner asks (the cut task's Stop, or a
// job's own StopConversion); the encoder job and its runner are handed the same request and read
// it, keeping no flag of their own. A runner that runs a child meanwhile installs what must
// happen at once when the stop is asked (the child ended and reaped), because the event that asks
// may start new work before the runner's loop looks again.
class StopRequest {
public:
    // Marks the work as asked to stop and runs the reaction, if any.
    void Ask();
    void Clear() { m_bAsked = false; }
    bool IsAsked() const { return m_bAsked; }
    // What a runner does at once on Ask while it runs; an empty function removes it.
    void SetReaction(std::function<void()> reaction) { m_reaction = std::move(reaction); }

private:
    bool m_bAsked = false;
    std::function<void()> m_reaction;
};
