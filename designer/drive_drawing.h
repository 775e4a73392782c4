#pragma once

#include "geometry/drawing.h"

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
