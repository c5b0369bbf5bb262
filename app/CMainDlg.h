#pragma once

#include "FaceCommands.h"
#include "FileCommands.h"
#include "TemplateCommands.h"
#include "document/CoverDocument.h"
#include "document/CoverSession.h"
#include "print/CoverFaces.h"
#include "render/CachingPictureSource.h"

#include <QDialog>
#include <QHash>
#include <optional>

class CDVDCoverButton;
class CFacePreviewButton;
class CFlatHoverButton;
class CTemplatesDlg;
class CMyDiscButton;
class CMyFlatButton;
class PreviewArea;
class QComboBox;
class CSlimlineCoverButton;
class CTransparentStatic;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;

// The main window: one cover document with a live preview of the face in
// view (back, front or disc), the file buttons, the tools and options of the
// face, Print and Exit. The application loop runs it modally, again and
// again: every run starts from a new cover and reads `filePath` when set.
class CMainDlg : public QDialog {
    Q_OBJECT
public:
    explicit CMainDlg(QWidget *parent = nullptr);
    ~CMainDlg() override;

    // One modal run: initialisation, then the dialog loop through
    // UiHost::execDialog. Returns the result the run ended with.
    int runModal();
    // Resets the window to a new cover of the stored type (reading
    // `filePath` when set) in the back view.
    void initDialog();
    // Copies the current face's fields into its preview and repaints it.
    void refreshPreviews();

    // The cover: every change of it goes through the session.
    CoverSession &session() { return m_session; }
    const CoverDocument &document() const { return m_session.document(); }
    QString filePath() const { return m_session.filePath(); }
    void setFilePath(const QString &path) { m_session.setFilePath(path); }
    // The next run opens the cover at `path` as a recovered one: modified,
    // without a file name.
    void setRecoveredPath(const QString &path) { m_recoveredPath = path; }
    bool isModified() const { return m_session.isModified(); }

    Face currentView() const { return m_view; }
    // The geometry the previews are drawn at; none for cover type 3.
    const std::optional<CoverFaces> &coverFaces() const { return m_faces; }

    QWidget *control(int id) const { return m_controls.value(id); }
    CFlatHoverButton *button(int id) const;
    CMyFlatButton *cdFrontPreview() const { return m_cdFront; }
    CMyFlatButton *cdBackPreview() const { return m_cdBack; }
    CDVDCoverButton *dvdPreview() const { return m_dvd; }
    CMyDiscButton *discPreview() const { return m_disc; }
    // The preview of the current face; none for cover type 3.
    CFacePreviewButton *currentPreview() const;
    // Where the previews are shown and zoomed; the zoom control under it.
    PreviewArea *previewArea() const { return m_previewArea; }
    QComboBox *zoomBox() const { return m_zoomBox; }
    // The sheet previews' overlay of part names (from the preview's context
    // menu).
    QAction *partNamesAction() const { return m_partNamesAction; }
    // The decoded pictures the previews keep between paints.
    const CachingPictureSource &previewPictures() const { return m_pictures; }

    // Disc-label position chosen in the Print dialog.
    DiscLabelPosition discLabelPosition = DiscLabelPosition::Top;
    CTemplatesDlg *templatesWindow() const { return m_templates; }
    // Show state of the templates window: 0 hidden, 5 shown.
    int templatesShown = 0;
    bool templatesPlaced = false;
    // The last picture chosen or dropped: where the picture dialog starts.
    QString lastPath;

    // The About box, run modally.
    void showAboutBox();
    // The pop-up menu that stands in for the system menu: undo, redo and
    // "&About...".
    QMenu *windowMenu() const { return m_windowMenu; }
    QAction *undoAction() const { return m_undoAction; }
    QAction *redoAction() const { return m_redoAction; }
    QAction *saveAsAction() const { return m_saveAsAction; }
    CFlatHoverButton *aboutButton() const { return m_aboutButton; }

    // Ends the first modal run after its first complete paint and prints
    // the time since process start (DISCORA_BENCH_EXIT_AFTER_PAINT).
    void setExitAfterFirstPaint(bool on) { m_exitAfterFirstPaint = on; }

protected:
    void reject() override; // Exit, the close box
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // construction
    void createControls();
    CFlatHoverButton *addToolButton(int id, const QString &text, const QIcon &icon,
        const QRect &rect, QWidget *parent = nullptr);
    CFlatHoverButton *addCheckButton(int id, const QString &text, const QRect &rect);
    void styleToolButtons();
    void setToolTips();
    void connectCommands();

    void createUndoActions();
    void createUndoButtons();

    // layout (CMainDlgLayout.cpp)
    void createPreviewArea();
    void createZoomRow();
    // Remembers where every control is at the default size: a larger window
    // moves the right-hand column and the zoom row, and grows the preview.
    void rememberHomePlaces();
    void placeForSize();
    void restoreWindowState();
    void storeWindowState() const;
    void syncZoomBox(int zoom);

    void positionPicture();

    // views
    // A click on a view button: switches to `view` (a click on the view
    // in show changes nothing).
    void onViewButton(Face view);
    void switchView(Face view);
    // Sets the controls that go with the view from the cover.
    void showViewControls();
    void showAlignmentRow(bool shown);
    void tickAlignment(int alignment);
    void showOnlyPreview(CFacePreviewButton *preview);
    void layoutForCoverType();
    void setUpCoverType();
    void onSessionChanged();
    // The title bar: the cover's file name (or "Untitled cover") and the
    // unsaved-changes mark.
    void showFileInTitle();
    void createFileKeys();

    // commands
    void endRun(std::optional<int> result);
    void onHelp();
    void dropFile(const QString &name);

    CoverSession m_session;
    FileCommands m_fileCommands;
    FaceCommands m_faceCommands;
    CTemplatesDlg *m_templates = nullptr; // modeless, owned by this window
    std::optional<TemplateCommands> m_templateCommands;
    Face m_view = Face::Back;
    std::optional<CoverFaces> m_faces;

    QHash<int, QWidget *> m_controls;
    QWidget *m_banner = nullptr;
    QLabel *m_logo = nullptr;
    CTransparentStatic *m_title = nullptr;
    CTransparentStatic *m_version = nullptr;
    CTransparentStatic *m_alignLabel = nullptr;
    CTransparentStatic *m_noPreview = nullptr; // in place of a preview for cover type 3
    QGroupBox *m_toolsGroup = nullptr;
    QGroupBox *m_optionsGroup = nullptr;
    CMyFlatButton *m_cdFront = nullptr;
    CMyFlatButton *m_cdBack = nullptr;
    CDVDCoverButton *m_dvd = nullptr;
    CSlimlineCoverButton *m_slimline = nullptr;
    CMyDiscButton *m_disc = nullptr;
    QMenu *m_windowMenu = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
    CFlatHoverButton *m_aboutButton = nullptr;
    PreviewArea *m_previewArea = nullptr;
    QComboBox *m_zoomBox = nullptr;
    QAction *m_partNamesAction = nullptr;
    QAction *m_partNamesSeparator = nullptr;
    QAction *m_saveAsAction = nullptr;
    // Each preview's place at the default window size, in window coordinates.
    QHash<QWidget *, QRect> m_previewPlaces;
    QHash<QWidget *, QRect> m_homePlaces;
    QSize m_defaultSize;
    CachingPictureSource m_pictures;

    bool m_exitAfterFirstPaint = false;
    bool m_firstPaintSeen = false;
    QString m_recoveredPath;
};
