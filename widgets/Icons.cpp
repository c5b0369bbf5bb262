#include "Icons.h"

#include <QPainter>
#include <QSvgRenderer>

// The resources live in a static library: nothing would pull their object
// file into the program unless something refers to it, so the first icon
// asked for registers them.
static void ensureIconResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(discora);
        return true;
    }();
    (void)registered;
}

namespace Icons {

namespace {
QIcon fromResource(const char *name)
{
    ensureIconResources();
    return QIcon(QStringLiteral(":/discora/icons/") + QLatin1String(name) + QStringLiteral(".svg"));
}
} // namespace

QIcon program()
{
    return fromResource("discora");
}
QIcon logo()
{
    return fromResource("logo");
}

QPixmap logoPixmap(const QSize &size, qreal devicePixelRatio)
{
    ensureIconResources();
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QString::fromLatin1(Path::Logo));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // Keep the drawing's proportions inside the requested box.
    QSizeF drawn = renderer.defaultSize().toSizeF();
    drawn.scale(pixmap.size().toSizeF(), Qt::KeepAspectRatio);
    const QPointF origin(
        (pixmap.width() - drawn.width()) / 2, (pixmap.height() - drawn.height()) / 2);
    renderer.render(&painter, QRectF(origin, drawn));
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon ticked()
{
    return fromResource("ticked");
}
QIcon unticked()
{
    return fromResource("unticked");
}

QIcon newCover()
{
    return fromResource("new");
}
QIcon load()
{
    return fromResource("load");
}
QIcon save()
{
    return fromResource("save");
}
QIcon help()
{
    return fromResource("help");
}
QIcon link()
{
    return fromResource("link");
}
QIcon chooseTemplate()
{
    return fromResource("template");
}

QIcon trackListing()
{
    return fromResource("track-listing");
}
QIcon chooseImage()
{
    return fromResource("choose-image");
}
QIcon clearImage()
{
    return fromResource("clear-image");
}
QIcon chooseColor()
{
    return fromResource("choose-color");
}
QIcon font()
{
    return fromResource("font");
}
QIcon alignLeft()
{
    return fromResource("align-left");
}
QIcon alignCenter()
{
    return fromResource("align-center");
}
QIcon alignRight()
{
    return fromResource("align-right");
}

QIcon print()
{
    return fromResource("print");
}
QIcon savePdf()
{
    return fromResource("save-pdf");
}
QIcon testPage()
{
    return fromResource("test-page");
}
QIcon exit()
{
    return fromResource("exit");
}

QIcon continueArrow()
{
    return fromResource("continue");
}
QIcon ok()
{
    return fromResource("ok");
}
QIcon cancel()
{
    return fromResource("cancel");
}

QIcon undo()
{
    return fromResource("undo");
}
QIcon redo()
{
    return fromResource("redo");
}

QIcon insertTrack()
{
    return fromResource("insert-track");
}
QIcon removeTrack()
{
    return fromResource("remove-track");
}
QIcon importFolder()
{
    return fromResource("import-folder");
}

} // namespace Icons
