#pragma once

#include "designer/drive_drawing.h"
#include "geometry/drawing.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

namespace designer {

// A layout drawn to scale, whose pulleys the mouse drags and the arrow keys move. The pane
// computes no geometry: it says where the user asks a pulley to go, and the page draws what
// the library makes of it. The scale is set to fit a layout when it is opened and when the
// window is resized; it holds while a pulley is dragged, so that the pulley stays under the
// pointer, and after, unless the layout then leaves the pane. A frame shows the focus.
class LayoutPane : public QWidget {
    Q_OBJECT
public:
    explicit LayoutPane(QWidget *parent = nullptr);

    // How to draw, with the text at least so many millimetres high; each entry's centre and the
    // radius within which a click takes it, and which entries carry a warning's mark; none when
    // there is nothing to draw.
    struct Picture {
        std::function<geometry::Drawing(double smallestText)> draw;
        std::vector<geometry::Point> centres;
        std::vector<double> radii;
        std::vector<bool> marked;
    };
    void setPicture(std::optional<Picture> picture);
    // The layout fitted to the pane anew, as a new one is.
    void fitLayout();
    void select(int entry);
    int selected() const { return m_selected; }
    bool dragging() const { return m_dragging; }
    // What is drawn, if anything.
    const std::optional<geometry::Drawing> &drawing() const { return m_drawing; }
    // The pane's millimetres: where a point of the layout is drawn.
    QPointF pixelOf(geometry::Point point) const { return m_frame.at(point); }
    QSize sizeHint() const override { return {480, 360}; }

signals:
    void selectedChanged(int entry);
    void dragStarted(int entry);
    // The centre asked of the dragged entry, in the layout's millimetres.
    void draggedTo(int entry, geometry::Point centre);
    void dragEnded();
    // An arrow key: a step in x and y, mm.
    void nudged(int entry, geometry::Point step);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // The window's text size in the drawing's millimetres at a scale.
    double smallestText(double scale) const;
    bool inView(const geometry::Drawing &drawing) const;

    std::optional<Picture> m_picture;
    std::optional<geometry::Drawing> m_drawing;
    DrawingFrame m_frame;
    bool m_framed = false;
    bool m_moved = false; // a pulley, by hand, since the layout was last fitted
    QSize m_windowSize;
    int m_selected = -1;
    bool m_dragging = false;
    geometry::Point m_grabbedAt{0, 0}, m_centreAtGrab{0, 0};
};

} // namespace designer
