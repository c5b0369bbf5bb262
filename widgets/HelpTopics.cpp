#include "HelpTopics.h"

#include <iterator>

namespace {

struct TopicPage {
    const char *topic;
    const char *page;
};

// The windows name their topics; the help project (data/help) holds the
// pages. Both sides are checked against each other by the help tests.
constexpr TopicPage kTopics[] = {
    {"", "/index.html"},
    {"mainwindow", "/mainwindow.html"},
    {"covertype", "/covertype.html"},
    {"images", "/images.html"},
    {"pictureposition", "/pictureposition.html"},
    {"covertext", "/covertext.html"},
    {"tracklisting", "/tracklisting.html"},
    {"templates", "/templates.html"},
    {"printing", "/printing.html"},
    {"calibration", "/calibration.html"},
    {"commandline", "/commandline.html"},
    {"fileformat", "/fileformat.html"},
    {"fonts", "/fonts.html"},
};

} // namespace

QStringList HelpTopics::topics()
{
    QStringList out;
    for (const TopicPage &t : kTopics)
        out << QString::fromLatin1(t.topic);
    return out;
}

QString HelpTopics::page(const QString &topic)
{
    for (const TopicPage &t : kTopics) {
        if (topic == QLatin1String(t.topic))
            return QString::fromLatin1(t.page);
    }
    return QString::fromLatin1(std::begin(kTopics)->page);
}
