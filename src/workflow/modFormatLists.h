#pragma once

#include <QStringList>

// The fixed lists of the custom format. Their order is part of the saved settings (a list is
// saved as its position), so items are only ever added at the end.
QStringList ContainerItems();    // cmbCustContainer, 10 items
QStringList SamplingRateItems(); // cmbCASmapleRate, 9 items
QStringList AspectItems();       // cmbCVAspect, 5 items
QStringList VideoSizeItems();    // cmbCVSize, 29 items; the encoder takes the text before "("
