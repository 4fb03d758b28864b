#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <ostream>

// Texts in test failures, readable.
void PrintTo(const QString &sText, std::ostream *os);

// Helpers of the engine tests: the fake child, the processes we leave behind, open descriptors,
// and fake encoders in a test's own program folder.
namespace EngineTest {

// build/bin/engine_fake_child, quoted for a command line.
QString FakeChild();

// The pid the fake child wrote ("pid=N"), 0 when there is none.
qint64 ChildPid(const QString &sOutputs);

// Whether a process with that pid still exists; a zombie still does.
bool ProcessExists(qint64 iPid);


// How many descriptors this process has open.
int OpenDescriptors();

// Writes an executable shell script named "ffmpeg" into sFolder.
bool WriteFakeEncoder(const QString &sFolder, const QString &sScriptBody);

} // namespace EngineTest
