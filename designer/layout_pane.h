#pragma once

#include "designer/drive_drawing.h"
#include "geometry/drawing.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace designer {

// A layout drawn to scale, fitted to the pane, whose pulleys the mouse drags and the arrow
// keys move. The pane computes no geometry: it says where the user asks a pulley to go, and
// the page draws what the library makes of it. While a pulley is dragged the scale holds, so
// that the pulley stays under the pointer.
class LayoutPane : public QWidget {
    Q_OBJECT
public:
    explicit LayoutPane(QWidget *parent = nullptr);

    // What to draw, each entry's centre and the radius within which a click takes it, and
    // which entries carry a warning's mark; none when the layout cannot be drawn.
    struct Picture {
        geometry::Drawing drawing;
        std::vector<geometry::Point> centres;
        std::vector<double> radii;
        std::vector<bool> marked;
    };
    void setPicture(std::optional<Picture> picture);
    void select(int entry);
    int selected() const { return m_selected; }
    bool dragging() const { return m_dragging; }
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

private:
    void fit();

    std::optional<Picture> m_picture;
    DrawingFrame m_frame;
    int m_selected = -1;
    bool m_dragging = false;
    geometry::Point m_grabbedAt{0, 0}, m_centreAtGrab{0, 0};
};

} // namespace designer
