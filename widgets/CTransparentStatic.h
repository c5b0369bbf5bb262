#pragma once

#include <QColor>
#include <QLabel>
#include <cstdint>

// A caption drawn straight onto whatever its parent painted beneath it (a
// white band, a picture), in a colour the owning dialog picks. Headings use
// 0x663300, other captions black. A disabled label keeps the palette's
// greyed text so that disabled fields read as disabled.
class CTransparentStatic : public QLabel {
    Q_OBJECT
public:
    using ColorRef = uint32_t; // 0x00BBGGRR

    explicit CTransparentStatic(QWidget *parent = nullptr);
    explicit CTransparentStatic(const QString &text, QWidget *parent = nullptr);

    void setTextColor(ColorRef color);
    void setTextColor(const QColor &color);
    QColor textColor() const { return m_textColor; }
    ColorRef textColorRef() const;

    static QColor fromColorRef(ColorRef color);
    static ColorRef toColorRef(const QColor &color);

private:
    void init();
    void applyColor();

    QColor m_textColor = Qt::black;
};
