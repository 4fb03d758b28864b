#include "workflow/modFormatLists.h"

QStringList ContainerItems()
{
    return {QStringLiteral("WMV"), QStringLiteral("ASF"), QStringLiteral("AVI"), QStringLiteral("MOV"),
            QStringLiteral("FLV"), QStringLiteral("MPG"), QStringLiteral("MPEG"), QStringLiteral("MP4"),
            QStringLiteral("RM"), QStringLiteral("yuv")};
}

QStringList SamplingRateItems()
{
    return {QStringLiteral("8 KHz"), QStringLiteral("11.025 KHz"), QStringLiteral("12 KHz"),
            QStringLiteral("16 KHz"), QStringLiteral("22.05 KHz"), QStringLiteral("24 KHz"),
            QStringLiteral("32 KHz"), QStringLiteral("44.1 KHz"), QStringLiteral("48 KHz")};
}

QStringList AspectItems()
{
    return {QStringLiteral("[As Input]"), QStringLiteral("4:3"), QStringLiteral("16:9"), QStringLiteral("1.3333"),
            QStringLiteral("1.7777")};
}

QStringList VideoSizeItems()
{
    // Four items end in a blank, as they always have; the saved positions and the encoder's
    // size abbreviations do not depend on it.
    return {QStringLiteral("[As Input]"),
            QStringLiteral("sqcif(128x96)"),
            QStringLiteral("qcif(176x144)"),
            QStringLiteral("cif(352x288)"),
            QStringLiteral("4cif(704x576)"),
            QStringLiteral("qqvga(160x120)"),
            QStringLiteral("qvga(320x240)"),
            QStringLiteral("vga(640x480)"),
            QStringLiteral("svga(800x600)"),
            QStringLiteral("xga(1024x768)"),
            QStringLiteral("uxga(1600x1200)"),
            QStringLiteral("qxga(2048x1536)"),
            QStringLiteral("sxga(1280x1024)"),
            QStringLiteral("qsxga(2560x2048) "),
            QStringLiteral("hsxga(5120x4096)"),
            QStringLiteral("wvga(852x480)"),
            QStringLiteral("wxga(1366x768) "),
            QStringLiteral("wsxga(1600x1024)"),
            QStringLiteral("wuxga(1920x1200)"),
            QStringLiteral("woxga(2560x1600)"),
            QStringLiteral("wqsxga(3200x2048) "),
            QStringLiteral("wquxga(3840x2400)"),
            QStringLiteral("whsxga(6400x4096)"),
            QStringLiteral("whuxga(7680x4800)"),
            QStringLiteral("cga(320x200)"),
            QStringLiteral("ega(640x350)"),
            QStringLiteral("hd480(852x480)"),
            QStringLiteral("hd720(1280x720) "),
            QStringLiteral("hd1080(1920x1080)")};
}
