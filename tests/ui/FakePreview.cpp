#include "FakePreview.h"

#include <QWidget>
#include <memory>

FakeGraphs::FakeGraphs()
    : m_factory(SetVideoPreviewFactoryForTests,
                [this]() -> std::unique_ptr<VideoPreview> { return std::make_unique<FakePreview>(*this, ++iMade); })
{
}

FakePreview::FakePreview(FakeGraphs &graphs, int iId)
    : m_graphs(graphs), m_sName(QStringLiteral("g%1.").arg(iId))
{
}

FakePreview::~FakePreview()
{
    m_graphs.log << m_sName + QStringLiteral("~");
}

PreviewResult FakePreview::Answer(const char *szOperation, const QString &sArgument)
{
    const QString sOperation = QString::fromLatin1(szOperation);
    m_graphs.log << m_sName + sOperation + (sArgument.isEmpty() ? QString() : QLatin1Char(' ') + sArgument);
    return m_graphs.results.value(sOperation, PreviewResult::Ok);
}

PreviewResult FakePreview::RenderFile(const QString &) { return Answer("RenderFile"); }
PreviewResult FakePreview::Run() { return Answer("Run"); }
PreviewResult FakePreview::Pause() { return Answer("Pause"); }
PreviewResult FakePreview::Stop() { return Answer("Stop"); }

PreviewResult FakePreview::GetDuration(double &dDuration)
{
    PreviewResult result = Answer("GetDuration");
    if (!m_graphs.durationResults.isEmpty())
        result = m_graphs.durationResults.takeFirst();
    if (result == PreviewResult::Ok)
        dDuration = m_graphs.dDuration;
    return result;
}

PreviewResult FakePreview::GetCurrentPosition(double &dPosition)
{
    const PreviewResult result = Answer("GetCurrentPosition");
    if (result == PreviewResult::Ok)
        dPosition = m_graphs.dPosition;
    return result;
}

PreviewResult FakePreview::PutCurrentPosition(double dPosition)
{
    const PreviewResult result = Answer("PutCurrentPosition", QString::number(dPosition));
    if (result == PreviewResult::Ok)
        m_graphs.dPosition = dPosition;
    return result;
}

PreviewResult FakePreview::PutRate(double dRate) { return Answer("PutRate", QString::number(dRate)); }
PreviewResult FakePreview::PutVolume(std::int32_t lVolume) { return Answer("PutVolume", QString::number(lVolume)); }
PreviewResult FakePreview::PutBalance(std::int32_t lBalance) { return Answer("PutBalance", QString::number(lBalance)); }
PreviewResult FakePreview::PutLeft(int iLeft) { return Answer("PutLeft", QString::number(iLeft)); }
PreviewResult FakePreview::PutTop(int iTop) { return Answer("PutTop", QString::number(iTop)); }
PreviewResult FakePreview::PutWidth(int iWidth) { return Answer("PutWidth", QString::number(iWidth)); }
PreviewResult FakePreview::PutHeight(int iHeight) { return Answer("PutHeight", QString::number(iHeight)); }

PreviewResult FakePreview::PutWindowStyle(std::int32_t lStyle)
{
    return Answer("PutWindowStyle", QStringLiteral("0x") + QString::number(lStyle, 16));
}

PreviewResult FakePreview::PutOwner(QWidget *objOwner)
{
    return Answer("PutOwner", objOwner ? objOwner->objectName() : QStringLiteral("none"));
}

PreviewResult FakePreview::HideCursor(bool bHide) { return Answer("HideCursor", bHide ? "true" : "false"); }
