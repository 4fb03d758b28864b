#include "slider/modSliderDrawing.h"

#include "common/modFunctions.h"
#include "slider/SliderImages.h"
#include "slider/SliderModel.h"
#include "slider/modSliderGeometry.h"

#include <QPainter>
#include <algorithm>

using namespace SliderSizes;

namespace {
// Coordinates far outside the control are drawn clipped anyway; bringing them into [lo, hi] keeps
// what is visible and keeps the rectangles' arithmetic inside int.
int Bounded(std::int64_t lValue, int iLow, int iHigh)
{
    return static_cast<int>(std::clamp<std::int64_t>(lValue, iLow, iHigh));
}

// A stretch whose width or height comes out zero or negative leaves nothing.
void Stretch(QPainter &painter, int x, int y, int w, int h, const QImage &strip)
{
    if (w <= 0 || h <= 0)
        return;
    painter.drawImage(QRect(x, y, w, h), strip);
}

int Component(double dValue)
{
    return static_cast<int>(RoundHalfEven(std::clamp(dValue, 0.0, 255.0)));
}

void DrawHorizontal(QPainter &painter, int W, const SliderModel &model, const SliderImages &images,
                    std::int64_t lThumb, const QSize &size)
{
    const int S = Bounded(model.PositionOf(model.SelectStart(), size), 0, W);
    const int E = Bounded(model.PositionOf(model.SelectEnd(), size), 0, W);
    const int T = Bounded(lThumb, -kHandleLength, W);
    Stretch(painter, S, 0, E - S, kThickness, images.PicFullFill());
    Stretch(painter, E, 0, W - E, kThickness, images.PicEmptyFill());
    Stretch(painter, 0, 0, S, kThickness, images.PicEmptyFill());
    painter.drawImage(0, 0, images.PicLeft());
    painter.drawImage(W - kRightWidth, 0, images.PicRight());
    painter.drawImage(T, kHandleInset, images.PicHandle());
}

void DrawVertical(QPainter &painter, int H, const SliderImages &images, std::int64_t lThumb)
{
    // The thumb's top edge; the filled part runs from it down past the bottom (clipped).
    const int iTop = Bounded(static_cast<std::int64_t>(H) - lThumb, -H, H + 1);
    Stretch(painter, 0, 0, kThickness, iTop, images.PicEmptyFill2());
    Stretch(painter, 0, iTop, kThickness, H, images.PicFullFill2());
    painter.drawImage(0, 0, images.PicUp());
    painter.drawImage(0, H - kDownHeight, images.PicDown());
    painter.drawImage(kHandleInset, iTop, images.PicHandle2());
}
} // namespace

OleColor BlendedForeColor(const SliderModel &model, int iHeight)
{
    double f;
    double g;
    if (!model.Snap() && model.DragActive()) {
        f = model.DragPos() / double(iHeight - kDownHeight - kUpHeight);
        g = 1 - f;
    } else {
        const double D = CheckedSub(model.Max(), model.Min());
        f = CheckedSub(model.Value(), model.Min()) / D;
        g = CheckedSub(model.Max(), model.Value()) / D;
    }
    const double dRed = f * model.Fore2R() + g * model.ForeR();
    const double dGreen = f * model.Fore2G() + g * model.ForeG();
    const double dBlue = f * model.Fore2B() + g * model.ForeB();
    return RGBColor(Component(dRed), Component(dGreen), Component(dBlue));
}

bool DrawSlider(QImage &surface, const QSize &size, const SliderModel &model, SliderImages &images,
                const QColor &clearColour)
{
    if (model.Max() == model.Min())
        return false;
    // A range wider than 32 bits fails here, before anything is drawn.
    static_cast<void>(CheckedSub(model.Max(), model.Min()));
    const std::int64_t lThumb = model.ThumbPosition(size);

    if (surface.size() != size || surface.format() != QImage::Format_RGB32)
        surface = QImage(size, QImage::Format_RGB32);
    surface.fill(clearColour);
    if (model.IsVertical())
        images.TintFullStrip(BlendedForeColor(model, size.height()));

    QPainter painter(&surface);
    // Every image is a plain copy of its pixels; strips are stretched pixel for pixel.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (model.IsVertical())
        DrawVertical(painter, size.height(), images, lThumb);
    else
        DrawHorizontal(painter, size.width(), model, images, lThumb, size);
    return true;
}
