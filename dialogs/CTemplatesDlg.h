#pragma once

#include "TemplatePictures.h"
#include "document/CoverDocument.h"

#include <QByteArray>
#include <QDialog>
#include <QImage>
#include <QList>
#include <QString>
#include <functional>

class CFlatHoverButton;
class QLabel;
class QListWidget;

// "Templates": ready-made cover pictures shown as 60 x 60 thumbnails. A
// click (or a left or right arrow) puts a template on the cover at once,
// OK keeps it, Cancel puts back the pictures the cover had when the window
// was shown. Modeless and owned by the main window, which creates it hidden
// and toggles it with chooseTemplate(). The window never touches the cover
// itself: it says what to write through templateApplied and
// picturesRestored.
//
// A template is a set of pictures in the template folder whose names differ
// only in the marker "[BACK]", "[FRONT]" or "[DISC]"; the list shows the
// "[BACK]" ones. The list holds the user's own sets (UserTemplates) first,
// then the program's: "Save as Template..." makes one from the cover,
// "Remove" deletes one of the user's (never one of the program's).
class CTemplatesDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kThumbnailSize = 60;

    explicit CTemplatesDlg(QWidget *owner = nullptr);
    ~CTemplatesDlg() override;

    // CLIPART in the program's data folder.
    static QString defaultTemplateFolder();

    // What the main window does when it initialises: the window is to list
    // the templates of `folder` for a cover of `coverType`, with the entries
    // labelled like `backImagePath` selected. Nothing is applied yet. The
    // folder is read and the thumbnails are decoded when the list is first
    // shown or used, not here: most covers are made without this window,
    // and decoding every template would delay each new cover's window.
    void openFolder(int coverType, const QByteArray &backImagePath,
        const QString &folder = defaultTemplateFolder());
    // Whether the list holds the folder openFolder named (it was shown or
    // used since).
    bool listFilled() const { return !m_listStale; }

    // The main window's view: disc-shaped thumbnails in the disc view.
    void setDiscView(bool discView);
    bool discView() const { return m_discView; }

    // The "Choose Template" button: `templatesShown` flips between 0 and 5;
    // the first showing after the main window initialised (`templatesPlaced`
    // false) moves the window to firstPosition(ownerFrame); the cover's
    // pictures and picture layout are kept for Cancel; then the window is
    // shown or hidden.
    void chooseTemplate(int &templatesShown, bool &templatesPlaced, const QRect &ownerFrame,
        const CoverDocument &doc);
    // The owner's left edge, at its vertical middle (screen coordinates of
    // the owner's frame; the window keeps its size).
    static QPoint firstPosition(const QRect &ownerFrame);

    // Applies list entry `row` as a click does.
    void applyTemplate(int row);

    // Where "Save as Template..." takes the cover from (the main window's
    // current cover); without it the button is disabled.
    void setCoverSource(std::function<CoverDocument()> source);
    // "Save as Template...": asks for a name (again after a name that cannot
    // be used), asks before replacing a set of that name, writes the cover's
    // picture layer as a set of the user's (TemplateSetImages) and selects
    // it in the list.
    void saveAsTemplate();
    // "Remove": after asking, deletes the selected set when it is one of the
    // user's own.
    void removeSelectedTemplate();
    // "Open My Templates Folder": makes the folder when needed and hands it
    // to the desktop.
    void openUserFolder();
    // Whether list entry `row` is one of the user's own sets.
    bool isOwnTemplate(int row);

    // Showing the window fills its list first.
    void setVisible(bool visible) override;

    // A template's label: the file name up to its last ".", after its last
    // "-", trimmed. A name without "." has an empty label.
    static QString templateLabel(const QString &fileName);
    // The name of the `marker` ("[FRONT]" or "[DISC]") picture of the set
    // whose "[BACK]" picture is `name`; a name that carries `marker` already
    // is its own sibling.
    static QString siblingName(const QString &name, const QString &marker);

    // Thumbnail of the picture at `path`, decoded by the picture loader at
    // the smallest size that still covers the thumbnail: stretched on white,
    // clipped to a disc when `disc`, framed in grey. Null when the picture
    // does not load.
    static QImage makeThumbnail(const QString &path, bool disc);

    // For the window and tests. The list, its names and its thumbnails are
    // those of the folder openFolder named: asking for them fills the list.
    int coverType() const { return m_coverType; }
    // File names of the listed templates, in list order.
    QStringList templateNames();
    // The entry applied last; -1 when none since openFolder.
    int currentIndex() const { return m_currentIndex; }
    QListWidget *list();
    // The thumbnail list entry `row` shows.
    QImage thumbnail(int row);
    CFlatHoverButton *okButton() const { return m_ok; }
    CFlatHoverButton *cancelButton() const { return m_cancel; }
    CFlatHoverButton *linkButton() const { return m_link; }
    CFlatHoverButton *saveButton() const { return m_save; }
    CFlatHoverButton *removeButton() const { return m_remove; }
    CFlatHoverButton *folderButton() const { return m_folderLink; }

    // OK and closing keep the template; Cancel (and Escape) take it back.
    void accept() override;
    void reject() override;

Q_SIGNALS:
    // The cover is to get these pictures now (and its previews refreshed).
    void templateApplied(const TemplatePictures &pictures);
    // Cancel: the pictures and the picture layout the cover had when the
    // window was shown.
    void picturesRestored(const TemplatePictures &pictures);
    // OK, Cancel or closing hid the window: "Choose Template" is off.
    void windowHidden();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry {
        QString folder;
        QString name;
        bool own = false;
        // The picture stretched to the thumbnail square, before its shape.
        QImage square;
    };

    void buildControls();
    void ensureListFilled();
    void fillList();
    QList<Entry> readFolder(const QString &folder, bool own);
    // Reads the user's folder again after a set was saved or removed;
    // `selectName` names the "[BACK]" file to select.
    void reloadOwnEntries(const QString &selectName);
    void addItems();
    void updateButtons();
    void selectLabel(const QByteArray &backImagePath);
    void showThumbnails();
    void onListClicked(const QModelIndex &index);
    void step(int delta);
    void hideByUser();
    QString templatePath(const Entry &entry, const QString &name) const;

    static QStringList searchFolder(const QString &folder, QString *error);
    static QImage stretchedSquare(const QString &path);
    static QImage shapedThumbnail(const QImage &square, bool disc);

    int m_coverType = 1;
    bool m_discView = false;
    QString m_folder;
    QList<Entry> m_entries;
    int m_currentIndex = -1;
    // The list does not show the folder openFolder named yet.
    bool m_listStale = true;
    // The back picture whose entries are selected when the list is filled.
    QByteArray m_selectedBack;
    // The cover's pictures and picture layout when the window was shown.
    TemplatePictures m_saved;

    QListWidget *m_list = nullptr;
    QLabel *m_logo = nullptr;
    CFlatHoverButton *m_ok = nullptr;
    CFlatHoverButton *m_cancel = nullptr;
    CFlatHoverButton *m_link = nullptr;
    CFlatHoverButton *m_save = nullptr;
    CFlatHoverButton *m_remove = nullptr;
    CFlatHoverButton *m_folderLink = nullptr;
    std::function<CoverDocument()> m_coverSource;
};
