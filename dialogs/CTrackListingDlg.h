#pragma once

#include "document/TrackListing.h"

#include <QByteArray>
#include <QDialog>

class QLabel;
class QLineEdit;
class CEditGrid;
class CFlatHoverButton;
class CTransparentStatic;
class TrackListingImporter;

// "Edit Track Listing": the track listing and spine text of a CD cover's
// back inlay, a grid of number, title and length per track. The caller
// fills the three members, runs the dialog, and after OK reads the two
// texts back; Cancel leaves them as they came. Texts are the document's
// bytes; cells and the spine text that are not edited come back byte for
// byte.
class CTrackListingDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTrackListingDlg(QWidget *parent = nullptr);

    // In: the document's bCoverText in the "[DELIM]" encoding; out: the
    // edited listing, every row's three cells followed by LF CR.
    QByteArray trackText;
    // In: backCoverSpineText; out: the edited spine text.
    QByteArray spineText;
    // Shows the "Spine Text:" label and field.
    bool showSpineText = true;

    // The first time the dialog shows, the controls are filled from the
    // members.
    void setVisible(bool visible) override;

    // OK: refuses a text that holds one of the cover file's tags (a message
    // names the text, which is selected for changing); otherwise stores
    // the grid (without the empty rows after the last track) and the
    // spine field into the members and closes.
    void accept() override;

    // Insert Track: a new row at the current row, or after it when it is
    // the last; it becomes the current row.
    void insertTrack();
    // Remove Track: removes the current row; the row that moves up into its
    // place becomes current.
    void removeTrack();
    // Tracks that OK would store: rows up to the last with a title or a
    // length.
    int storedTrackCount() const;
    // An import's rows in place of every row; the spine text too when the
    // field is empty.
    void replaceRows(const QList<TrackRow> &rows, const QByteArray &spine);
    // Move Up (-1) and Move Down (1): the selected rows, then renumbers.
    void moveTracks(int delta);
    // Writes "1.", "2.", ... into the number column, unless a number cell
    // other than the last row's holds anything but digits and dots.
    void renumber();

    // For tests and the layout.
    CEditGrid *grid() const { return m_grid; }
    QLineEdit *spineField() const { return m_spineField; }
    CTransparentStatic *spineLabel() const { return m_spineLabel; }
    CFlatHoverButton *okButton() const { return m_ok; }
    CFlatHoverButton *cancelButton() const { return m_cancel; }
    CFlatHoverButton *insertButton() const { return m_insert; }
    CFlatHoverButton *removeButton() const { return m_remove; }
    CFlatHoverButton *importButton() const { return m_import; }
    CFlatHoverButton *moveUpButton() const { return m_moveUp; }
    CFlatHoverButton *moveDownButton() const { return m_moveDown; }
    // "Total time: 43:12" under the grid, the sum of the lengths that read
    // as m:ss or h:mm:ss; empty when there is none.
    CTransparentStatic *totalLabel() const { return m_total; }
    TrackListingImporter *importer() const { return m_importer; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildControls();
    void initialise();
    void fillRow(int row, const QList<QByteArray> &cells);
    void rowsChanged();
    void updateTotal();
    QByteArray spineBytes() const;
    bool refuseFileTag(const QByteArray &bytes, const QString &what);
    void openHelp();

    bool m_initialised = false;
    // What came in, for the spine field's bytes when it is left as it was.
    QByteArray m_spineIn;

    QLabel *m_logo = nullptr;
    CTransparentStatic *m_heading = nullptr;
    CTransparentStatic *m_spineLabel = nullptr;
    CTransparentStatic *m_tracksLabel = nullptr;
    QLineEdit *m_spineField = nullptr;
    CEditGrid *m_grid = nullptr;
    CFlatHoverButton *m_ok = nullptr;
    CFlatHoverButton *m_cancel = nullptr;
    CFlatHoverButton *m_insert = nullptr;
    CFlatHoverButton *m_remove = nullptr;
    CFlatHoverButton *m_import = nullptr;
    CFlatHoverButton *m_moveUp = nullptr;
    CFlatHoverButton *m_moveDown = nullptr;
    CTransparentStatic *m_total = nullptr;
    TrackListingImporter *m_importer = nullptr;
};
