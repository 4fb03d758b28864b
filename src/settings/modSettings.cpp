#include "settings/modSettings.h"

#include "common/RunTimeError.h"
#include "common/modFunctions.h"
#include "settings/CRegister.h"
#include "platform/RegistryWriteBatch.h"
#include "settings/SettingsControls.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <functional>

const QString kSettingsSection = QStringLiteral("Software\\Orvanta Clipwright\\Settings");

namespace {
// One stored value: its name (the control's) and what a read gives when nothing is stored.
struct SavedValue {
    QString sName;
    QString sDefault;
};

// The 17 values, in the order in which they are saved and loaded.
const SavedValue kOtherFolder{QStringLiteral("optOtherFolder"), QStringLiteral("True")};
const SavedValue kSameFolder{QStringLiteral("optSameFolder"), QStringLiteral("False")};
// Its default lies in the user's Videos folder: see DefaultOutputFolder.
const QString kOutPathName = QStringLiteral("txtOutPath");
const SavedValue kFormatMode{QStringLiteral("optFormat"), QStringLiteral("0")};
// Category first: choosing it refills the label and container lists. Then the label, which
// refills the container list, and only then the container's own position.
const SavedValue kLists[] = {
    {QStringLiteral("cmbCategory"), QStringLiteral("1")},
    {QStringLiteral("cmbOutVCodec"), QStringLiteral("1")},
    {QStringLiteral("cmbOutFormat"), QStringLiteral("1")},
    {QStringLiteral("cmbCustContainer"), QStringLiteral("2")}, // "AVI"
    {QStringLiteral("cmbCACodec"), QStringLiteral("1")},
    {QStringLiteral("cmbCASmapleRate"), QStringLiteral("4")}, // "22.05 KHz"
    {QStringLiteral("cmbCVCodec"), QStringLiteral("1")},
    {QStringLiteral("cmbCVSize"), QStringLiteral("0")},   // "[As Input]"
    {QStringLiteral("cmbCVAspect"), QStringLiteral("0")}, // "[As Input]"
};
const SavedValue kCustomBoxes[] = {
    {QStringLiteral("txtCABirate"), QStringLiteral("64")},
    {QStringLiteral("txtChannels"), QStringLiteral("2")},
    {QStringLiteral("txtCVBitrate"), QStringLiteral("320")},
    {QStringLiteral("txtFrameRate"), QStringLiteral("25")},
};

const QString kDefaultOutputFolderName = QStringLiteral("Cut Files");
const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");
const QString kPresetsMode = QStringLiteral("0");
const QString kCustomMode = QStringLiteral("1");

// One value of a load or a save: whatever fails in it is dropped, and the next one runs.
template <typename Step>
void RunStep(Step &&step)
{
    try {
        step();
    } catch (const RunTimeError &) {
    }
}

QString Read(const SavedValue &value)
{
    return CRegister().REGGetSetting(kSettingsRoot, kSettingsSection, value.sName, value.sDefault);
}

void Write(const QString &sName, const QString &sValue)
{
    // A value that cannot be written keeps what is stored; nothing is said.
    CRegister().REGSaveSetting(kSettingsRoot, kSettingsSection, sName, sValue);
}
} // namespace

QString UserVideosFolder()
{
    // A default folder below a missing Videos folder could not be made (one level only), and the
    // first Start would do nothing; the home folder is always there.
    const QString sVideos = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    return !sVideos.isEmpty() && QFileInfo(sVideos).isDir() ? sVideos : QDir::homePath();
}

QString DefaultOutputFolder()
{
    return QDir(UserVideosFolder()).filePath(kDefaultOutputFolderName);
}

QString OptionStateText(bool bValue)
{
    return bValue ? kTrue : kFalse;
}

bool OptionStateFromText(const QString &sText)
{
    const QString sState = sText.trimmed();
    if (sState.compare(kTrue, Qt::CaseInsensitive) == 0)
        return true;
    if (sState.compare(kFalse, Qt::CaseInsensitive) == 0)
        return false;
    bool bNumber = false;
    const double dValue = sState.toDouble(&bNumber);
    if (!bNumber)
        throw RunTimeError::MakeTypeMismatch();
    return dValue != 0.0;
}

SettingsValues SettingsValuesFrom(const SettingsControls &controls)
{
    SettingsValues values;
    const auto Take = [&values](const QString &sName, const std::function<QString()> &read) {
        RunStep([&] { values.append({sName, read()}); });
    };
    for (const SavedValue *option : {&kOtherFolder, &kSameFolder})
        Take(option->sName, [&] { return OptionStateText(controls.OptionValue(option->sName)); });
    Take(kOutPathName, [&] { return controls.BoxText(kOutPathName); });
    Take(kFormatMode.sName, [&] { return controls.FormatOptionValue(0) ? kPresetsMode : kCustomMode; });
    for (const SavedValue &list : kLists)
        Take(list.sName, [&] { return QString::number(controls.ListPosition(list.sName)); });
    for (const SavedValue &box : kCustomBoxes)
        Take(box.sName, [&] { return controls.BoxText(box.sName); });
    return values;
}

void SaveSettingsValues(const SettingsValues &values)
{
    // The values go to the file together, in one write, when the batch ends.
    RegistryWriteBatch batch(kSettingsRoot);
    for (const auto &value : values)
        RunStep([&] { Write(value.first, value.second); });
}

void SaveSettingsFrom(const SettingsControls &controls)
{
    SaveSettingsValues(SettingsValuesFrom(controls));
}

void LoadSettingsInto(SettingsControls &controls)
{
    for (const SavedValue *option : {&kOtherFolder, &kSameFolder})
        RunStep([&] { controls.setOptionValue(option->sName, OptionStateFromText(Read(*option))); });
    RunStep([&] { controls.setBoxText(kOutPathName, Read({kOutPathName, DefaultOutputFolder()})); });
    // The folder box and Browse are of no use while the output goes next to the input file. They
    // are enabled again otherwise, so a reset to "Other folder" leaves the box usable.
    RunStep([&] { controls.setOutputFolderEnabled(!controls.OptionValue(kSameFolder.sName)); });
    RunStep([&] { controls.setFormatOption(TextToInt(Read(kFormatMode))); });
    RunStep([&] { controls.BringFormatFrameToFront(TextToInt(Read(kFormatMode))); });
    for (const SavedValue &list : kLists)
        RunStep([&] { controls.setListPosition(list.sName, TextToInt(Read(list))); });
    // These texts go into the encoder's arguments: one that typing could not have given (blanks,
    // a second file name) must not reach them.
    for (const SavedValue &box : kCustomBoxes)
        RunStep([&] {
            const QString sText = Read(box);
            controls.setBoxText(box.sName, controls.BoxTakes(box.sName, sText) ? sText : box.sDefault);
        });
    RunStep([&] { controls.UpdateFormatLabel(); });
}

bool DeleteSavedSettings()
{
    // An empty value name deletes the key itself, with all its values.
    return CRegister().REGDeleteSetting(kSettingsRoot, kSettingsSection, QString());
}
