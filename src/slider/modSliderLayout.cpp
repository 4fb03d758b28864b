#include "slider/modSliderLayout.h"

#include "slider/Slider.h"

const QString kMainSliderName = QStringLiteral("Slider");

QSize MainSliderSize() { return QSize(314, 20); }

PropertyBag MainSliderLayout()
{
    PropertyBag layout;
    layout.WriteProperty(Slider::kEntryValue, 0, Slider::kDefaultValue);
    layout.WriteProperty(Slider::kEntryMax, 1000000, Slider::kDefaultMax);
    layout.WriteProperty(Slider::kEntryMin, 0, Slider::kDefaultMin);
    layout.WriteProperty(Slider::kEntryEnabled, false, Slider::kDefaultEnabled);
    return layout;
}

Slider *CreateSliderFromLayout(QWidget *parent, const PropertyBag &layout, const QSize &size)
{
    auto *slider = new Slider(parent);
    try {
        slider->ReadProperties(layout);
    } catch (...) {
        delete slider;
        throw;
    }
    slider->resize(size);
    // Qt holds back the resize event of a control that is not shown yet; the size rules and the
    // redraw of a size change run now.
    slider->ApplySize();
    return slider;
}

Slider *CreateMainSlider(QWidget *parent)
{
    Slider *slider = CreateSliderFromLayout(parent, MainSliderLayout(), MainSliderSize());
    slider->setObjectName(kMainSliderName);
    return slider;
}
