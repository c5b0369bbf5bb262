#pragma once

#include "dialogs/TemplatePictures.h"

class CoverSession;
class CTemplatesDlg;

// What the templates window does to the cover: a template applied, and
// Cancel putting the pictures back, are each one change of the session
// (one undo step, and the cover counts as modified, so Exit asks before a
// template is lost). The window's "Save as Template..." reads the session's
// cover.
class TemplateCommands {
public:
    TemplateCommands(CoverSession &session, CTemplatesDlg &window);

    void apply(const TemplatePictures &pictures);
    void restore(const TemplatePictures &pictures);

private:
    void write(const QString &name, const TemplatePictures &pictures);

    CoverSession &m_session;
};
