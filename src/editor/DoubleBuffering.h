#pragma once

#include <QImage>
#include <QRegion>
#include <QSize>

class QPainter;

namespace orvane {

// The off-screen picture of the workspace view: everything is drawn into it and it reaches the
// screen in one copy, so that a repaint never flickers. The image is kept between paints and
// only made again when the window changes size.
class CDoubleBuffering {
public:
    // The buffer for a window of `size` logical pixels, filled white. The image is in device
    // pixels; its device pixel ratio makes painters use logical ones.
    QImage& Prepare(QSize size, qreal devicePixelRatio);
    // Copies the buffer to the screen, within clip.
    void Blit(QPainter& screen, const QRegion& clip) const;

    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
};

} // namespace orvane
