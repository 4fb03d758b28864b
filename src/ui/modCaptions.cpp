#include "ui/modCaptions.h"

const QString kCaptionPlay = QStringLiteral("Play");
const QString kCaptionStart = QStringLiteral("Start");
const QString kCaptionStop = QStringLiteral("Stop");
const QString kCaptionProgress = QStringLiteral("Task Progress:");
