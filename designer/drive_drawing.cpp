#include "designer/drive_drawing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace designer {

DriveDrawing::DriveDrawing(QWidget *parent) : QWidget(parent) {
    setMinimumSize(160, 100);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void DriveDrawing::setDrive(std::optional<DriveToDraw> drive) {
    m_drive = std::move(drive);
    update();
}

void DriveDrawing::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_drive)
        return;
    painter.setRenderHint(QPainter::Antialiasing);

    // Millimetres to pixels, y upwards, the whole box fitted and centred; text that would be
    // smaller than the window's is drawn at its size, and the drawing laid out again round it.
    const double smallest = QFontInfo(font()).pixelSize();
    geometry::Drawing drawing;
    double width = 0, height = 0, scale = 0, textHeight = 0;
    for (int layout = 0; layout < 4; ++layout) {
        drawing = geometry::drawDrive(m_drive->profile, m_drive->larger, m_drive->smaller,
                                      m_drive->beltTeeth, m_drive->decimalSeparator, textHeight);
        width = drawing.highest.x - drawing.lowest.x;
        height = drawing.highest.y - drawing.lowest.y;
        scale = std::min((this->width() - 8) / width, (this->height() - 8) / height);
        if (drawing.labels.front().height * scale >= smallest * 0.99)
            break;
        textHeight = smallest / scale;
    }
    painter.setPen(QPen(Qt::black));
    paintDrawing(painter, drawing, DrawingFrame::fitted(drawing, size() - QSize(8, 8)), font());
}

DrawingFrame DrawingFrame::fitted(const geometry::Drawing &drawing, QSizeF room) {
    DrawingFrame frame{drawing.lowest, drawing.highest, 1, 0, 0};
    const double width = drawing.highest.x - drawing.lowest.x,
                 height = drawing.highest.y - drawing.lowest.y;
    frame.scale = std::min(room.width() / width, room.height() / height);
    frame.left = (room.width() + 8 - width * frame.scale) / 2;
    frame.top = (room.height() + 8 - height * frame.scale) / 2;
    return frame;
}

void paintDrawing(QPainter &painter, const geometry::Drawing &drawing, const DrawingFrame &frame,
                  QFont font, double smallestText) {
    const double scale = frame.scale;
    const auto at = [&](geometry::Point point) { return frame.at(point); };
    const auto pen = [](std::size_t layer, double thickness, Qt::PenStyle style = Qt::SolidLine) {
        QPen made{QColor(QString::fromLatin1(geometry::layerColours[layer])), thickness, style};
        made.setCosmetic(true);
        return made;
    };
    const auto circles = [&](const std::vector<geometry::Circle> &list) {
        for (const geometry::Circle &circle : list)
            painter.drawEllipse(at(circle.centre), circle.radius * scale, circle.radius * scale);
    };
    const auto arcPath = [&](const geometry::Arc &arc) {
        const QPointF centre = at(arc.centre);
        const double radius = arc.radius * scale;
        const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        const double sweep = std::fmod(arc.endAngle - arc.startAngle + 360, 360);
        // Qt's angles are in sixteenths of a degree, counter-clockwise on the screen too.
        painter.drawArc(box, qRound(arc.startAngle * 16), qRound(sweep * 16));
    };
    const auto segments = [&](const auto &list) {
        for (const geometry::Segment &segment : list)
            painter.drawLine(at(segment.from), at(segment.to));
    };

    painter.setBrush(Qt::NoBrush);
    painter.setPen(pen(1, 1));
    circles(drawing.outsideCircles);
    painter.setPen(pen(0, 1, Qt::DashDotLine));
    circles(drawing.pitchCircles);
    painter.setPen(pen(2, 2));
    segments(drawing.spans);
    for (const geometry::Arc &arc : drawing.arcs)
        arcPath(arc);
    painter.setPen(pen(3, 1));
    segments(drawing.centreMarks);
    segments(drawing.dimension);
    QPen travel{QColor(QString::fromLatin1(geometry::travelColour)), 1, Qt::DashLine};
    travel.setCosmetic(true);
    painter.setPen(travel);
    segments(drawing.travel);
    for (const geometry::Arc &arc : drawing.travelArcs)
        arcPath(arc);
    painter.setPen(pen(5, 1));

    for (const geometry::Label &label : drawing.labels) {
        font.setPixelSize(std::max(qRound(std::max(label.height * scale, smallestText)), 1));
        painter.setFont(font);
        const QString text = QString::fromStdString(label.text);
        const QPointF where = at(label.at);
        const double half = QFontMetricsF(font).horizontalAdvance(text) / 2;
        painter.drawText(QPointF(where.x() - half, where.y()), text);
    }
}

} // namespace designer
