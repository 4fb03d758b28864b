#pragma once

#include <QString>

// The program's folder, without a trailing separator: where the encoder, the catalogues and the
// help page lie.
QString AppPath();

// Makes AppPath() answer another folder (a test's fake program folder) and returns the former
// override; an empty text restores the real one.
QString SetAppPathForTests(const QString &folder);
