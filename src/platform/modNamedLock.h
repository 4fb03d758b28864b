#pragma once

#include <QString>

// A lock that marks a running copy of the program: a file named after the lock in the user's
// runtime folder, held with a shared lock (flock) until the process ends. Every copy holds it at
// once; nothing waits for it or fails because another copy holds it. It is not handed to child
// processes.
//
// Returns whether the lock is held; the caller may ignore it, as the program runs either way.
// A second call with the same name keeps the first hold.
bool CreateNamedLock(const QString &sName);

// The lock file of a name: the runtime folder + "/" + the name + ".lock" ("/" in the name
// becomes "_"); empty when there is no runtime folder.
QString NamedLockFile(const QString &sName);

// Makes the locks live in another folder (a test's temporary one); an empty text restores the
// runtime folder.
QString SetNamedLockFolderForTests(const QString &sFolder);
