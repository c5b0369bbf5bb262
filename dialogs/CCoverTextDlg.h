#pragma once

#include "document/CoverDocument.h"

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class CFlatHoverButton;

// "Cover Text": the titles and texts of the faces and the spine text of a
// DVD cover. The caller gives the texts and the rows to show, runs it, and
// after OK reads all seven texts back; the dialog does not touch the
// document. Texts are bytes as the document stores them; text fields give
// their line breaks back as CR LF, and a field left as it was gives back
// exactly the bytes it was given.
class CCoverTextDlg : public QDialog {
    Q_OBJECT
public:
    struct Texts {
        QByteArray spineText;
        QByteArray backText;
        QByteArray frontText;
        QByteArray discText;
        QByteArray backTitle;
        QByteArray frontTitle;
        QByteArray discTitle;
        bool operator==(const Texts &) const = default;
    };

    // Which rows show. Every caller shows the spine and back rows alike.
    struct Rows {
        bool spine = false;
        bool back = false; // the back rows and the spine label
        bool front = false;
        bool disc = false;
        bool operator==(const Rows &) const = default;
    };

    // The seven fields, in the order OK checks them.
    enum Field { SpineText, FrontTitle, FrontText, DiscTitle, DiscText, BackTitle, BackText };
    static constexpr int kFieldCount = 7;

    explicit CCoverTextDlg(QWidget *parent = nullptr);

    // The rows the texts button shows for a face of a cover type: the front
    // rows or the disc rows alone, or spine, back and front together for a
    // DVD sheet. None for the back of a CD cover (the track listing editor).
    static Rows rowsFor(int32_t coverType, Face view);

    // Shows the rows and lays them out: disc rows, or front rows when the
    // spine is hidden, move up into the spine row's place and their text
    // field grows into the space freed below it.
    void setRows(const Rows &rows);
    Rows rows() const { return m_rows; }

    // Only for what the fields may hold: the front text of a standard CD
    // cover cannot hold "[DELIM]", which the reader takes for a track listing.
    void setCoverType(int32_t coverType) { m_coverType = coverType; }

    void setTexts(const Texts &texts);
    // After OK, what the seven fields held; else what setTexts gave.
    Texts texts() const { return m_texts; }

    // OK: refuses a shown text that holds one of the cover file's tags,
    // with a message naming the text and the tag; else reads the seven
    // fields and closes.
    void accept() override;

    // The name of a field as its label shows it, without the colon.
    static QString fieldName(Field field);

    // For tests and the layout.
    QWidget *field(Field field) const { return m_fields[field]; }
    QLabel *label(Field field) const { return m_labels[field]; }
    CFlatHoverButton *okButton() const { return m_ok; }
    CFlatHoverButton *cancelButton() const { return m_cancel; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void placeTemplate();
    void moveRowsUp(Field title, Field text);
    QString fieldText(Field field) const;
    void setFieldText(Field field, const QString &text);
    QByteArray storedFieldText(Field field) const;
    static QByteArray Texts::*memberOf(Field field);

    Rows m_rows;
    Texts m_texts;
    int32_t m_coverType = 0;
    // What each field showed after setTexts, to give back the bytes it was
    // given when it is left as it was.
    std::array<QString, kFieldCount> m_shown;
    std::array<QWidget *, kFieldCount> m_fields{};
    std::array<QLabel *, kFieldCount> m_labels{};
    CFlatHoverButton *m_ok = nullptr;
    CFlatHoverButton *m_cancel = nullptr;
};
