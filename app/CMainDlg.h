#pragma once

#include "FileCommands.h"
#include "document/CoverDocument.h"
#include "print/LabelStock.h"

#include <QDialog>
#include <QHash>
#include <optional>

class CDVDCoverButton;
class CFlatHoverButton;
class CMyDiscButton;
class CMyFlatButton;
class CSlimlineCoverButton;
class CTransparentStatic;
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

    CoverDocument &document() { return m_doc; }
    const CoverDocument &document() const { return m_doc; }
    CoverWindowState &windowState() { return m_state; }
    QString filePath() const { return m_state.filePath; }
    void setFilePath(const QString &path) { m_state.filePath = path; }
    bool isModified() const { return m_state.modified; }

    Face currentView() const;
    // The geometry the previews are drawn at; none for cover type 3.
    const std::optional<LabelStock> &currentGeometry() const { return m_geometry; }

    QWidget *control(int id) const { return m_controls.value(id); }
    CFlatHoverButton *button(int id) const;
    CMyFlatButton *cdFrontPreview() const { return m_cdFront; }
    CMyFlatButton *cdBackPreview() const { return m_cdBack; }
    CDVDCoverButton *dvdPreview() const { return m_dvd; }
    CSlimlineCoverButton *slimlinePreview() const { return m_slimline; }
    CMyDiscButton *discPreview() const { return m_disc; }
    // The preview of the current face; none for cover type 3.
    QWidget *currentPreview() const;

    // Disc-label position chosen in the Print dialog.
    bool useTopDiscLabel = true;
    // Show state of the templates window: 0 hidden, 5 shown.
    int templatesShown = 0;
    bool templatesPlaced = false;
    // The last picture chosen or dropped: where the picture dialog starts.
    QString lastPath;

    // The About box, run modally.
    void showAboutBox();
    // The pop-up menu that stands in for the system menu ("&About...").
    QMenu *windowMenu() const { return m_windowMenu; }
    CFlatHoverButton *aboutButton() const { return m_aboutButton; }

    // Ends the first modal run after its first complete paint and prints
    // the time since process start (DISCORA_BENCH_EXIT_AFTER_PAINT).
    void setExitAfterFirstPaint(bool on) { m_exitAfterFirstPaint = on; }

protected:
    void reject() override; // Exit, the close box
    void paintEvent(QPaintEvent *event) override;
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

    // views
    void onViewFront();
    void onViewBack();
    void onViewDisc();
    void finishViewSwitch();
    void showAlignmentRow(bool shown);
    void tickAlignment(int alignment);
    void showPictureButtonFor(const QByteArray &picturePath);
    void showOnlyPreview(QWidget *preview);
    void layoutForCoverType();
    void setUpCoverType();

    // commands
    void endRun(std::optional<int> result);
    void onAlignment(int alignment);
    void onExtendImageOption();
    void onBorderOption();
    void onHelp();
    void dropFile(const QString &name);

    CoverDocument m_doc;
    CoverWindowState m_state;
    FileCommands m_fileCommands;
    std::optional<LabelStock> m_geometry;

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
    CFlatHoverButton *m_aboutButton = nullptr;

    bool m_exitAfterFirstPaint = false;
    bool m_firstPaintSeen = false;
};
