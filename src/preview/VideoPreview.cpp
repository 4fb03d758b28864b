#include "preview/VideoPreview.h"

#include "preview/MpvPreview.h"

#include <utility>

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

std::function<std::unique_ptr<VideoPreview>()>
SetVideoPreviewFactoryForTests(std::function<std::unique_ptr<VideoPreview>()> factory)
{
    return std::exchange(g_factoryForTests, std::move(factory));
}
