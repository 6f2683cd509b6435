#include "editor/DoubleBuffering.h"

#include <QPainter>

namespace orvane {

QImage& CDoubleBuffering::Prepare(QSize size, qreal devicePixelRatio) {
    const QSize pixels = (QSizeF(size) * devicePixelRatio).toSize().expandedTo(QSize(1, 1));
    if (m_image.size() != pixels || m_image.devicePixelRatio() != devicePixelRatio) {
        m_image = QImage(pixels, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(devicePixelRatio);
    }
    m_image.fill(Qt::white);
    return m_image;
}

void CDoubleBuffering::Blit(QPainter& screen, const QRegion& clip) const {
    screen.save();
    screen.setClipRegion(clip);
    screen.drawImage(QPoint(0, 0), m_image);
    screen.restore();
}

} // namespace orvane
