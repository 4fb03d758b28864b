#pragma once

#include "common/Colour.h"

#include <QImage>

// The ten images the slider draws itself from: caps, stretchable one-pixel strips and thumbs for
// both layouts. They are built in code; the strips are recoloured in place by the tint routines and
// keep those colours until painted again.
class SliderImages {
public:
    // Strip cross-section: pixels 6 to 12 (of 20) are the colour rows the control repaints.
    static constexpr int kFirstColourRow = 6;
    static constexpr int kLastColourRow = 12;

    // The images as delivered.
    SliderImages();

    const QImage &PicLeft() const { return m_PicLeft; }
    const QImage &PicRight() const { return m_PicRight; }
    const QImage &PicEmptyFill() const { return m_PicEmptyFill; }
    const QImage &PicFullFill() const { return m_PicFullFill; }
    const QImage &PicHandle() const { return m_PicHandle; }
    const QImage &PicUp() const { return m_PicUp; }
    const QImage &PicDown() const { return m_PicDown; }
    const QImage &PicEmptyFill2() const { return m_PicEmptyFill2; }
    const QImage &PicFullFill2() const { return m_PicFullFill2; }
    const QImage &PicHandle2() const { return m_PicHandle2; }

    // The colour rows of PicEmptyFill (column 0) and PicEmptyFill2 (row 0).
    void TintEmptyStrips(OleColor lColor);
    // The colour rows of PicFullFill2 (row 0).
    void TintFullStrip(OleColor lColor);

private:
    QImage m_PicLeft;
    QImage m_PicRight;
    QImage m_PicEmptyFill;
    QImage m_PicFullFill;
    QImage m_PicHandle;
    QImage m_PicUp;
    QImage m_PicDown;
    QImage m_PicEmptyFill2;
    QImage m_PicFullFill2;
    QImage m_PicHandle2;
};
