#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QTemporaryDir;

namespace PreviewTest {

// Runs the event loop until the condition holds or iTimeoutMs have passed; returns the
// condition's last answer.
bool WaitUntil(const std::function<bool()> &condition, int iTimeoutMs);

// Runs the event loop for iMs.
void Pump(int iMs);

// A clip in the folder, made once per name: testsrc2 with a sine tone unless extraArgs drop one.
QString Clip(QTemporaryDir &folder, const QString &sName, double dSeconds,
             const QStringList &extraArgs = {});

} // namespace PreviewTest
