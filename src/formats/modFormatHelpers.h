#pragma once

#include "common/RunTimeError.h"

#include <QString>

// Removes leading and trailing blanks (spaces only: tabs and line ends stay).
QString TrimSpaces(const QString &sText);

// The run-time failure of a text routine handed a negative length or a missing position.
RunTimeError MakeInvalidProcedureCall();
