// From the format choice to a real file: the selection and the format panel's texts through
// GetParamaters, " -y", and an encoder job running the program folder's ffmpeg.
#include "common/AppPath.h"
#include "common/ScopedOverride.h"
#include "engine/CVideoConv.h"
#include "formats/MemoryList.h"
#include "formats/PresetLists.h"
#include "formats/modCatalogues.h"
#include "formats/modParameters.h"
#include "support/MsgBoxRecorder.h"
#include "support/TestMedia.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kOverwrite = QStringLiteral(" -y");

class CutToFile : public ::testing::Test {
protected:
    static constexpr WholeSeconds kStart = 2;
    static constexpr WholeSeconds kEnd = 5;

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        LoadPresets(m_tables, m_cmbCategory);
        LoadCodecs(m_tables, m_cmbCVCodec, m_cmbCACodec);
        ASSERT_TRUE(m_recorder.Messages().isEmpty());
        ASSERT_TRUE(QDir().mkpath(m_dir.filePath("My Videos")));
        m_sInput = m_dir.filePath("My Videos/holiday clip.mp4");
        ASSERT_TRUE(TestMedia::MakeClip(m_sInput, 6.0));
    }

    // The build's program folder holds the catalogues and the encoder link.
    const ScopedOverride m_programFolder{SetAppPathForTests, TestMedia::BinDir()};

    // Runs a job as the cut task does and returns what ffprobe finds in its output.
    TestMedia::ProbeResult Cut(const FormatChoice &choice, const QString &sOutputName)
    {
        const QString sParameters = GetParamaters(choice, m_tables);
        EXPECT_FALSE(sParameters.isEmpty());
        const QString sOutput = m_dir.filePath(sOutputName);
        CVideoConv job;
        QList<short> progress;
        QObject::connect(&job, &CVideoConv::Progress, &job, [&progress](short i) { progress << i; });
        job.setInputFile(m_sInput);
        job.setOutputFile(sOutput);
        job.setFileTimeLength(static_cast<float>(choice.iSelectEnd - choice.iSelectStart));
        job.setParametrs(sParameters + kOverwrite);
        job.StartConversion();

        EXPECT_TRUE(m_recorder.Messages().isEmpty()) << m_recorder.Texts().join("\n").toStdString();
        EXPECT_FALSE(progress.isEmpty());
        if (!progress.isEmpty()) {
            EXPECT_GE(progress.last(), 90);
        }
        return TestMedia::Probe(sOutput);
    }

    QTemporaryDir m_dir;
    MsgBoxRecorder m_recorder;
    CatalogueTables m_tables;
    MemoryList m_cmbCategory, m_cmbOutVCodec, m_cmbOutFormat, m_cmbCVCodec, m_cmbCACodec;
    PresetLists m_lists{m_tables, m_cmbCategory, m_cmbOutVCodec, m_cmbOutFormat};
    QString m_sInput;
};

TEST_F(CutToFile, APresetChoiceGivesTheCutInItsFormat)
{
    // The first-start choice: position 1 of the category and label lists.
    m_cmbCategory.setListIndex(1);
    m_cmbOutVCodec.setListIndex(1);
    FormatChoice choice;
    choice.sCategory = m_cmbCategory.Text();
    choice.sPresetLabel = m_cmbOutVCodec.Text();
    choice.sPresetFormat = m_cmbOutFormat.Text();
    choice.iSelectStart = kStart;
    choice.iSelectEnd = kEnd;

    const TestMedia::ProbeResult probe = Cut(choice, "holiday clip." + choice.sPresetFormat);
    ASSERT_TRUE(probe.bOk);
    EXPECT_EQ(probe.sVideoCodec, "h264");
    EXPECT_EQ(probe.sAudioCodec, "aac");
    EXPECT_EQ(probe.iHeight, 240) << "a 720p preset never enlarges the 320x240 clip";
    EXPECT_NEAR(probe.dDuration, 3.0, 0.25);
}

TEST_F(CutToFile, ACustomChoiceGivesTheCutWithItsOptions)
{
    FormatChoice choice;
    choice.bPresetMode = false;
    choice.sSampleRate = "44.1 KHz";
    choice.sAudioBitrate = "96";
    choice.sAudioCodec = m_cmbCACodec.List(2);
    choice.sChannels = "1";
    choice.sVideoCodec = m_cmbCVCodec.List(1);
    choice.sVideoBitrate = "500";
    choice.sVideoSize = "qqvga(160x120)";
    choice.sAspectRatio = "16:9";
    choice.sFrameRate = "12.5";
    choice.iSelectStart = kStart;
    choice.iSelectEnd = kEnd;
    ASSERT_TRUE(GetCodecName(choice.sVideoCodec, m_tables).startsWith("libx264 "));
    ASSERT_EQ(GetCodecName(choice.sAudioCodec, m_tables), "aac");

    const TestMedia::ProbeResult probe = Cut(choice, "holiday clip.MP4");
    ASSERT_TRUE(probe.bOk);
    EXPECT_EQ(probe.sVideoCodec, "h264");
    EXPECT_EQ(probe.sAudioCodec, "aac");
    EXPECT_EQ(probe.iWidth, 160);
    EXPECT_EQ(probe.iHeight, 120);
    EXPECT_EQ(probe.iAudioChannels, 1);
    EXPECT_EQ(probe.iAudioSampleRate, 44100);
    EXPECT_NEAR(probe.dDuration, 3.0, 0.25);
}

} // namespace
