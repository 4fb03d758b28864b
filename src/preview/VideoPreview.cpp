#include "preview/VideoPreview.h"

#include "preview/MpvPreview.h"

namespace {

std::function<std::unique_ptr<VideoPreview>()> g_factoryForTests;

} // namespace

VideoPreview::~VideoPreview() = default;

std::unique_ptr<VideoPreview> NewVideoPreview()
{
    if (g_factoryForTests)
        return g_factoryForTests();
    return std::make_unique<MpvPreview>();
}

void SetVideoPreviewFactoryForTests(std::function<std::unique_ptr<VideoPreview>()> factory)
{
    g_factoryForTests = std::move(factory);
}
