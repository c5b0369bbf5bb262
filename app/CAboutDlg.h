#pragma once

#include <QDialog>

// "About": the program icon, name and version, the program's web address
// and the credit of the image library with its licence file.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget *parent = nullptr);

    static QString noticeText();
    static QString pictureLibraryCredit();

protected:
    void keyPressEvent(QKeyEvent *event) override; // F1: the help
};
