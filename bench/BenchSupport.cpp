#include "BenchSupport.h"

#include "support/TestMedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {
constexpr double kClipSeconds = 60.0;
const QString kClipSize = QStringLiteral("1280x720");
const QString kClipName = QStringLiteral("preview-720p.mp4");
} // namespace

namespace Bench {

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double RssMb(qint64 iPid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(iPid));
    if (!status.open(QIODevice::ReadOnly))
        return 0.0;
    for (const QByteArray &sLine : status.readAll().split('\n')) {
        if (sLine.startsWith("VmRSS:"))
            return sLine.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0.0;
}

bool RunSilently(const QStringList &command)
{
    std::vector<QByteArray> encoded;
    for (const QString &sToken : command)
        encoded.push_back(sToken.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &token : encoded)
        argv.push_back(token.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    int iStatus = -1;
    if (!argv.empty() && argv[0] && posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0)
        waitpid(pid, &iStatus, 0);
    posix_spawn_file_actions_destroy(&actions);
    return WIFEXITED(iStatus) && WEXITSTATUS(iStatus) == 0;
}

QString PreviewClip()
{
    QDir().mkpath(QStringLiteral(CLIPWRIGHT_BENCH_CACHE));
    const QString sClip = QStringLiteral(CLIPWRIGHT_BENCH_CACHE "/") + kClipName;
    if (!QFileInfo::exists(sClip) && !TestMedia::MakeClip(sClip, kClipSeconds, kClipSize)) {
        std::fprintf(stderr, "could not make the clip %s\n", qPrintable(sClip));
        return QString();
    }
    return sClip;
}

int TakeCount(QStringList &args, int iDefault)
{
    if (!args.isEmpty() && args.first().toInt() > 0)
        return args.takeFirst().toInt();
    return iDefault;
}

} // namespace Bench
