#pragma once

#include <QString>

// One codec of codecs.xml. Values are kept exactly as the file holds them.
struct CodecEntry {
    QString name;        // the encoder's name for it, passed after -vcodec / -acodec
    QString description; // what the codec lists show; the argument builder looks codecs up by it
    QString type;        // "video codec", "audio codec" or "general" (both lists)
};
