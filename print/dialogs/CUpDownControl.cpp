#include "CUpDownControl.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

CUpDownControl::CUpDownControl(QLineEdit *buddy, QWidget *parent)
    : QWidget(parent)
    , m_buddy(buddy)
{
    setFocusPolicy(Qt::NoFocus);
    m_buddy->installEventFilter(this);
    m_repeat.setInterval(60);
    connect(&m_repeat, &QTimer::timeout, this, &CUpDownControl::repeat);
}

void CUpDownControl::setRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
}

void CUpDownControl::step(int direction)
{
    bool ok = false;
    const int typed = m_buddy->text().trimmed().toInt(&ok);
    const int current = std::clamp(ok ? typed : m_position, m_lower, m_upper);
    m_position = std::clamp(current + direction, m_lower, m_upper);
    m_buddy->setText(QString::number(m_position));
}

QSize CUpDownControl::sizeHint() const
{
    return QSize(16, 22);
}

int CUpDownControl::pressedHalf(const QPoint &pos) const
{
    return pos.y() < height() / 2 ? 1 : -1;
}

void CUpDownControl::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int half = height() / 2;
    const QRect halves[] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
    for (int i = 0; i < 2; ++i) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = halves[i];
        const int direction = i == 0 ? 1 : -1;
        if (m_pressed == direction)
            button.state |= QStyle::State_Sunken;
        else
            button.state |= QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &p, this);
        QStyleOption arrow = button;
        arrow.rect = halves[i].adjusted(3, 2, -3, -2);
        style()->drawPrimitive(
            i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &arrow, &p, this);
    }
}

void CUpDownControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    m_pressed = pressedHalf(event->position().toPoint());
    step(m_pressed);
    update();
    // Held down, the arrow repeats after a pause.
    m_repeat.start(400);
}

void CUpDownControl::mouseReleaseEvent(QMouseEvent *)
{
    m_repeat.stop();
    m_pressed = 0;
    update();
}

void CUpDownControl::repeat()
{
    if (m_pressed == 0) {
        m_repeat.stop();
        return;
    }
    m_repeat.setInterval(60);
    step(m_pressed);
}

bool CUpDownControl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_buddy && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
