#pragma once

#include "common/Colour.h"
#include "common/modFunctions.h"
#include "formats/CatalogueTables.h"
#include "formats/FormatChoice.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

class CVideoConv;
class DesktopTaskReport;
class ComboList;
struct CutTask;
class LinkLabel;
class Line;
class MyButton;
class MyFrame;
class PictureBox;
class PresetLists;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QRadioButton;
class QTimer;
class QWindow;
class Slider;
class VideoPreview;

// The program's one window. Every control is a public member named as the control, and that
// name is also its objectName; so are the window's fields, routines and event handlers. Its own
// bookkeeping is private. Creating the window runs its start-up sequence.
class frmMain : public QWidget {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Directions that MoveFrame takes, and the animation states it sets.
    static const QString kEditFrameUp;   // "EDIT_FRAME_UP"
    static const QString kEditFrameDown; // "EDIT_FRAME_DOWN"
    static const QString kMoveUp;        // "Edit Frame 2 Up"
    static const QString kMoveDown;      // "Edit Frame 2 Down"

    // --- Controls -------------------------------------------------------------------------
    // The main frame and its title bar.
    MyFrame *frMain = nullptr;
    MyButton *cmdMinimize = nullptr;
    MyButton *cmdClose = nullptr;
    MyButton *MyButton1 = nullptr; // Help
    MyButton *cmdAbout = nullptr;
    QLabel *Image2 = nullptr; // the logo in the title bar

    // The work area and its three steps.
    MyFrame *MyFrame1 = nullptr;
    QLabel *Label26 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label6 = nullptr;
    Line *Line2 = nullptr;
    Line *Line3 = nullptr;

    // Step 1: the preview, the slider and the selection.
    MyFrame *MyFrame3 = nullptr;
    PictureBox *picVideoWindow = nullptr;
    ::Slider *Slider = nullptr; // the time slider, whole seconds
    MyButton *cmdAddVideoFile = nullptr;
    MyButton *cmdPlay = nullptr;
    MyButton *cmdStop = nullptr;
    MyButton *cmdStartSelect = nullptr;
    MyButton *cmdEndSelect = nullptr;
    MyButton *cmdDeleteSelect = nullptr;
    QLabel *lblTime = nullptr;
    QLabel *lblStartSelect = nullptr;
    QLabel *lblEndSelect = nullptr;

    // Step 2: output format and folder.
    QLabel *Label8 = nullptr;
    QLabel *lblFormat = nullptr;
    MyButton *cmdChangeFormat = nullptr;
    QLabel *Label5 = nullptr;
    QRadioButton *optSameFolder = nullptr;
    QRadioButton *optOtherFolder = nullptr;
    QLineEdit *txtOutPath = nullptr;
    MyButton *cmdBrowse = nullptr;

    // Step 3: the task.
    QCheckBox *chkShutdown = nullptr;
    MyButton *cmdConvert = nullptr;
    QLabel *lblProgress = nullptr;
    QProgressBar *progress = nullptr;

    // The About panel.
    MyFrame *frAbout = nullptr;
    MyButton *cmdCloseHelp = nullptr;
    QLabel *Label38 = nullptr;
    QLabel *Label37 = nullptr;
    QLabel *Label39 = nullptr;
    QLabel *Label27 = nullptr;
    LinkLabel *lblFFmpeg = nullptr;
    LinkLabel *lblWebSite = nullptr;
    QLabel *lblVer = nullptr;
    QLabel *Image1 = nullptr;
    Line *Line1 = nullptr;

    // The output format panel: index 0 presets, index 1 custom.
    MyFrame *frFormats = nullptr;
    QRadioButton *optFormat[2] = {nullptr, nullptr};
    MyFrame *frFormat[2] = {nullptr, nullptr};
    QLabel *Label10 = nullptr; // "Output Category:"
    QLabel *Label11 = nullptr; // "Output Video Codec:"
    QLabel *Label12 = nullptr; // "Output File Format (Container):"
    ComboList *cmbCategory = nullptr;
    ComboList *cmbOutVCodec = nullptr;
    ComboList *cmbOutFormat = nullptr;
    MyFrame *frVideoOptions = nullptr;
    MyFrame *frAudioOptions = nullptr;
    QLabel *Label13 = nullptr; // "Output Format(Container):"
    QLabel *Label14 = nullptr; // "Output Video Codec:"
    QLabel *Label15 = nullptr; // "Bitrate:"
    QLabel *Label16 = nullptr; // "kbps"
    QLabel *Label17 = nullptr; // "Video Size:"
    QLabel *Label18 = nullptr; // "Frame rate:"
    QLabel *Label19 = nullptr; // "fps"
    QLabel *Label20 = nullptr; // "Aspect Ratio:"
    QLabel *Label21 = nullptr; // "Output Audio Codec:"
    QLabel *Label22 = nullptr; // "Bitrate:"
    QLabel *Label23 = nullptr; // "kbps"
    QLabel *Label24 = nullptr; // "Sampling Rate:"
    QLabel *Label25 = nullptr; // "Channels:"
    ComboList *cmbCustContainer = nullptr;
    ComboList *cmbCVCodec = nullptr;
    QLineEdit *txtCVBitrate = nullptr;
    ComboList *cmbCVSize = nullptr;
    QLineEdit *txtFrameRate = nullptr;
    ComboList *cmbCVAspect = nullptr;
    ComboList *cmbCACodec = nullptr;
    QLineEdit *txtCABirate = nullptr;
    ComboList *cmbCASmapleRate = nullptr;
    QLineEdit *txtChannels = nullptr;
    MyButton *cmdHide = nullptr;     // "Save && Close"
    MyButton *cmdDefaults = nullptr; // "Restore Defaults"

    // Timers: the preview's position (1000 ms) and the panel animation (5 to 40 ms).
    QTimer *tmrVideo = nullptr;
    QTimer *tmrAnimate = nullptr;

    // --- State ----------------------------------------------------------------------------
    bool bNoVideo = true;      // no video is ready for preview or cut
    QString sVideoFile;
    QString sDurationText;
    // A cut task is running (from the start of RunTask until it ends, a restarted one included);
    // Close refuses meanwhile.
    bool bTaskRunning() const { return m_pCutTask != nullptr; }

    QString sMoveObject;              // kMoveUp or kMoveDown; empty before the first slide
    MyFrame *objMovingFrame = nullptr; // frAbout or frFormats
    int lMoveStep = 0;                // twips per tick
    int lMoveInterval = 0;            // milliseconds per tick

    OleColor lColorLight = 0;
    OleColor lColorMedium = 0;
    OleColor lColorDark = 0;
    OleColor lColorText = 0;

    // The preset and codec tables, filled once at start-up.
    CatalogueTables Catalogues;

    // --- Routines -------------------------------------------------------------------------
    void InitWindow();
    void ApplyTheme();
    void MoveFrame(const QString &sDirection);
    void SlideFrameUp();
    void SlideFrameDown();
    void DragWindow(QWindow *hWnd);
    void UpdateFormatLabel();
    // The linked preset lists: refill the label and container lists for a category, and the
    // container list for a preset label of the current category, choosing their first items.
    void SetCategory(const QString &sCat);
    void SetVideoCodec(const QString &sCodec);

    // The saved settings: applied at the end of start-up, written on the close request.
    void LoadSettings();
    void SaveSettings();

    // --- Event handlers -------------------------------------------------------------------
    void frMain_MouseDown(Qt::MouseButton button);
    void cmdMinimize_Click();
    void cmdClose_Click();
    void MyButton1_Click();
    void cmdAbout_Click();
    void cmdCloseHelp_Click();
    void lblFFmpeg_Click();
    void lblWebSite_Click();
    void tmrAnimate_Timer();
    void cmdChangeFormat_Click();
    void cmdHide_Click();
    void optFormat_Click(int iIndex);

    // --- Preview, selection and cut task (frmMainPreview.cpp, frmMainSelection.cpp,
    // frmMainTask.cpp) ----------------------------------------------------------------------
    // The preview graph, seen through its four interfaces (one object). Every load makes a new
    // graph; the old one lives on in objVideoWindow until the new one takes the video window.
    std::shared_ptr<VideoPreview> objMediaControl;
    std::shared_ptr<VideoPreview> objMediaPosition;
    std::shared_ptr<VideoPreview> objBasicAudio;
    std::shared_ptr<VideoPreview> objVideoWindow;
    // The encoder job of the current or last task; a new one for every task.
    QPointer<CVideoConv> cConvert;

    QString SelectVideoFile();
    void LoadVideo(const QString &sFile);
    // Runs one task to its end; false when it was ended because the program is closing.
    bool RunTask();
    void ConvertVideo(const QString &origfile, const QString &outFile, const QString &sDuration);
    QString GetOutputFileName(const QString &sSource, const QString &sExtension);
    void EnableControls(bool bEnable);

    void cmdAddVideoFile_Click();
    void picVideoWindow_OLEDragDrop(const QStringList &lsFiles);
    void cmdPlay_Click();
    void cmdStop_Click();
    void tmrVideo_Timer();
    void Slider_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void cmdStartSelect_Click();
    void cmdEndSelect_Click();
    void cmdDeleteSelect_Click();
    void cmdConvert_Click();
    void cConvert_Progress(short iProgress);
    void cConvert_CurrentStatus(const QString &sStatus);
    void optSameFolder_Click();
    void optOtherFolder_Click();
    void cmdBrowse_Click();
    void cmdDefaults_Click(); // "Restore Defaults" (frmMainSettings.cpp)

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    static const QString kMsgStopTaskFirst; // "Please Stop the running task first."
    static const QString kMarkCleared;      // a selection label with no mark: "00.00.00"

    // What the panel holds, with the slider's selection, as the argument builder reads it.
    FormatChoice CurrentFormatChoice() const;

    void Form_Load();
    void CreateMainFrame();
    void CreateWorkArea();
    void CreateAboutPanel();
    void CreateFormatPanel();
    void CreatePresetFrame(MyFrame *frame);
    void CreateCustomFrame(MyFrame *frame);
    void ConnectShell();
    // Slides a panel up over the disabled main frame; the keyboard goes with it.
    void OpenPanel(MyFrame *panel);
    // A parked panel is disabled; the one that slides up takes the keyboard.
    void UnparkPanel();
    void FocusFirstControl(QWidget *area);
    void ConnectFormatPanel();

    void ConnectPreview();
    void ConnectSelection();
    void ConnectTask();
    void ConnectSettings();
    void ConnectKeys(); // frmMainKeys.cpp
    void OpenVideo(const QString &sFile);
    void EndTaskForClose();
    void ReleasePreview();
    void RemoveUnfinishedOutput(CutTask &task);
    // Says so when the encoder wrote much less than the selection (the file is kept).
    void WarnOfShortOutput(double dWritten, WholeSeconds iSelected);

    // The task that runs now (on the stack of RunTask), nullptr between tasks.
    CutTask *m_pCutTask = nullptr;
    // The task's progress and end as the desktop hears of them.
    DesktopTaskReport *m_pTaskReport = nullptr;

    // The control that had the keyboard before a panel came up; it gets it back after.
    QPointer<QWidget> m_objMainFocus;

    // The encoder's check of the file being loaded, while it runs, and a count of the loads
    // begun and checks stopped: a load whose check returns to a changed count ends quietly.
    QPointer<CVideoConv> m_objFileCheck;
    unsigned m_iLoads = 0;
    // The length the check read from the streams of a file whose container states none (0 for
    // the others): it stands in for the graph's, which knows no more than it has played.
    double m_dStreamDuration = 0.0;
    void StopFileCheck();

    // The click handling of cmbCategory and cmbOutVCodec. It goes before the lists do.
    std::unique_ptr<PresetLists> objPresetLists;
};
