#pragma once

#include "geometry/drawing.h"

#include <QFont>
#include <QPainter>
#include <QWidget>

#include <optional>
#include <string>

namespace designer {

// A drive to draw: its profile, pulleys and belt, and the user's decimal separator.
struct DriveToDraw {
    geometry::ProfileChoice profile;
    double larger, smaller;
    std::int64_t beltTeeth;
    std::string decimalSeparator;
};

// A drawing's millimetres on a widget: y upwards, the drawing's box fitted and centred.
struct DrawingFrame {
    geometry::Point lowest{0, 0}, highest{0, 0};
    double scale = 1, left = 0, top = 0;
    static DrawingFrame fitted(const geometry::Drawing &drawing, QSizeF room);
    QPointF at(geometry::Point point) const {
        return {left + (point.x - lowest.x) * scale, top + (highest.y - point.y) * scale};
    }
    geometry::Point millimetres(QPointF pixel) const {
        return {lowest.x + (pixel.x() - left) / scale, highest.y - (pixel.y() - top) / scale};
    }
};

// The drawing in the SVG file's colours, its labels never smaller than smallestText pixels.
void paintDrawing(QPainter &painter, const geometry::Drawing &drawing, const DrawingFrame &frame,
                  QFont font, double smallestText = 0);

// A drive drawn to scale from the library's drawing, in the SVG file's colours: fitted to the
// widget, with its labels never smaller than the window's own text.
class DriveDrawing : public QWidget {
    Q_OBJECT
public:
    explicit DriveDrawing(QWidget *parent = nullptr);

    void setDrive(std::optional<DriveToDraw> drive);
    QSize sizeHint() const override { return {320, 200}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<DriveToDraw> m_drive;
};

} // namespace designer
