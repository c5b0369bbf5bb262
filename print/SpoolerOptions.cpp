#include "SpoolerOptions.h"

namespace {

// Options with which a queue, its driver or the dialog would fit the page to
// the paper or shrink it; the job's own say no scaling instead.
bool scalesThePage(const QString &name)
{
    static const QStringList names
        = {QStringLiteral("print-scaling"), QStringLiteral("fit-to-page"),
            QStringLiteral("fitplot"), QStringLiteral("fill"), QStringLiteral("scaling"),
            QStringLiteral("natural-scaling"), QStringLiteral("ppi"), QStringLiteral("number-up")};
    return names.contains(name, Qt::CaseInsensitive);
}

// The paper is the job's own: a label sheet's, or the dialog's for plain
// paper, already in `media`.
bool namesThePaper(const QString &name)
{
    static const QStringList names
        = {QStringLiteral("media"), QStringLiteral("PageSize"), QStringLiteral("PageRegion"),
            QStringLiteral("landscape"), QStringLiteral("orientation-requested")};
    return names.contains(name, Qt::CaseInsensitive);
}

void set(SpoolerOptions &options, const QString &name, const QString &value)
{
    for (auto &option : options) {
        if (option.first.compare(name, Qt::CaseInsensitive) == 0) {
            option.second = value;
            return;
        }
    }
    options.append({name, value});
}

QString sides(SpoolerJob::Duplex duplex, bool landscape)
{
    switch (duplex) {
    case SpoolerJob::Duplex::None: return QStringLiteral("one-sided");
    case SpoolerJob::Duplex::LongSide: return QStringLiteral("two-sided-long-edge");
    case SpoolerJob::Duplex::ShortSide: return QStringLiteral("two-sided-short-edge");
    case SpoolerJob::Duplex::Auto: break;
    }
    return landscape ? QStringLiteral("two-sided-short-edge")
                     : QStringLiteral("two-sided-long-edge");
}

} // namespace

SpoolerOptions spoolerOptions(const SpoolerJob &job)
{
    SpoolerOptions options;
    for (qsizetype i = 0; i + 1 < job.dialogOptions.size(); i += 2) {
        const QString &name = job.dialogOptions.at(i);
        if (name.isEmpty() || scalesThePage(name) || namesThePaper(name))
            continue;
        set(options, name, job.dialogOptions.at(i + 1));
    }
    if (!job.media.isEmpty())
        set(options, QStringLiteral("media"), job.media);
    if (job.landscape)
        set(options, QStringLiteral("landscape"), QStringLiteral("true"));
    if (job.copies > 1) {
        set(options, QStringLiteral("copies"), QString::number(job.copies));
        if (job.collate)
            set(options, QStringLiteral("Collate"), QStringLiteral("True"));
    }
    set(options, QStringLiteral("sides"), sides(job.duplex, job.landscape));
    set(options, QStringLiteral("print-scaling"), QStringLiteral("none"));
    // A queue can default to fitting the page; saying so outright overrides it.
    set(options, QStringLiteral("fit-to-page"), QStringLiteral("false"));
    return options;
}
