#pragma once

#include <QTimer>
#include <QWidget>

class QLineEdit;

// Up and down arrows beside an edit field (its buddy) that step the whole
// number in the field within a range. The field keeps any text the user
// types; the arrows (and the arrow keys in the field) read the number from
// it, step it, and write the result back as a decimal number.
class CUpDownControl : public QWidget {
    Q_OBJECT
public:
    explicit CUpDownControl(QLineEdit *buddy, QWidget *parent = nullptr);

    void setRange(int lower, int upper);
    int lower() const { return m_lower; }
    int upper() const { return m_upper; }

    QLineEdit *buddy() const { return m_buddy; }

    // One step up (+1) or down (-1), as a click on an arrow does.
    void step(int direction);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int pressedHalf(const QPoint &pos) const; // +1 upper half, -1 lower half
    void repeat();

    QLineEdit *m_buddy;
    int m_lower = 0;
    int m_upper = 100;
    int m_position = 0; // the last number shown, for a field without one
    int m_pressed = 0;
    QTimer m_repeat;
};
