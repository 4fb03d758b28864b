#pragma once

#include "slider/Slider.h"

#include <QImage>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

// A shown window holding one slider at (0, 0): size changes reach the slider at once, and the
// pointer can leave the slider while a button is held. Mouse input goes through the window, as the
// windowing system delivers it.
class SliderHost {
public:
    // A slider of range 0 to 100 (Value 50), in the layout iStyle.
    explicit SliderHost(const QSize &sliderSize, int iStyle = 0,
                        const QSize &hostSize = QSize(500, 500))
    {
        host.resize(hostSize);
        slider = new Slider(&host);
        slider->setMin(0);
        slider->setMax(100);
        slider->setSliderStyle(iStyle);
        slider->resize(sliderSize);
        host.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    QWindow *Window() { return host.windowHandle(); }

    // The painted control.
    QImage Grab() const { return slider->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QWidget host;
    Slider *slider = nullptr;
};

// Every notification of a slider, by name, in the order raised.
class EventLog {
public:
    explicit EventLog(Slider &slider)
    {
        QObject::connect(&slider, &Slider::DblClick, [this](std::int32_t &) { names << "DblClick"; });
        QObject::connect(&slider, &Slider::Scroll, [this] { names << "Scroll"; });
        QObject::connect(&slider, &Slider::Change, [this] { names << "Change"; });
        QObject::connect(&slider, &Slider::Click, [this] { names << "Click"; });
        QObject::connect(&slider, &Slider::MouseUp,
                         [this](std::int16_t, std::int16_t, float, float) { names << "MouseUp"; });
    }

    QStringList names;
};

inline QRgb Rgb(int r, int g, int b) { return qRgb(r, g, b); }

// Whether the picture pic lies in img at (x, y), pixel for pixel.
inline bool Holds(const QImage &img, int x, int y, const QImage &pic)
{
    for (int j = 0; j < pic.height(); ++j)
        for (int i = 0; i < pic.width(); ++i)
            if (img.pixel(x + i, y + j) != pic.pixel(i, j))
                return false;
    return true;
}

// Whether column x of img (or row y) is the given horizontal (vertical) strip.
inline bool ColumnIs(const QImage &img, int x, const QImage &strip)
{
    return Holds(img, x, 0, strip);
}
inline bool RowIs(const QImage &img, int y, const QImage &strip) { return Holds(img, 0, y, strip); }

// Pixels compared as colours, so that a failure prints them readably.
inline QString Colour(QRgb c)
{
    return QStringLiteral("(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}
