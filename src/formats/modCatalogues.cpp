#include "formats/modCatalogues.h"

#include "common/AppPath.h"
#include "common/MessageBox.h"
#include "common/RunTimeError.h"
#include "common/modFunctions.h"
#include "formats/modFormatHelpers.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdint>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

const QString kPresetsFileName = QStringLiteral("presets.xml");
const QString kCodecsFileName = QStringLiteral("codecs.xml");

namespace {
const QString kPresetsLoadError = QStringLiteral("Error Occured while Loading Presets.");
const QString kCodecsLoadError = QStringLiteral("Error Occured while Loading Codecs.");
const QString kLineBreak = QStringLiteral("\r\n");
const QString kDeclarationLine = QStringLiteral("<?xml version=\"1.0\"?>");
const QString kPresetsOpenLine = QStringLiteral("<presets>");
const QString kPresetsCloseLine = QStringLiteral("</presets>");
const QString kCodecsOpenLine = QStringLiteral("<codecs>");
const QString kCodecsCloseLine = QStringLiteral("</codecs>");
const QString kClosingMark = QStringLiteral("</");
const QString kVideoType = QStringLiteral("video codec");
const QString kAudioType = QStringLiteral("audio codec");
const QString kGeneralType = QStringLiteral("general");
const QString kFileNotFoundText = QStringLiteral("File not found");
const QString kFileAccessText = QStringLiteral("Path/File access error");
const QString kSubscriptText = QStringLiteral("Subscript out of range");
constexpr int kPathFileAccessError = 75;

// The line counter of the scan is a signed 16-bit number: a file with lines past index 32767
// overflows it when the scan steps there.
constexpr std::int32_t kLastCountableLine = std::numeric_limits<std::int16_t>::max();

template <typename Entry>
struct RecordShape {
    int iFieldLines;                                          // field lines after the opening line
    QString Entry::*keyField;                                 // a filled key begins a new slot
    std::vector<std::pair<QString, QString Entry::*>> fields; // tag -> field
};

QString ReadWholeFile(const QString &sPath)
{
    if (!QFileInfo::exists(sPath))
        throw RunTimeError(RunTimeError::FileNotFound, kFileNotFoundText);
    // Only a regular file is a catalogue. A FIFO's open would wait for a writer for ever, and a
    // device's read may never end; without O_NONBLOCK the open alone blocks before any check.
    // The type is checked on the opened descriptor, so nothing can swap the file in between.
    const int iFd = ::open(QFile::encodeName(sPath).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (iFd < 0)
        throw RunTimeError(kPathFileAccessError, kFileAccessText);
    struct stat status = {};
    QFile file;
    if (::fstat(iFd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(iFd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(iFd);
        throw RunTimeError(kPathFileAccessError, kFileAccessText);
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RunTimeError(kPathFileAccessError, kFileAccessText);
    return FromSystemText(bytes);
}

class LineCounter {
public:
    explicit LineCounter(const QStringList &lines) : m_lines(lines) {}

    std::int32_t Value() const { return m_n; }
    bool AtEnd() const { return m_n >= m_lines.size(); }

    // Steps the counter on by iLines.
    void Advance(std::int32_t iLines)
    {
        const std::int64_t lNext = static_cast<std::int64_t>(m_n) + iLines;
        if (lNext > kLastCountableLine && m_lines.size() > kLastCountableLine + 1)
            throw RunTimeError::MakeOverflow();
        m_n = static_cast<std::int32_t>(lNext);
    }

    // The line iOffset lines after the counter, which must exist.
    const QString &LineAfter(std::int32_t iOffset) const
    {
        const std::int64_t lIndex = static_cast<std::int64_t>(m_n) + iOffset;
        if (lIndex > kLastCountableLine)
            throw RunTimeError::MakeOverflow();
        if (lIndex >= m_lines.size())
            throw RunTimeError(RunTimeError::SubscriptOutOfRange, kSubscriptText);
        return m_lines.at(static_cast<int>(lIndex));
    }

private:
    const QStringList &m_lines;
    std::int32_t m_n = 0;
};

// Reads one field line into slot. Positions follow the file format's definition: 1-based,
// 0 when the text is absent.
template <typename Entry>
void ReadFieldLine(const QString &sLine, const RecordShape<Entry> &shape, Entry &slot)
{
    const int iP = sLine.indexOf(QLatin1Char('<')) + 1;
    const int iQ = sLine.indexOf(QLatin1Char('>')) + 1;
    const int iTagLength = iQ - iP - 1;
    if (iTagLength < 0)
        throw MakeInvalidProcedureCall();
    const QString sTag = sLine.mid(iP, iTagLength);
    const int iE = sLine.indexOf(kClosingMark + sTag, 0, Qt::CaseInsensitive) + 1;
    for (const auto &field : shape.fields) {
        if (sTag != field.first)
            continue;
        const int k = static_cast<int>(field.first.size());
        const int iValueLength = iE - iP - k - 2;
        if (iValueLength < 0)
            throw MakeInvalidProcedureCall();
        slot.*(field.second) = sLine.mid(iP + k + 1, iValueLength);
        return;
    }
}

// Scans the lines into table / iCount. On return (and after a throw) iCount is the index of the
// slot that was being filled; the caller raises it by one after a complete scan.
template <typename Entry>
void ScanRecords(const QStringList &lines, bool (*isSkipLine)(const QString &),
                 const RecordShape<Entry> &shape, QVector<Entry> &table, std::int32_t &iCount)
{
    table.resize(iCount + 1);
    LineCounter n(lines);
    while (!n.AtEnd()) {
        const QString &sLine = n.LineAfter(0);
        if (isSkipLine(sLine) || sLine.isEmpty() || sLine.contains(kClosingMark)) {
            n.Advance(1);
            continue;
        }
        if (!(table[iCount].*(shape.keyField)).isEmpty())
            iCount = CheckedAdd(iCount, 1);
        table.resize(iCount + 1);
        for (int j = 1; j <= shape.iFieldLines; ++j)
            ReadFieldLine(n.LineAfter(j), shape, table[iCount]);
        n.Advance(shape.iFieldLines + 2);
    }
}

bool IsPresetsSkipLine(const QString &sLine)
{
    return sLine == kDeclarationLine || sLine == kPresetsOpenLine || sLine == kPresetsCloseLine;
}

bool IsCodecsSkipLine(const QString &sLine)
{
    const QString sTrimmed = TrimSpaces(sLine);
    return sTrimmed == kDeclarationLine || sTrimmed == kCodecsOpenLine || sTrimmed == kCodecsCloseLine;
}

// The file's lines, or an empty list when the file holds nothing but blanks.
QStringList ReadCatalogueLines(const QString &sFileName)
{
    const QString sText = ReadWholeFile(AppPath() + QLatin1Char('/') + sFileName);
    if (TrimSpaces(sText).isEmpty())
        return {};
    // Only CR LF ends a line; a lone LF stays inside it.
    return sText.split(kLineBreak, Qt::KeepEmptyParts);
}

void ShowLoadFailure(const QString &sFirstLine, const RunTimeError &error)
{
    MsgBox(sFirstLine + kLineBreak + error.Description(), MsgIcon::None);
}
} // namespace

void LoadPresets(CatalogueTables &tables, ListControl &cmbCategory)
{
    static const RecordShape<PresetEntry> shape{
        4,
        &PresetEntry::category,
        {{QStringLiteral("label"), &PresetEntry::label},
         {QStringLiteral("params"), &PresetEntry::params},
         {QStringLiteral("extension"), &PresetEntry::extension},
         {QStringLiteral("category"), &PresetEntry::category}}};
    try {
        const QStringList lines = ReadCatalogueLines(kPresetsFileName);
        if (lines.isEmpty())
            return;
        ScanRecords(lines, IsPresetsSkipLine, shape, tables.Presets, tables.PresetCount);
        tables.PresetCount = CheckedAdd(tables.PresetCount, 1);
        const int iSlots = qMin<std::int32_t>(tables.PresetCount, tables.Presets.size());
        for (int i = 0; i < iSlots; ++i) {
            const QString &sCategory = tables.Presets.at(i).category;
            if (!cmbCategory.Contains(sCategory))
                cmbCategory.AddItem(sCategory);
        }
        cmbCategory.setListIndex(0);
    } catch (const RunTimeError &error) {
        ShowLoadFailure(kPresetsLoadError, error);
    }
}

void LoadCodecs(CatalogueTables &tables, ListControl &cmbCVCodec, ListControl &cmbCACodec)
{
    static const RecordShape<CodecEntry> shape{
        3,
        &CodecEntry::description,
        {{QStringLiteral("name"), &CodecEntry::name},
         {QStringLiteral("description"), &CodecEntry::description},
         {QStringLiteral("type"), &CodecEntry::type}}};
    try {
        const QStringList lines = ReadCatalogueLines(kCodecsFileName);
        if (lines.isEmpty())
            return;
        ScanRecords(lines, IsCodecsSkipLine, shape, tables.Codecs, tables.CodecCount);
        tables.CodecCount = CheckedAdd(tables.CodecCount, 1);
        cmbCVCodec.Clear();
        cmbCACodec.Clear();
        const int iSlots = qMin<std::int32_t>(tables.CodecCount, tables.Codecs.size());
        for (int i = 0; i < iSlots; ++i) {
            const CodecEntry &codec = tables.Codecs.at(i);
            if (codec.type == kVideoType) {
                cmbCVCodec.AddItem(codec.description);
            } else if (codec.type == kAudioType) {
                cmbCACodec.AddItem(codec.description);
            } else if (codec.type == kGeneralType) {
                cmbCVCodec.AddItem(codec.description);
                cmbCACodec.AddItem(codec.description);
            }
        }
        cmbCVCodec.setListIndex(0);
        cmbCACodec.setListIndex(0);
    } catch (const RunTimeError &error) {
        ShowLoadFailure(kCodecsLoadError, error);
    }
}
