#pragma once

#include <QWidget>
#include <memory>

class ChmArchive;
class CHelpBrowser;
class QLineEdit;
class QListWidget;
class QSplitter;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

// The program's help viewer: the pages of help.chm beside its table of
// contents and index, with back and forward.
//
// Every window of the program runs modally, and while one does, a window
// that is not its own gets no input. So the help window is a window of the
// one that asked for it (its owner): it takes input while the owner runs,
// and it closes when the owner closes.
class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the help file `chmPath` on `topic` (one of HelpTopics) as a
    // window of `owner`, or of the window running modally when `owner` is
    // null. The owner's help window, if it has one open, is reused. A help
    // file that is missing or cannot be read is reported through
    // UiHost::message and gives null.
    static CHelpWindow *open(QWidget *owner, const QString &chmPath, const QString &topic);

    ~CHelpWindow() override;

    void showTopic(const QString &topic);
    // False when the archive has no such page (the page shown stays).
    bool showPage(const QString &archivePath);
    QString currentPage() const;

    CHelpBrowser *browser() const { return m_browser; }
    QTreeWidget *contentsTree() const { return m_contents; }
    const ChmArchive &archive() const { return *m_archive; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    CHelpWindow(QWidget *owner, std::unique_ptr<ChmArchive> archive);
    void buildContents();
    void buildIndex();
    void followLink(const QUrl &link);
    void pageShown();
    void filterIndex(const QString &text);
    void place(QWidget *owner);
    QTreeWidgetItem *itemForPage(const QString &page) const;

    std::unique_ptr<ChmArchive> m_archive;
    CHelpBrowser *m_browser = nullptr;
    QSplitter *m_splitter = nullptr;
    QTabWidget *m_tabs = nullptr;
    QTreeWidget *m_contents = nullptr;
    QLineEdit *m_indexFilter = nullptr;
    QListWidget *m_index = nullptr;
    QToolButton *m_back = nullptr;
    QToolButton *m_forward = nullptr;
    QToolButton *m_home = nullptr;
};
