#pragma once

#include <QString>

// The program's folder, without a trailing separator: where the encoder, the catalogues and the
// help page lie.
QString AppPath();

// Makes AppPath() answer another folder (a test's fake program folder); an empty text restores
// the real one.
void SetAppPathForTests(const QString &folder);
