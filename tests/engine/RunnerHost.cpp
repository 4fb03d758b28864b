// A program that runs one command line through DOSOutputs and passes on every chunk it reads, as
// the window does with the encoder; the tests kill it to see what becomes of its child.
//   engine_runner_host "<command line>"
#include "engine/DOSOutputs.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    DOSOutputs runner;
    QObject::connect(&runner, &DOSOutputs::ReceiveOutputs, [](const QString &sChunk) {
        std::fputs(sChunk.toLocal8Bit().constData(), stdout);
        std::fflush(stdout);
    });
    runner.ExecuteCommand(QString::fromLocal8Bit(argv[1]));
    return 0;
}
