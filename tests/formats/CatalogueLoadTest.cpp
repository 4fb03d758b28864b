#include "CatalogueFolder.h"
#include "formats/MemoryList.h"
#include "formats/PresetLists.h"
#include "formats/modCatalogues.h"
#include "support/MsgBoxRecorder.h"

#include <QDir>
#include <QFile>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

const QString kPresetsFailure = QStringLiteral("Error Occured while Loading Presets.\r\n");
const QString kCodecsFailure = QStringLiteral("Error Occured while Loading Codecs.\r\n");

// The window's side of the preset catalogue: the tables and the three linked lists.
struct PresetWindow {
    CatalogueTables tables;
    MemoryList cmbCategory, cmbOutVCodec, cmbOutFormat;
    PresetLists lists{tables, cmbCategory, cmbOutVCodec, cmbOutFormat};

    void Load() { LoadPresets(tables, cmbCategory); }
};

struct CodecWindow {
    CatalogueTables tables;
    MemoryList cmbCVCodec, cmbCACodec;

    void Load() { LoadCodecs(tables, cmbCVCodec, cmbCACodec); }
};

TEST(LoadPresets, ReadsRecordsWithFieldsInAnyOrderAndFillsTheLists)
{
    CatalogueFolder folder;
    QStringList records = PresetRecord("HD", "-c:v libx264", "mp4", "Video");
    // The same fields in another order, indented differently, with a closing tag in capitals.
    records << "<preset>"
            << "<category>Video</category>"
            << "\t<extension>mkv</EXTENSION>"
            << "<params> -crf 20 </params>"
            << "  <label>HD</label>"
            << "</preset>";
    records << PresetRecord(" Small &amp; fast ", "-s 320x240", "avi", "Video")
            << PresetRecord("MP3", "-vn", "mp3", "Audio")
            << PresetRecord("HD", "-c:v libx265", "mp4", "video");
    folder.Write(kPresetsFileName, PresetsFile(records));

    MsgBoxRecorder recorder;
    PresetWindow window;
    window.Load();

    EXPECT_TRUE(recorder.Messages().isEmpty());
    ASSERT_EQ(window.tables.PresetCount, 5);
    ASSERT_EQ(window.tables.Presets.size(), 5);
    const PresetEntry &second = window.tables.Presets.at(1);
    EXPECT_EQ(second.label, "HD");
    EXPECT_EQ(second.params, " -crf 20 ");
    EXPECT_EQ(second.extension, "mkv");
    EXPECT_EQ(second.category, "Video");
    // Values are kept as written: blanks and entity references included.
    EXPECT_EQ(window.tables.Presets.at(2).label, " Small &amp; fast ");

    // Distinct categories in file order, case kept apart; the first is selected and has filled
    // the label list and the first label's containers.
    EXPECT_EQ(window.cmbCategory.Items(), QStringList({"Video", "Audio", "video"}));
    EXPECT_EQ(window.cmbCategory.ListIndex(), 0);
    EXPECT_EQ(window.cmbOutVCodec.Items(), QStringList({"HD", " Small &amp; fast "}));
    EXPECT_EQ(window.cmbOutVCodec.ListIndex(), 0);
    EXPECT_EQ(window.cmbOutFormat.Items(), QStringList({"mp4", "mkv"}));
    EXPECT_EQ(window.cmbOutFormat.ListIndex(), 0);
}

TEST(LoadPresets, AnUnknownTagOrAMissingFieldLineUsesUpALine)
{
    CatalogueFolder folder;
    QStringList records;
    // An unknown tag counts as one of the four field lines: the category is never read, so
    // the next record is read into the same slot.
    records << "<preset>" << "<label>A</label>" << "<note>x</note>" << "<params>-a</params>"
            << "<extension>avi</extension>" << "<category>Lost</category>" << "</preset>";
    records << PresetRecord("B", "-b", "mkv", "Kept");
    // Three field lines only: the closing line is read as the fourth, the next record's
    // opening line is skipped as the closing line, and that record's lines all hold "</".
    records << "<preset>" << "<label>C</label>" << "<params>-c</params>" << "<category>Short</category>"
            << "</preset>";
    records << PresetRecord("D", "-d", "mp4", "Gone");
    records << PresetRecord("E", "-e", "wmv", "Last");
    folder.Write(kPresetsFileName, PresetsFile(records));

    MsgBoxRecorder recorder;
    PresetWindow window;
    window.Load();

    EXPECT_TRUE(recorder.Messages().isEmpty());
    ASSERT_EQ(window.tables.PresetCount, 3);
    EXPECT_EQ(window.tables.Presets.at(0).label, "B");
    EXPECT_EQ(window.tables.Presets.at(0).category, "Kept");
    EXPECT_EQ(window.tables.Presets.at(1).label, "C");
    EXPECT_EQ(window.tables.Presets.at(1).extension, "");
    EXPECT_EQ(window.tables.Presets.at(1).category, "Short");
    EXPECT_EQ(window.tables.Presets.at(2).label, "E");
    EXPECT_EQ(window.cmbCategory.Items(), QStringList({"Kept", "Short", "Last"}));
}

TEST(LoadPresets, LinesOutsideRecordsThatOpenOne)
{
    CatalogueFolder folder;
    QStringList lines{"<?xml version=\"1.0\"?>", "  <presets>"};
    // The indented root line is no skip line in presets.xml: it opens a record whose field
    // lines are the next record's first four lines; that record's category line is skipped
    // as the closing line, so the slot stays open for the record after it.
    lines << PresetRecord("A", "-a", "avi", "One");
    // A comment on a line of its own opens a record too.
    lines << "<!-- two more -->";
    lines << PresetRecord("B", "-b", "mkv", "Two");
    // So does a line of blanks.
    lines << "   ";
    lines << PresetRecord("C", "-c", "mp4", "Three");
    lines << PresetRecord("D", "-d", "wmv", "Four");
    lines << "</presets>";
    folder.Write(kPresetsFileName, lines);

    MsgBoxRecorder recorder;
    PresetWindow window;
    window.Load();

    EXPECT_TRUE(recorder.Messages().isEmpty());
    // Slot 0 takes A's fields but no category, then the comment's record overwrites it with
    // B's fields (again without a category), then the blank line's record with C's; D is the
    // first record read whole, into the same slot.
    ASSERT_EQ(window.tables.PresetCount, 1);
    EXPECT_EQ(window.tables.Presets.at(0).label, "D");
    EXPECT_EQ(window.tables.Presets.at(0).category, "Four");
    EXPECT_EQ(window.cmbCategory.Items(), QStringList({"Four"}));
}

TEST(LoadPresets, AnEmptyCategoryLeavesItsSlotToTheNextRecord)
{
    CatalogueFolder folder;
    QStringList records;
    records << PresetRecord("A", "-a", "avi", "") << PresetRecord("B", "-b", "mkv", "Two")
            << PresetRecord("C", "-c", "mp4", "");
    folder.Write(kPresetsFileName, PresetsFile(records));

    PresetWindow window;
    window.Load();

    ASSERT_EQ(window.tables.PresetCount, 2);
    EXPECT_EQ(window.tables.Presets.at(0).label, "B");
    EXPECT_EQ(window.tables.Presets.at(1).label, "C");
    EXPECT_EQ(window.cmbCategory.Items(), QStringList({"Two", ""}));
    EXPECT_EQ(window.cmbOutVCodec.Items(), QStringList({"B"}));
}

TEST(LoadPresets, FilesWithoutRecords)
{
    {
        // Only the declaration and root lines: one empty slot and one empty category.
        CatalogueFolder folder;
        folder.Write(kPresetsFileName, PresetsFile({}));
        MsgBoxRecorder recorder;
        PresetWindow window;
        window.Load();
        EXPECT_TRUE(recorder.Messages().isEmpty());
        EXPECT_EQ(window.tables.PresetCount, 1);
        EXPECT_EQ(window.cmbCategory.Items(), QStringList({""}));
        EXPECT_EQ(window.cmbCategory.ListIndex(), 0);
        EXPECT_EQ(window.cmbOutVCodec.Items(), QStringList({""}));
        EXPECT_EQ(window.cmbOutFormat.Items(), QStringList({""}));
    }
    {
        // LF-only line ends make one line, which holds "</" and is ignored.
        CatalogueFolder folder;
        QStringList lines = PresetsFile(PresetRecord("A", "-a", "avi", "One"));
        folder.WriteBytes(kPresetsFileName, lines.join("\n").toLocal8Bit());
        MsgBoxRecorder recorder;
        PresetWindow window;
        window.Load();
        EXPECT_TRUE(recorder.Messages().isEmpty());
        EXPECT_EQ(window.tables.PresetCount, 1);
        EXPECT_EQ(window.tables.Presets.at(0).label, "");
        EXPECT_EQ(window.cmbCategory.Items(), QStringList({""}));
    }
    {
        // Blanks only, or nothing at all: nothing changes and nothing is shown.
        for (const QByteArray &bytes : {QByteArray("     "), QByteArray()}) {
            CatalogueFolder folder;
            folder.WriteBytes(kPresetsFileName, bytes);
            MsgBoxRecorder recorder;
            PresetWindow window;
            window.cmbCategory.AddItem("Earlier");
            window.Load();
            EXPECT_TRUE(recorder.Messages().isEmpty());
            EXPECT_EQ(window.tables.PresetCount, 0);
            EXPECT_TRUE(window.tables.Presets.isEmpty());
            EXPECT_EQ(window.cmbCategory.Items(), QStringList({"Earlier"}));
            EXPECT_EQ(window.cmbCategory.ListIndex(), -1);
        }
    }
}

TEST(LoadPresets, AFailureShowsItsDescriptionAndKeepsWhatWasRead)
{
    struct Case {
        QStringList tail;
        QString sDescription;
    };
    const QList<Case> cases{
        // A field line without a ">".
        {{"<preset>", "<label>B</label>", "<params -b", "<extension>mkv</extension>",
          "<category>Two</category>", "</preset>"},
         "Invalid procedure call or argument"},
        // A known tag without its closing tag.
        {{"<preset>", "<label>B", "<params>-b</params>", "<extension>mkv</extension>",
          "<category>Two</category>", "</preset>"},
         "Invalid procedure call or argument"},
        // The file ends inside a record's field lines.
        {{"<preset>", "<label>B</label>", "<params>-b</params>"}, "Subscript out of range"},
        // A comment before the root's closing line reads past the end.
        {{"<!-- end of the list -->", "</presets>"}, "Subscript out of range"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.tail.join(" | ").toStdString());
        CatalogueFolder folder;
        QStringList lines{"<?xml version=\"1.0\"?>", "<presets>"};
        lines << PresetRecord("A", "-a", "avi", "One") << c.tail;
        folder.Write(kPresetsFileName, lines);

        MsgBoxRecorder recorder;
        PresetWindow window;
        window.Load();

        ASSERT_EQ(recorder.Messages().size(), 1);
        EXPECT_EQ(recorder.Messages().at(0).sText, kPresetsFailure + c.sDescription);
        EXPECT_EQ(recorder.Messages().at(0).icon, MsgIcon::None);
        // The first record stays; the count was not raised and no list was filled.
        ASSERT_GE(window.tables.Presets.size(), 1);
        EXPECT_EQ(window.tables.Presets.at(0).label, "A");
        EXPECT_EQ(window.tables.PresetCount, 1);
        EXPECT_EQ(window.cmbCategory.ListCount(), 0);
    }
    // An unknown tag without a closing tag is passed over.
    CatalogueFolder folder;
    folder.Write(kPresetsFileName,
                 PresetsFile({"<preset>", "<label>A</label>", "<remark>x", "<extension>avi</extension>",
                              "<category>One</category>", "</preset>"}));
    MsgBoxRecorder recorder;
    PresetWindow window;
    window.Load();
    EXPECT_TRUE(recorder.Messages().isEmpty());
    EXPECT_EQ(window.tables.PresetCount, 1);
}

TEST(LoadPresets, AMissingFileShowsTheMessageAndChangesNothing)
{
    CatalogueFolder folder;
    MsgBoxRecorder recorder;
    PresetWindow window;
    window.Load();
    ASSERT_EQ(recorder.Messages().size(), 1);
    EXPECT_EQ(recorder.Messages().at(0).sText, kPresetsFailure + "File not found");
    EXPECT_EQ(window.tables.PresetCount, 0);
    EXPECT_TRUE(window.tables.Presets.isEmpty());
    EXPECT_EQ(window.cmbCategory.ListCount(), 0);
}

// Lets a reader that blocks on the FIFO go after a second: it opens the FIFO for writing (which
// succeeds only while a reader has it open) and closes it, so the reader sees an empty file. A
// load that waited on the FIFO then returns, without the failure, instead of hanging the test.
class FifoReleaser {
public:
    explicit FifoReleaser(const QString &sFifo) : m_path(QFile::encodeName(sFifo))
    {
        m_thread = std::thread([this] {
            for (int i = 0; !m_bDone; ++i) {
                if (i >= 20) {
                    const int iFd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                    if (iFd >= 0)
                        ::close(iFd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        });
    }
    ~FifoReleaser()
    {
        m_bDone = true;
        m_thread.join();
    }

private:
    QByteArray m_path;
    std::atomic<bool> m_bDone{false};
    std::thread m_thread;
};

TEST(LoadCatalogues, OnlyRegularFilesAreRead)
{
    const QString sAccessFailure = QStringLiteral("Path/File access error");
    {
        CatalogueFolder folder;
        const QString sFifo = QDir(folder.Path()).filePath(kPresetsFileName);
        ASSERT_EQ(::mkfifo(QFile::encodeName(sFifo).constData(), 0600), 0);
        FifoReleaser releaser(sFifo);
        MsgBoxRecorder recorder;
        PresetWindow window;
        window.Load();
        ASSERT_EQ(recorder.Messages().size(), 1);
        EXPECT_EQ(recorder.Messages().at(0).sText, kPresetsFailure + sAccessFailure);
        EXPECT_EQ(window.tables.PresetCount, 0);
    }
    {
        CatalogueFolder folder;
        ASSERT_TRUE(QDir(folder.Path()).mkdir(kCodecsFileName));
        MsgBoxRecorder recorder;
        CodecWindow window;
        window.Load();
        ASSERT_EQ(recorder.Messages().size(), 1);
        EXPECT_EQ(recorder.Messages().at(0).sText, kCodecsFailure + sAccessFailure);
    }
    {
        // A link to a regular file is read as the file.
        CatalogueFolder folder;
        folder.Write(QStringLiteral("real.xml"), CodecsFile(CodecRecord("copy", "Copy", "general")));
        const QDir programFolder(folder.Path());
        ASSERT_TRUE(QFile::link(programFolder.filePath("real.xml"), programFolder.filePath(kCodecsFileName)));
        MsgBoxRecorder recorder;
        CodecWindow window;
        window.Load();
        EXPECT_TRUE(recorder.Messages().isEmpty());
        EXPECT_EQ(window.cmbCVCodec.Items(), QStringList({"Copy"}));
    }
}

TEST(LoadPresets, TheLineCounterIsSixteenBits)
{
    // 32,768 lines (indices 0 to 32767) still load; one line more overflows the counter.
    const QStringList head = QStringList{"<?xml version=\"1.0\"?>", "<presets>"} +
                             PresetRecord("A", "-a", "avi", "One");
    for (const int iLines : {32768, 32769}) {
        SCOPED_TRACE(iLines);
        QStringList lines = head;
        while (lines.size() < iLines - 7)
            lines << QString();
        lines << PresetRecord("B", "-b", "mkv", "Two") << "</presets>";
        ASSERT_EQ(lines.size(), iLines);

        CatalogueFolder folder;
        folder.Write(kPresetsFileName, lines);
        MsgBoxRecorder recorder;
        PresetWindow window;
        window.Load();
        if (iLines == 32768) {
            EXPECT_TRUE(recorder.Messages().isEmpty());
            EXPECT_EQ(window.tables.PresetCount, 2);
            EXPECT_EQ(window.cmbCategory.Items(), QStringList({"One", "Two"}));
        } else {
            ASSERT_EQ(recorder.Messages().size(), 1);
            EXPECT_EQ(recorder.Messages().at(0).sText, kPresetsFailure + "Overflow");
            // The scan fails stepping past line 32767: what was read stays in the table, the
            // count is not raised and no list is filled.
            EXPECT_EQ(window.tables.PresetCount, 1);
            ASSERT_EQ(window.tables.Presets.size(), 2);
            EXPECT_EQ(window.tables.Presets.at(0).label, "A");
            EXPECT_EQ(window.tables.Presets.at(1).label, "B");
            EXPECT_EQ(window.cmbCategory.ListCount(), 0);
        }
    }
}

TEST(LoadCodecs, FillsTheListsByType)
{
    CatalogueFolder folder;
    QStringList records;
    records << CodecRecord(" libx264 ", "H.264", "video codec")
            << CodecRecord("", "Automatic", "general")
            << CodecRecord("aac", "AAC", "audio codec")
            << CodecRecord("xyz", "Unknown type", "Video Codec")
            << CodecRecord("mp3", "Same text", "audio codec")
            << CodecRecord("mpeg4", "Same text", "video codec");
    // Fields in another order.
    records << "<codec>" << "<type>audio codec</type>" << "<description>Opus</description>"
            << "<name>libopus</name>" << "</codec>";
    folder.Write(kCodecsFileName, CodecsFile(records));

    MsgBoxRecorder recorder;
    CodecWindow window;
    window.cmbCVCodec.AddItem("Earlier");
    window.Load();

    EXPECT_TRUE(recorder.Messages().isEmpty());
    ASSERT_EQ(window.tables.CodecCount, 7);
    EXPECT_EQ(window.tables.Codecs.at(0).name, " libx264 ");
    EXPECT_EQ(window.tables.Codecs.at(6).name, "libopus");
    EXPECT_EQ(window.tables.Codecs.at(6).type, "audio codec");
    // Emptied first; "general" goes to both; duplicates stay; an unknown type to neither.
    EXPECT_EQ(window.cmbCVCodec.Items(), QStringList({"H.264", "Automatic", "Same text"}));
    EXPECT_EQ(window.cmbCACodec.Items(), QStringList({"Automatic", "AAC", "Same text", "Opus"}));
    EXPECT_EQ(window.cmbCVCodec.ListIndex(), 0);
    EXPECT_EQ(window.cmbCACodec.ListIndex(), 0);
}

TEST(LoadCodecs, RootLinesAreComparedTrimmedAndTheDescriptionIsTheKey)
{
    CatalogueFolder folder;
    QStringList lines{"  <?xml version=\"1.0\"?>", "   <codecs>  "};
    // A codec without a description is overwritten by the next one.
    lines << CodecRecord("lost", "", "video codec") << CodecRecord("mpeg4", "MPEG-4", "video codec")
          << CodecRecord("mp3", "MP3", "audio codec") << " </codecs>";
    folder.Write(kCodecsFileName, lines);

    MsgBoxRecorder recorder;
    CodecWindow window;
    window.Load();

    EXPECT_TRUE(recorder.Messages().isEmpty());
    ASSERT_EQ(window.tables.CodecCount, 2);
    EXPECT_EQ(window.tables.Codecs.at(0).name, "mpeg4");
    EXPECT_EQ(window.cmbCVCodec.Items(), QStringList({"MPEG-4"}));
    EXPECT_EQ(window.cmbCACodec.Items(), QStringList({"MP3"}));
}

TEST(LoadCodecs, FailuresShowTheCodecMessage)
{
    {
        // No codecs: the lists stay empty and selecting their first item fails.
        CatalogueFolder folder;
        folder.Write(kCodecsFileName, CodecsFile({}));
        MsgBoxRecorder recorder;
        CodecWindow window;
        window.Load();
        ASSERT_EQ(recorder.Messages().size(), 1);
        EXPECT_EQ(recorder.Messages().at(0).sText, kCodecsFailure + "Invalid property value");
        EXPECT_EQ(recorder.Messages().at(0).icon, MsgIcon::None);
        EXPECT_EQ(window.tables.CodecCount, 1);
        EXPECT_EQ(window.cmbCVCodec.ListCount(), 0);
        EXPECT_EQ(window.cmbCACodec.ListCount(), 0);
    }
    {
        // A failure during the scan leaves the lists as they were.
        CatalogueFolder folder;
        QStringList records = CodecRecord("mpeg4", "MPEG-4", "video codec");
        records << "<codec>" << "<name>mp3" << "<description>MP3</description>" << "<type>audio codec</type>"
                << "</codec>";
        folder.Write(kCodecsFileName, CodecsFile(records));
        MsgBoxRecorder recorder;
        CodecWindow window;
        window.cmbCACodec.AddItem("Earlier");
        window.Load();
        ASSERT_EQ(recorder.Messages().size(), 1);
        EXPECT_EQ(recorder.Messages().at(0).sText, kCodecsFailure + "Invalid procedure call or argument");
        EXPECT_EQ(window.tables.CodecCount, 1);
        EXPECT_EQ(window.tables.Codecs.at(0).name, "mpeg4");
        EXPECT_EQ(window.cmbCVCodec.ListCount(), 0);
        EXPECT_EQ(window.cmbCACodec.Items(), QStringList({"Earlier"}));
    }
    {
        CatalogueFolder folder;
        MsgBoxRecorder recorder;
        CodecWindow window;
        window.Load();
        ASSERT_EQ(recorder.Messages().size(), 1);
        EXPECT_EQ(recorder.Messages().at(0).sText, kCodecsFailure + "File not found");
        EXPECT_EQ(window.tables.CodecCount, 0);
    }
}

} // namespace
