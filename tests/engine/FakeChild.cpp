// A stand-in child for the runner's tests. The first argument names what it does:
//   write N        writes N bytes of numbered lines, in pieces, and exits 0
//   utf8           writes UTF-8 text whose multi-byte characters straddle 512-byte reads
//   silent         writes nothing and exits 0
//   exit CODE      writes one line and exits with CODE
//   sleep MS       writes its pid line, then sleeps MS milliseconds and exits 0
//   stream         writes its pid line, then a line every 10 ms for up to 20 s
//   stubborn       writes its pid line, ignores SIGTERM and sleeps 20 s
//   args ...       writes every further argument as "[argument]" on a line of its own
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <time.h>
#include <unistd.h>

namespace {
void WriteAll(const std::string &sText)
{
    const char *p = sText.data();
    size_t n = sText.size();
    while (n > 0) {
        const ssize_t iWritten = ::write(STDOUT_FILENO, p, n);
        if (iWritten <= 0)
            std::exit(3);
        p += iWritten;
        n -= static_cast<size_t>(iWritten);
    }
}

void SleepMs(long lMs)
{
    timespec delay{lMs / 1000, (lMs % 1000) * 1000000L};
    while (nanosleep(&delay, &delay) != 0) {
    }
}

void WritePid()
{
    WriteAll("pid=" + std::to_string(::getpid()) + "\n");
}
} // namespace

int main(int argc, char **argv)
{
    const std::string sMode = argc > 1 ? argv[1] : "";
    const long lValue = argc > 2 ? std::atol(argv[2]) : 0;
    if (sMode == "write") {
        std::string sText;
        for (long i = 0; static_cast<long>(sText.size()) < lValue; ++i)
            sText += "line " + std::to_string(i) + " of the fake child's output\n";
        sText.resize(static_cast<size_t>(lValue));
        for (size_t i = 0; i < sText.size(); i += 700)
            WriteAll(sText.substr(i, 700));
    } else if (sMode == "utf8") {
        WriteAll(std::string(511, 'a') + "\xc3\xa9" + std::string(510, 'b') + "\xe2\x82\xac\n");
    } else if (sMode == "silent") {
    } else if (sMode == "exit") {
        WriteAll("exiting\n");
        return static_cast<int>(lValue);
    } else if (sMode == "sleep") {
        WritePid();
        SleepMs(lValue);
    } else if (sMode == "stream") {
        WritePid();
        for (int i = 0; i < 2000; ++i) {
            WriteAll("tick " + std::to_string(i) + "\n");
            SleepMs(10);
        }
    } else if (sMode == "stubborn") {
        std::signal(SIGTERM, SIG_IGN);
        WritePid();
        SleepMs(20000);
    } else if (sMode == "args") {
        for (int i = 2; i < argc; ++i)
            WriteAll(std::string("[") + argv[i] + "]\n");
    } else {
        WriteAll("unknown mode\n");
        return 2;
    }
    return 0;
}
