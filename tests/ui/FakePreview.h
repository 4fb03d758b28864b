#pragma once

#include "common/ScopedOverride.h"
#include "preview/VideoPreview.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// What the fake graphs share with the test: a log of every call ("g1.RenderFile", "g1.~"), the
// answers to give, and a stream that stands still unless the test moves it. While it lives,
// NewVideoPreview hands out fakes logging here; libmpv's graph comes back when it ends.
struct FakeGraphs {
    FakeGraphs();

    QStringList log;
    QMap<QString, PreviewResult> results; // by operation name; Ok when absent
    QList<PreviewResult> durationResults; // answers of GetDuration, in turn, before results
    double dDuration = 200.0;
    double dPosition = 0.0;
    int iMade = 0;

private:
    ScopedOverride m_factory;
};

class FakePreview : public VideoPreview {
public:
    FakePreview(FakeGraphs &graphs, int iId);
    ~FakePreview() override;

    PreviewResult RenderFile(const QString &sFile) override;
    PreviewResult Run() override;
    PreviewResult Pause() override;
    PreviewResult Stop() override;
    PreviewResult GetDuration(double &dDuration) override;
    PreviewResult GetCurrentPosition(double &dPosition) override;
    PreviewResult PutCurrentPosition(double dPosition) override;
    PreviewResult PutRate(double dRate) override;
    PreviewResult PutVolume(std::int32_t lVolume) override;
    PreviewResult PutBalance(std::int32_t lBalance) override;
    PreviewResult PutLeft(int iLeft) override;
    PreviewResult PutTop(int iTop) override;
    PreviewResult PutWidth(int iWidth) override;
    PreviewResult PutHeight(int iHeight) override;
    PreviewResult PutWindowStyle(std::int32_t lStyle) override;
    PreviewResult PutOwner(QWidget *objOwner) override;
    PreviewResult HideCursor(bool bHide) override;

private:
    PreviewResult Answer(const char *szOperation, const QString &sArgument = QString());

    FakeGraphs &m_graphs;
    QString m_sName;
};
