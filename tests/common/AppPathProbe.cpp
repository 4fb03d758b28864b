// Not a test: prints the program folder as the program sees it, for the test that starts it
// through links.
#include "common/AppPath.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::fputs(AppPath().toLocal8Bit().constData(), stdout);
    return 0;
}
