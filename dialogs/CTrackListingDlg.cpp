#include "CTrackListingDlg.h"

#include "CEditGrid.h"
#include "CGridCellEdit.h"
#include "TrackListingImporter.h"
#include "document/AudioFolderImport.h"
#include "document/CoverTextCheck.h"
#include "document/DisplayText.h"
#include "document/PastedTracks.h"
#include "document/TrackListing.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"
#include "widgets/DialogLook.h"
#include "widgets/DialogUnits.h"
#include "widgets/Icons.h"
#include "widgets/UiHost.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QStyle>

namespace {

// Dialog units. The controls keep the grid's classic arrangement below a
// white band that carries the logo, a heading, OK and Cancel.
constexpr int kWidthUnits = 325;
constexpr int kBandUnits = 47;
constexpr int kHeightUnits = 209 + kBandUnits;

// The grid is designed with a header row and eight track rows.
constexpr int kDesignedTrackRows = 8;
// Twips of the number, title and length columns.
constexpr int kColumnTwips[] = {400, 4000, 1000};

constexpr CTransparentStatic::ColorRef kHeadingColor = 0x663300;

QFont gridFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setPointSizeF(8.25);
    f.setWeight(QFont::Normal);
    return f;
}

QRect below(int x, int y, int width, int height)
{
    return dialogUnitRect(x, y + kBandUnits, width, height);
}

// A folder, a CUE sheet or a playlist dropped anywhere on the editor imports
// it, as the Import button's menu does.
QString droppedImport(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QString path = data->urls().first().toLocalFile();
    return TrackListingImporter::canImport(path) ? path : QString();
}

} // namespace

CTrackListingDlg::CTrackListingDlg(QWidget *parent)
    : QDialog(parent)
{
    DialogLook::setUpDialog(*this, QStringLiteral("Edit Track Listing"), kWidthUnits, kHeightUnits);
    buildControls();
}

void CTrackListingDlg::buildControls()
{
    m_logo = DialogLook::addLogo(this, QRect(4, 3, 46, 41));

    m_heading = new CTransparentStatic(
        QStringLiteral("Type the tracks of your CD, or import them from a folder, a CUE sheet, a "
                       "playlist or the disc itself:"),
        this);
    m_heading->setGeometry(dialogUnitRect(56, 8, 190, 22));
    m_heading->setFont(DialogLook::headingFont());
    m_heading->setWordWrap(true);
    m_heading->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_heading->setTextColor(kHeadingColor);

    const auto button
        = [this](const QString &text, const QIcon &icon, const QRect &rect, const QString &tip) {
              auto *b = new CFlatHoverButton(text, this);
              b->setGeometry(rect);
              b->setFont(DialogLook::headingFont());
              b->setIcons(icon, CFlatHoverButton::DerivedImage::Darkened, false);
              b->setTransparent(true, false);
              b->setHoverCursor();
              b->setTooltipText(tip);
              return b;
          };
    m_ok = button(QStringLiteral("OK"), Icons::ok(), dialogUnitRect(260, 4, 58, 14),
        QStringLiteral("Click here to keep the track listing."));
    m_ok->setDefault(true, false);
    m_cancel = button(QStringLiteral("Cancel"), Icons::cancel(), dialogUnitRect(260, 23, 58, 14),
        QStringLiteral("Click here to leave the track listing as it was."));
    connect(m_ok, &CFlatHoverButton::clicked, this, &CTrackListingDlg::accept);
    connect(m_cancel, &CFlatHoverButton::clicked, this, &CTrackListingDlg::reject);

    m_spineLabel = new CTransparentStatic(QStringLiteral("Spine Text:"), this);
    m_spineLabel->setGeometry(below(7, 5, 60, 8));
    m_spineLabel->setTextColor(CTransparentStatic::ColorRef(0));
    m_spineField = new QLineEdit(this);
    m_spineField->setGeometry(below(7, 16, 247, 14));

    m_tracksLabel = new CTransparentStatic(QStringLiteral("Tracks:"), this);
    m_tracksLabel->setGeometry(below(7, 34, 60, 8));
    m_tracksLabel->setTextColor(CTransparentStatic::ColorRef(0));

    m_grid = new CEditGrid(this);
    m_grid->setGeometry(below(7, 45, 247, 150));
    m_grid->setFont(gridFont());
    m_grid->horizontalHeader()->setFont(gridFont());
    m_grid->setHorizontalHeaderLabels(
        {QString(), QStringLiteral("No."), QStringLiteral("Title"), QStringLiteral("Length")});
    for (int column = 1; column <= 3; ++column)
        m_grid->setColumnWidthTwips(column, kColumnTwips[column - 1]);
    const QFontMetrics metrics(gridFont());
    m_grid->verticalHeader()->setDefaultSectionSize(metrics.height() + 6);
    m_grid->horizontalHeader()->setFixedHeight(metrics.height() + 6);
    connect(m_grid, &CEditGrid::rowsChanged, this, &CTrackListingDlg::rowsChanged);
    connect(m_grid, &QTableWidget::itemChanged, this, &CTrackListingDlg::updateTotal);

    m_total = new CTransparentStatic(QString(), this);
    m_total->setGeometry(below(7, 197, 247, 9));
    m_total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_total->setTextColor(CTransparentStatic::ColorRef(0));

    // The grid's tools, picture above caption as in the main window's tools.
    const auto tool = [&button](const QString &text, const QIcon &icon, int y, const QString &tip) {
        CFlatHoverButton *b = button(text, icon, below(260, y, 58, 30), tip);
        b->setImageAlign(CFlatHoverButton::ImageTop, false);
        b->setIconSize(QSize(22, 22));
        return b;
    };
    m_insert = tool(QStringLiteral("Insert Track"), Icons::insertTrack(), 45,
        QStringLiteral("Click here to insert a new track."));
    m_remove = tool(QStringLiteral("Remove Track"), Icons::removeTrack(), 78,
        QStringLiteral("Click here to remove the current track."));
    m_import = tool(QStringLiteral("Import"), Icons::importFolder(), 122,
        QStringLiteral("Click here to fill the list from a folder of audio files, a CUE sheet or "
                       "a playlist."));
    // Small buttons with a picture beside the caption, as OK and Cancel.
    const auto mover = [&button, this](const QString &text, QStyle::StandardPixmap arrow, int y,
                           const QString &tip) {
        CFlatHoverButton *b
            = button(text, style()->standardIcon(arrow), below(260, y, 58, 14), tip);
        b->setFont(font());
        return b;
    };
    m_moveUp = mover(QStringLiteral("Move Up"), QStyle::SP_ArrowUp, 165,
        QStringLiteral("Click here to move the selected tracks up (Alt+Up)."));
    m_moveDown = mover(QStringLiteral("Move Down"), QStyle::SP_ArrowDown, 182,
        QStringLiteral("Click here to move the selected tracks down (Alt+Down)."));
    connect(m_moveUp, &CFlatHoverButton::clicked, this, [this] { moveTracks(-1); });
    connect(m_moveDown, &CFlatHoverButton::clicked, this, [this] { moveTracks(1); });
    m_importer = new TrackListingImporter(this,
        {[this] { return storedTrackCount(); },
            [this](const QList<TrackRow> &rows, const QByteArray &spine) {
                replaceRows(rows, spine);
            }});
    m_import->setMenu(m_importer->menu(), false);
    setAcceptDrops(true);
    connect(m_insert, &CFlatHoverButton::clicked, this, &CTrackListingDlg::insertTrack);
    connect(m_remove, &CFlatHoverButton::clicked, this, &CTrackListingDlg::removeTrack);

    setTabOrder(m_spineField, m_grid);
    setTabOrder(m_grid, m_ok);
    setTabOrder(m_ok, m_cancel);
    setTabOrder(m_cancel, m_insert);
    setTabOrder(m_insert, m_remove);
    setTabOrder(m_remove, m_import);
    setTabOrder(m_import, m_moveUp);
    setTabOrder(m_moveUp, m_moveDown);
}

void CTrackListingDlg::setVisible(bool visible)
{
    if (visible && !m_initialised) {
        m_initialised = true;
        initialise();
    }
    QDialog::setVisible(visible);
}

void CTrackListingDlg::initialise()
{
    m_spineLabel->setVisible(showSpineText);
    m_spineField->setVisible(showSpineText);
    m_spineIn = spineText;
    m_spineField->setText(displayText(spineText));

    if (trackText.isEmpty()) {
        m_grid->setRowCount(kDesignedTrackRows);
        for (int row = 0; row < kDesignedTrackRows; ++row)
            fillRow(row, {QByteArray::number(row + 1) + '.'});
    } else {
        // Text without a single marked cell still opens one track row.
        const QList<TrackRow> rows = readTrackListing(trackText);
        m_grid->setRowCount(int(qMax(rows.size(), qsizetype(1))));
        for (int row = 0; row < rows.size(); ++row) {
            if (row > 0)
                m_grid->setCellText(row, 0, QStringLiteral("New Row"));
            fillRow(row, rows[row]);
        }
        if (rows.isEmpty())
            fillRow(0, {});
    }
    m_grid->setCurrentCell(0, 1);
    updateTotal();
}

void CTrackListingDlg::fillRow(int row, const QList<QByteArray> &cells)
{
    for (int column = 1; column <= 3; ++column)
        m_grid->setCellBytes(row, column, cells.value(column - 1));
}

void CTrackListingDlg::renumber()
{
    const int rows = m_grid->rowCount();
    for (int row = 0; row < rows - 1; ++row) {
        for (QChar c : m_grid->cellText(row, 1)) {
            if (c != QLatin1Char('.') && (c < QLatin1Char('0') || c > QLatin1Char('9')))
                return;
        }
    }
    for (int row = 0; row < rows; ++row)
        m_grid->setCellText(row, 1, QString::number(row + 1) + QLatin1Char('.'));
}

void CTrackListingDlg::rowsChanged()
{
    renumber();
    updateTotal();
}

void CTrackListingDlg::moveTracks(int delta)
{
    m_grid->moveSelectedRows(delta);
    m_grid->setFocus();
}

void CTrackListingDlg::updateTotal()
{
    qint64 seconds = 0;
    int counted = 0;
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        const qint64 length = PastedTracks::lengthSeconds(m_grid->cellText(row, 3));
        if (length >= 0) {
            seconds += length;
            ++counted;
        }
    }
    m_total->setText(counted == 0
            ? QString()
            : QStringLiteral("Total time: %1").arg(AudioFolderImport::lengthText(seconds * 1000)));
}

void CTrackListingDlg::insertTrack()
{
    m_grid->endEditing();
    const int rows = m_grid->rowCount();
    int row = m_grid->currentRow();
    if (row < 0 || row >= rows - 1)
        row = rows;
    m_grid->insertEmptyRow(row);
    fillRow(row, {});
    rowsChanged();
    m_grid->setCurrentCell(row, qMax(m_grid->currentColumn(), 1));
    m_grid->setFocus();
}

void CTrackListingDlg::removeTrack()
{
    m_grid->endEditing();
    const int row = m_grid->currentRow();
    if (row < 0)
        return;
    const int column = qMax(m_grid->currentColumn(), 1);
    m_grid->removeRow(row);
    rowsChanged();
    const int rows = m_grid->rowCount();
    if (rows > 0)
        m_grid->setCurrentCell(qMin(row, rows - 1), column);
    m_grid->setFocus();
}

int CTrackListingDlg::storedTrackCount() const
{
    for (int row = m_grid->rowCount() - 1; row >= 0; --row) {
        if (!m_grid->cellText(row, 2).trimmed().isEmpty()
            || !m_grid->cellText(row, 3).trimmed().isEmpty())
            return row + 1;
    }
    return 0;
}

void CTrackListingDlg::replaceRows(const QList<TrackRow> &rows, const QByteArray &spine)
{
    m_grid->endEditing();
    m_grid->setRowCount(0);
    m_grid->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row)
        fillRow(row, rows[row]);
    m_grid->setCurrentCell(0, 1);
    updateTotal();
    if (m_spineField->text().isEmpty() && !spine.isEmpty())
        m_spineField->setText(displayText(spine));
}

void CTrackListingDlg::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedImport(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CTrackListingDlg::dragMoveEvent(QDragMoveEvent *event)
{
    if (!droppedImport(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CTrackListingDlg::dropEvent(QDropEvent *event)
{
    const QString path = droppedImport(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    m_grid->endEditing();
    m_importer->importPath(path);
}

QByteArray CTrackListingDlg::spineBytes() const
{
    const QString text = m_spineField->text();
    return text == displayText(m_spineIn) ? m_spineIn : storedText(CGridCellEdit::oneLine(text));
}

bool CTrackListingDlg::refuseFileTag(const QByteArray &bytes, const QString &what)
{
    const QByteArray tag = coverFileTagOrMarkerIn(bytes).tag;
    if (tag.isEmpty())
        return false;
    UiHost::instance().message(this,
        QStringLiteral("%1 holds \"%2\", which the cover file uses as a marker, so the cover would "
                       "not read back as it was saved. Please change the text.")
            .arg(what, QString::fromLatin1(tag)),
        QStringLiteral("Edit Track Listing"), UiHost::Buttons::Ok, UiHost::Icon::Exclamation);
    return true;
}

void CTrackListingDlg::accept()
{
    m_grid->endEditing();

    // A hidden spine field goes back as it came, unchecked.
    const QByteArray spine = showSpineText ? spineBytes() : m_spineIn;
    if (showSpineText && refuseFileTag(spine, QStringLiteral("The spine text"))) {
        m_spineField->setFocus();
        m_spineField->selectAll();
        return;
    }

    static const char *const cellNames[] = {"number", "title", "length"};
    // Rows after the last track are not stored: those that only hold their
    // own number are the grid's room for typing, not tracks.
    int stored = m_grid->rowCount();
    while (stored > 0 && !m_grid->rowHasContent(stored - 1)) {
        const QString number = m_grid->cellText(stored - 1, 1).trimmed();
        if (!number.isEmpty() && number != QString::number(stored) + QLatin1Char('.'))
            break;
        --stored;
    }
    QList<TrackRow> rows;
    for (int row = 0; row < stored; ++row) {
        TrackRow cells;
        for (int column = 1; column <= 3; ++column) {
            const QByteArray bytes = m_grid->cellBytes(row, column);
            const QString what = QStringLiteral("The %1 in row %2")
                                     .arg(QLatin1String(cellNames[column - 1]))
                                     .arg(row + 1);
            if (refuseFileTag(bytes, what)) {
                m_grid->setCurrentCell(row, column);
                m_grid->setFocus();
                return;
            }
            cells << bytes;
        }
        rows << cells;
    }

    // Cells keep their bytes when unchanged, but a listing goes out in one
    // encoding: readers that decode it whole would garble a mix.
    trackText = writeTrackListing(inOneEncoding(rows));
    spineText = spine;
    QDialog::accept();
}

void CTrackListingDlg::openHelp()
{
    UiHost::instance().showHelp(this, QStringLiteral("tracklisting"));
}

void CTrackListingDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        openHelp();
        return;
    }
    // Enter presses the focused button (Cancel cancels, Remove Track
    // removes), else OK; the grid takes its own Enter before it comes here.
    if (DialogLook::handleEnter(*this, event, m_ok))
        return;
    QDialog::keyPressEvent(event);
}

void CTrackListingDlg::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    DialogLook::paintBand(p, *this, dialogUnitsY(kBandUnits));
}
