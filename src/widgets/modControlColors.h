#pragma once

#include "common/Colour.h"

class QWidget;

// The BackColor and ForeColor of the window's standard controls (labels, text boxes, lists,
// option buttons, check boxes), kept in the widget's palette. A disabled control shows a paler
// ink of its own.
void SetBackColor(QWidget *control, OleColor lColor);
OleColor BackColorOf(const QWidget *control);
void SetForeColor(QWidget *control, OleColor lColor);
OleColor ForeColorOf(const QWidget *control);
