#pragma once

// Shows the program's messages in a QMessageBox: title "Clipwright", an OK button, the icon
// asked for, over the active window.
void InstallQtMsgBoxHandler();
