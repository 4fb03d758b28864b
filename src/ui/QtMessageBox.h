#pragma once

// Shows the program's messages in a QMessageBox: title "Clipwright", an OK button, the icon
// asked for, over the active window. A text too tall for the screen (the encoder's output after a
// failed cut) goes into a selectable, scrolling area that opens at its end, so that the box fits
// the screen and its OK button stays in view.
void InstallQtMsgBoxHandler();
