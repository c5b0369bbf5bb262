#pragma once

#include <FreeImage.h>
#include <QImage>

// A decoded FreeImage bitmap as a QImage the painter can draw. Wherever Qt
// has a pixel format with FreeImage's memory layout (8-bit palette, 16-bit
// 5-5-5 and 5-6-5, 24-bit BGR, 32-bit BGRA, 16-bit grey, 16-bit-per-channel
// RGBA) the QImage is a view over the bitmap's own rows, valid while the
// bitmap lives; other depths are converted. Either way the rows stay in
// FreeImage's bottom-up order: the drawing flips them.
class PictureView {
public:
    // `background` is what palette entries marked transparent are blended
    // with (palette pictures come out opaque).
    PictureView(FIBITMAP *bitmap, QRgb background);

    bool isNull() const { return m_image.isNull(); }
    const QImage &image() const { return m_image; }

    // The image has an alpha channel that is to be composed over the
    // background when drawn.
    bool translucent() const { return m_translucent; }

    // Whether the image shares the bitmap's memory (no pixel was copied).
    bool sharesBitmap() const { return m_shared; }

private:
    void viewStandardBitmap(FIBITMAP *bitmap, QRgb background);
    void viewThirtyTwoBits(FIBITMAP *bitmap);
    void viewRgba16(FIBITMAP *bitmap);
    void setView(FIBITMAP *bitmap, QImage::Format format);

    QImage m_image;
    bool m_translucent = false;
    bool m_shared = false;
};
