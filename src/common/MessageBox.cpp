#include "common/MessageBox.h"

#include <cstdio>
#include <utility>

const QString kAppTitle = QStringLiteral("Clipwright");

namespace {
std::function<void(const QString &, MsgIcon)> &Handler()
{
    static std::function<void(const QString &, MsgIcon)> handler;
    return handler;
}
} // namespace

void MsgBox(const QString &text, MsgIcon icon)
{
    // Copy first: a handler may replace itself while it runs (a modal box pumps events).
    auto handler = Handler();
    if (handler) {
        handler(text, icon);
        return;
    }
    std::fprintf(stderr, "%s: %s\n", qPrintable(kAppTitle), qPrintable(text));
}

std::function<void(const QString &, MsgIcon)> SetMsgBoxHandler(std::function<void(const QString &, MsgIcon)> handler)
{
    return std::exchange(Handler(), std::move(handler));
}
