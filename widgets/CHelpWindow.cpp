#include "CHelpWindow.h"

#include "CHelpBrowser.h"
#include "ChmArchive.h"
#include "HelpSitemap.h"
#include "HelpTopics.h"
#include "Icons.h"
#include "UiHost.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

constexpr int kPageRole = Qt::UserRole;
const QSize kFirstSize(980, 660);
constexpr int kNarrowest = 640; // narrower, the pictures in the pages need scrolling
constexpr int kGap = 8;

// Where the user last left a help window; the next one opens there, so the
// help stays in one place while the windows that ask for it change.
QRect lastGeometry;

QWidget *ownerWindow(QWidget *owner)
{
    if (owner)
        return owner->window();
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QString pageOf(const QString &local)
{
    return ChmArchive::normalizedPath(local.section(QLatin1Char('#'), 0, 0));
}

QString fragmentOf(const QString &local)
{
    const qsizetype hash = local.indexOf(QLatin1Char('#'));
    return hash < 0 ? QString() : local.mid(hash + 1);
}

void addEntries(
    QTreeWidgetItem *parent, QTreeWidget *tree, const QList<HelpSitemap::Entry> &entries)
{
    for (const HelpSitemap::Entry &e : entries) {
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        item->setText(0, e.name);
        item->setData(0, kPageRole, e.local);
        addEntries(item, tree, e.children);
    }
}

void flattenIndex(const QList<HelpSitemap::Entry> &entries, const QString &prefix,
    QList<QPair<QString, QString>> &out)
{
    for (const HelpSitemap::Entry &e : entries) {
        const QString name = prefix.isEmpty() ? e.name : prefix + QStringLiteral(", ") + e.name;
        if (!e.local.isEmpty())
            out.append({name, e.local});
        flattenIndex(e.children, name, out);
    }
}

} // namespace

CHelpWindow *CHelpWindow::open(QWidget *owner, const QString &chmPath, const QString &topic)
{
    owner = ownerWindow(owner);
    if (owner) {
        const auto existing = owner->findChildren<CHelpWindow *>(Qt::FindDirectChildrenOnly);
        for (CHelpWindow *w : existing) {
            if (!w->isVisible())
                continue; // closed, waiting to be deleted
            w->showTopic(topic);
            w->raise();
            w->activateWindow();
            return w;
        }
    }

    QString reason;
    std::unique_ptr<ChmArchive> archive = ChmArchive::open(chmPath, &reason);
    if (!archive) {
        const QString text = QFileInfo::exists(chmPath)
            ? QStringLiteral("The help cannot be shown: the help file \"%1\" cannot be read. "
                             "%2\n\nReinstalling Discora puts it right.")
                  .arg(QDir::toNativeSeparators(chmPath), reason)
            : QStringLiteral("The help cannot be shown: the help file \"%1\" is missing.\n\n"
                             "Reinstalling Discora puts it back.")
                  .arg(QDir::toNativeSeparators(chmPath));
        UiHost::instance().message(
            owner, text, QStringLiteral("Help"), UiHost::Buttons::Ok, UiHost::Icon::Exclamation);
        return nullptr;
    }

    auto *window = new CHelpWindow(owner, std::move(archive));
    window->showTopic(topic);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

CHelpWindow::CHelpWindow(QWidget *owner, std::unique_ptr<ChmArchive> archive)
    : QWidget(owner, Qt::Window)
    , m_archive(std::move(archive))
{
    setObjectName(QStringLiteral("helpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(
        m_archive->title().isEmpty() ? QStringLiteral("Discora Help") : m_archive->title());

    auto navButton = [this](const QIcon &icon, const QString &text, const QString &tip) {
        auto *b = new QToolButton(this);
        b->setIcon(icon);
        b->setText(text);
        b->setToolTip(tip);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        return b;
    };
    m_back = navButton(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"),
        QStringLiteral("Back (Alt+Left)"));
    m_forward = navButton(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Forward"),
        QStringLiteral("Forward (Alt+Right)"));
    m_home = navButton(
        Icons::help(), QStringLiteral("Start Page"), QStringLiteral("The help's start page"));
    m_back->setObjectName(QStringLiteral("helpBack"));
    m_forward->setObjectName(QStringLiteral("helpForward"));
    m_home->setObjectName(QStringLiteral("helpHome"));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(m_home);
    bar->addStretch();

    m_browser = new CHelpBrowser(*m_archive, this);

    m_contents = new QTreeWidget(this);
    m_contents->setObjectName(QStringLiteral("helpContents"));
    m_contents->setHeaderHidden(true);
    m_contents->setColumnCount(1);
    m_contents->setIndentation(14);

    auto *indexPage = new QWidget(this);
    m_indexFilter = new QLineEdit(indexPage);
    m_indexFilter->setObjectName(QStringLiteral("helpIndexFilter"));
    m_indexFilter->setPlaceholderText(QStringLiteral("Type a word to find"));
    m_indexFilter->setClearButtonEnabled(true);
    m_index = new QListWidget(indexPage);
    m_index->setObjectName(QStringLiteral("helpIndex"));
    auto *indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(0, 0, 0, 0);
    indexLayout->addWidget(m_indexFilter);
    indexLayout->addWidget(m_index);

    m_tabs = new QTabWidget(this);
    m_tabs->addTab(m_contents, QStringLiteral("Contents"));
    m_tabs->addTab(indexPage, QStringLiteral("Index"));

    m_splitter = new QSplitter(this);
    m_splitter->addWidget(m_tabs);
    m_splitter->addWidget(m_browser);
    m_splitter->setStretchFactor(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addLayout(bar);
    layout->addWidget(m_splitter, 1);

    buildContents();
    buildIndex();

    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_home, &QToolButton::clicked, this, [this] { showTopic(QString()); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &CHelpWindow::followLink);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &CHelpWindow::pageShown);
    auto openContentsItem = [this](QTreeWidgetItem *item) {
        if (item)
            showPage(item->data(0, kPageRole).toString());
    };
    connect(m_contents, &QTreeWidget::currentItemChanged, this, openContentsItem);
    connect(m_contents, &QTreeWidget::itemClicked, this, openContentsItem);
    auto openIndexItem = [this](QListWidgetItem *item) {
        if (item)
            showPage(item->data(kPageRole).toString());
    };
    connect(m_index, &QListWidget::itemActivated, this, openIndexItem);
    connect(m_index, &QListWidget::itemClicked, this, openIndexItem);
    connect(m_indexFilter, &QLineEdit::textChanged, this, &CHelpWindow::filterIndex);
    connect(m_indexFilter, &QLineEdit::returnPressed, this,
        [this, openIndexItem] { openIndexItem(m_index->currentItem()); });

    auto *back = new QShortcut(QKeySequence::Back, this);
    connect(back, &QShortcut::activated, m_browser, &QTextBrowser::backward);
    auto *forward = new QShortcut(QKeySequence::Forward, this);
    connect(forward, &QShortcut::activated, m_browser, &QTextBrowser::forward);
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    if (owner)
        owner->installEventFilter(this);
    place(owner);
}

CHelpWindow::~CHelpWindow() = default;

void CHelpWindow::buildContents()
{
    const std::optional<QByteArray> hhc = m_archive->contentsFile().isEmpty()
        ? std::nullopt
        : m_archive->read(m_archive->contentsFile());
    if (hhc)
        addEntries(nullptr, m_contents, HelpSitemap::parse(*hhc));
    m_contents->expandToDepth(0);
}

void CHelpWindow::buildIndex()
{
    const std::optional<QByteArray> hhk
        = m_archive->indexFile().isEmpty() ? std::nullopt : m_archive->read(m_archive->indexFile());
    QList<QPair<QString, QString>> entries;
    if (hhk)
        flattenIndex(HelpSitemap::parse(*hhk), QString(), entries);
    std::stable_sort(entries.begin(), entries.end(), [](const auto &a, const auto &b) {
        return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });
    for (const auto &[name, local] : entries) {
        auto *item = new QListWidgetItem(name, m_index);
        item->setData(kPageRole, local);
    }
    if (entries.isEmpty())
        m_tabs->setTabVisible(1, false);
}

void CHelpWindow::showTopic(const QString &topic)
{
    if (showPage(HelpTopics::page(topic)) || showPage(m_archive->defaultTopic()))
        return;
    // A help file of another make: its first page of contents will do.
    const QStringList pages = m_archive->files().filter(QStringLiteral(".htm"));
    if (!pages.isEmpty())
        showPage(pages.first());
}

bool CHelpWindow::showPage(const QString &archivePath)
{
    const QString page = pageOf(archivePath);
    if (page == QLatin1String("/") || !m_archive->contains(page))
        return false;
    QUrl url = CHelpBrowser::pageUrl(page);
    const QString fragment = fragmentOf(archivePath);
    if (!fragment.isEmpty())
        url.setFragment(fragment);
    if (url != m_browser->source())
        m_browser->setSource(url);
    return true;
}

QString CHelpWindow::currentPage() const
{
    return m_browser->currentPage();
}

void CHelpWindow::followLink(const QUrl &link)
{
    const QUrl target
        = link.isRelative() ? CHelpBrowser::pageUrl(currentPage()).resolved(link) : link;
    if (target.scheme() == QLatin1String("chm")) {
        // A page missing from the archive shows the browser's own
        // "Page not found", which is what a reader of a broken link needs.
        m_browser->setSource(target);
        return;
    }
    static const QStringList kDesktopSchemes
        = {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("mailto")};
    if (kDesktopSchemes.contains(target.scheme()))
        UiHost::instance().openUrl(target);
}

void CHelpWindow::pageShown()
{
    const QString page = currentPage();
    // The desktop adds the program's name to the title.
    const QString title = m_browser->documentTitle();
    const QString help
        = m_archive->title().isEmpty() ? QStringLiteral("Discora Help") : m_archive->title();
    setWindowTitle(title.isEmpty() || title == help ? help : QStringLiteral("Help: ") + title);

    if (QTreeWidgetItem *item = itemForPage(page)) {
        const QSignalBlocker blocker(m_contents);
        m_contents->setCurrentItem(item);
        m_contents->scrollToItem(item);
    }
}

QTreeWidgetItem *CHelpWindow::itemForPage(const QString &page) const
{
    QTreeWidgetItem *current = m_contents->currentItem();
    if (current && pageOf(current->data(0, kPageRole).toString()) == page)
        return current;
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        if (pageOf((*it)->data(0, kPageRole).toString()).compare(page, Qt::CaseInsensitive) == 0)
            return *it;
    }
    return nullptr;
}

void CHelpWindow::filterIndex(const QString &text)
{
    QListWidgetItem *first = nullptr;
    for (int i = 0; i < m_index->count(); ++i) {
        QListWidgetItem *item = m_index->item(i);
        const bool shown = item->text().contains(text.trimmed(), Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && !first)
            first = item;
    }
    if (first) {
        m_index->setCurrentItem(first);
        m_index->scrollToItem(first);
    }
}

bool CHelpWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The owner's run is over: its help goes with it, or it would be left
    // on the screen taking no input.
    if (watched == parentWidget() && event->type() == QEvent::Hide && !event->spontaneous())
        close();
    return QWidget::eventFilter(watched, event);
}

void CHelpWindow::closeEvent(QCloseEvent *event)
{
    lastGeometry = geometry();
    if (parentWidget())
        parentWidget()->removeEventFilter(this);
    QWidget::closeEvent(event);
}

void CHelpWindow::place(QWidget *owner)
{
    QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), kFirstSize);
    QRect wanted = lastGeometry;
    if (!wanted.isValid()) {
        wanted = QRect(QPoint(0, 0), kFirstSize);
        if (owner) {
            // Beside the owner, on the side with more room and narrowed to
            // fit there if it can be without getting cramped, so that the
            // window being explained stays in sight.
            const QRect frame = owner->frameGeometry();
            const int roomRight = available.right() - frame.right() - kGap;
            const int roomLeft = frame.left() - available.left() - kGap;
            wanted.setWidth(qMin(kFirstSize.width(), qMax(kNarrowest, qMax(roomLeft, roomRight))));
            if (roomRight >= roomLeft)
                wanted.moveTopLeft(QPoint(frame.right() + kGap, frame.top()));
            else
                wanted.moveTopRight(QPoint(frame.left() - kGap, frame.top()));
        } else {
            wanted.moveCenter(available.center());
        }
    }
    wanted.setSize(wanted.size().boundedTo(available.size()));
    if (wanted.right() > available.right())
        wanted.moveRight(available.right());
    if (wanted.bottom() > available.bottom())
        wanted.moveBottom(available.bottom());
    if (wanted.left() < available.left())
        wanted.moveLeft(available.left());
    if (wanted.top() < available.top())
        wanted.moveTop(available.top());
    setGeometry(wanted);
    const int contentsWidth = qBound(170, wanted.width() / 4, 240);
    m_splitter->setSizes({contentsWidth, wanted.width() - contentsWidth});
}
