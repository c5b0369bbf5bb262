#include "CAboutDlg.h"

#include "document/ProductInfo.h"
#include "widgets/AppPaths.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/Icons.h"
#include "widgets/UiHost.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto *icon = new QLabel(this);
    icon->setPixmap(Icons::program().pixmap(QSize(48, 48), devicePixelRatioF()));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *name = new QLabel(ProductInfo::name(), this);
    QFont nameFont = name->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.4);
    name->setFont(nameFont);
    auto *version = new QLabel(QStringLiteral("Version: ") + ProductInfo::version(), this);
    auto *notice = new QLabel(noticeText(), this);
    notice->setTextFormat(Qt::RichText);
    notice->setOpenExternalLinks(true);
    auto *credit = new QLabel(pictureLibraryCredit(), this);
    credit->setWordWrap(true);
    credit->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *ok = new CFlatHoverButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setIcons(Icons::ok(), CFlatHoverButton::DerivedImage::Darkened, false);
    ok->setFlat(false, false);
    ok->setDefault(true, false);
    ok->setMinimumSize(80, 28);
    connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);

    auto *texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addSpacing(6);
    texts->addWidget(notice);
    texts->addSpacing(6);
    texts->addWidget(credit);

    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addLayout(texts, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    credit->setFixedWidth(340);
}

QString CAboutDlg::noticeText()
{
    const QString address = ProductInfo::webAddress();
    return QStringLiteral("News, help and templates: <a href=\"%1\">%1</a>").arg(address);
}

QString CAboutDlg::pictureLibraryCredit()
{
    return QStringLiteral("This program uses the FreeImage open source image library to read "
                          "pictures. See http://freeimage.sourceforge.net for details. FreeImage "
                          "is used under the FreeImage Public License; its text is in the file "
                          "freeimage-license.txt in the folder %1.")
        .arg(QDir::toNativeSeparators(programDataFolder()));
}

void CAboutDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        UiHost::instance().showHelp(this);
        return;
    }
    QDialog::keyPressEvent(event);
}
