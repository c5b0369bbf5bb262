#include "TemplateCommands.h"

#include "dialogs/CTemplatesDlg.h"
#include "document/CoverSession.h"

TemplateCommands::TemplateCommands(CoverSession &session, CTemplatesDlg &window)
    : m_session(session)
{
    QObject::connect(&window, &CTemplatesDlg::templateApplied, &session,
        [this](const TemplatePictures &p) { apply(p); });
    QObject::connect(&window, &CTemplatesDlg::picturesRestored, &session,
        [this](const TemplatePictures &p) { restore(p); });
    // "Save as Template..." makes a set of the cover as it is now.
    window.setCoverSource([&session] { return session.document(); });
}

void TemplateCommands::apply(const TemplatePictures &pictures)
{
    write(QStringLiteral("Template"), pictures);
}

void TemplateCommands::restore(const TemplatePictures &pictures)
{
    write(QStringLiteral("Cancel Template"), pictures);
}

void TemplateCommands::write(const QString &name, const TemplatePictures &pictures)
{
    // The same template again, or a Cancel with nothing to take back, is no
    // change of the cover.
    if (!pictures.changes(m_session.document()))
        return;
    m_session.change(name, [&](CoverDocument &d) { pictures.applyTo(d); });
}
