// Shared by the controls: a copy of a picture whose pixels of one colour are transparent.
#pragma once

#include <QImage>

namespace controls_detail {

inline QImage withoutKey(const QImage& img, QRgb key) {
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    key &= 0xFFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
    }
    return out;
}

}  // namespace controls_detail
