#include "designer/layout_pane.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include <cmath>

namespace designer {

namespace {

// Where a click still takes a pulley drawn small, or a clamp, which is a point: pixels.
constexpr double reach = 8;

} // namespace

LayoutPane::LayoutPane(QWidget *parent) : QWidget(parent) {
    setMinimumSize(200, 150);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFocusPolicy(Qt::StrongFocus);
}

void LayoutPane::setPicture(std::optional<Picture> picture) {
    m_picture = std::move(picture);
    if (!m_picture) {
        m_drawing.reset();
    } else if (!m_framed) {
        fitLayout();
    } else {
        m_drawing = m_picture->draw(smallestText(m_frame.scale));
        if (!m_dragging && !inView(*m_drawing))
            fitLayout();
    }
    update();
}

void LayoutPane::select(int entry) {
    if (entry == m_selected)
        return;
    m_selected = entry;
    update();
    emit selectedChanged(entry);
}

double LayoutPane::smallestText(double scale) const {
    return QFontInfo(font()).pixelSize() / scale;
}

bool LayoutPane::inView(const geometry::Drawing &drawing) const {
    const QRectF view(rect());
    return view.contains(m_frame.at(drawing.lowest)) && view.contains(m_frame.at(drawing.highest));
}

void LayoutPane::fitLayout() {
    if (!m_picture)
        return;
    // Text that would be smaller than the window's is drawn at its size, and the drawing laid
    // out again round it.
    geometry::Drawing drawing = m_picture->draw(0);
    const QSize room = size() - QSize(8, 8);
    m_frame = DrawingFrame::fitted(drawing, room);
    for (int again = 0; again < 3; ++again) {
        const double smallest = smallestText(m_frame.scale);
        if (drawing.labels.front().height >= smallest * 0.99)
            break;
        drawing = m_picture->draw(smallest);
        m_frame = DrawingFrame::fitted(drawing, room);
    }
    m_drawing = std::move(drawing);
    m_framed = true;
    m_moved = false;
}

void LayoutPane::resizeEvent(QResizeEvent *event) {
    // The notes under the drawing come and go with the layout and change the pane's height
    // alone: once a pulley has been moved by hand the view holds then, as through a drag,
    // unless the layout leaves it.
    const bool notes = event->oldSize().width() == width() && window()->size() == m_windowSize;
    m_windowSize = window()->size();
    if (m_dragging || (m_moved && notes && m_drawing && inView(*m_drawing)))
        return;
    fitLayout();
}

void LayoutPane::focusInEvent(QFocusEvent *event) {
    QWidget::focusInEvent(event);
    update();
}

void LayoutPane::focusOutEvent(QFocusEvent *event) {
    QWidget::focusOutEvent(event);
    update();
}

void LayoutPane::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
    if (!m_picture)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    const auto ring = [&](std::size_t entry, double beyond) {
        const QPointF centre = m_frame.at(m_picture->centres[entry]);
        const double radius = m_picture->radii[entry] * m_frame.scale + beyond;
        painter.drawEllipse(centre, radius, radius);
    };
    // Under the drawing: the selected pulley filled, a warning's mark round its pulley.
    if (m_selected >= 0 && m_selected < static_cast<int>(m_picture->centres.size())) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 80, 160, 40));
        ring(static_cast<std::size_t>(m_selected), 3);
    }
    QPen mark(QColor(224, 112, 0), 3);
    painter.setPen(mark);
    painter.setBrush(Qt::NoBrush);
    for (std::size_t entry = 0; entry < m_picture->marked.size(); ++entry)
        if (m_picture->marked[entry])
            ring(entry, 5);
    paintDrawing(painter, *m_drawing, m_frame, font(), QFontInfo(font()).pixelSize());
}

void LayoutPane::mousePressEvent(QMouseEvent *event) {
    if (!m_picture || event->button() != Qt::LeftButton)
        return;
    // The nearest centre among the pulleys under the pointer.
    int taken = -1;
    double nearest = 0;
    for (std::size_t entry = 0; entry < m_picture->centres.size(); ++entry) {
        const QPointF away = event->position() - m_frame.at(m_picture->centres[entry]);
        const double distance = std::hypot(away.x(), away.y());
        if (distance <= std::max(m_picture->radii[entry] * m_frame.scale, reach) &&
            (taken < 0 || distance < nearest)) {
            taken = static_cast<int>(entry);
            nearest = distance;
        }
    }
    select(taken);
    if (taken < 0)
        return;
    m_dragging = true;
    m_grabbedAt = m_frame.millimetres(event->position());
    m_centreAtGrab = m_picture->centres[static_cast<std::size_t>(taken)];
    m_moved = true;
    emit dragStarted(taken);
}

void LayoutPane::mouseMoveEvent(QMouseEvent *event) {
    if (!m_dragging)
        return;
    const geometry::Point at = m_frame.millimetres(event->position());
    emit draggedTo(m_selected, {m_centreAtGrab.x + at.x - m_grabbedAt.x,
                                m_centreAtGrab.y + at.y - m_grabbedAt.y});
}

void LayoutPane::mouseReleaseEvent(QMouseEvent *event) {
    if (!m_dragging || event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    emit dragEnded();
    update();
}

void LayoutPane::keyPressEvent(QKeyEvent *event) {
    const double step = event->modifiers() & Qt::ShiftModifier ? 0.1 : 1;
    geometry::Point by{0, 0};
    switch (event->key()) {
    case Qt::Key_Left:
        by.x = -step;
        break;
    case Qt::Key_Right:
        by.x = step;
        break;
    case Qt::Key_Up:
        by.y = step;
        break;
    case Qt::Key_Down:
        by.y = -step;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (m_selected >= 0 && !m_dragging) {
        m_moved = true;
        emit nudged(m_selected, by);
    }
}

} // namespace designer
