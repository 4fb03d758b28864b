#pragma once

#include <QString>
#include <functional>

// The one way core code talks to the user. The GUI installs a handler that shows a message box
// (title "Clipwright", an OK button, the icon given); tests install a recorder. With no handler the
// text goes to standard error.
enum class MsgIcon { None, Information, Exclamation, Critical };

void MsgBox(const QString &text, MsgIcon icon);
// Installs the handler (an empty one sends the text to standard error) and returns the former one.
std::function<void(const QString &, MsgIcon)> SetMsgBoxHandler(std::function<void(const QString &, MsgIcon)> handler);

// The title of every message box of the program.
extern const QString kAppTitle;
