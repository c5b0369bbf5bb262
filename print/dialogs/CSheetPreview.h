#pragma once

#include "print/PrintSheet.h"
#include "print/SheetImage.h"

#include <QString>
#include <QWidget>
#include <optional>

// A small picture of one printed sheet in the Print dialog: the sheet at its
// real proportions, drawn by the print run's own drawing (SheetImage) and
// scaled to the control. A sheet that will not be printed is shown faded.
class CSheetPreview : public QWidget {
    Q_OBJECT
public:
    explicit CSheetPreview(QWidget *parent = nullptr);

    // None: no paper to show (a paper name the catalogue does not know).
    void setSheet(const std::optional<PrintSheet> &sheet, bool printed);
    bool hasSheet() const { return m_sheet.has_value(); }
    bool printed() const { return m_printed; }

    // The sheet as drawn for the control's present size, drawn when first
    // asked for after a change.
    const SheetImage &sheetImage() const;
    // Where the sheet lies in the control.
    QRect sheetRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Control pixels per inch of the sheet.
    double scale() const;

    std::optional<PrintSheet> m_sheet;
    bool m_printed = true;
    mutable std::optional<SheetImage> m_image;
};
