#pragma once

class PictureSource;

// What a face is drawn for. Renderers take everything that differs between
// the screen, paper and a file from here, never from the device or from
// earlier calls: a renderer keeps nothing between draws.
struct DrawTarget {
    enum class Medium { Screen, Paper, File };

    Medium medium = Medium::Paper;
    // The screen resolution the cover's font heights were chosen at: fonts
    // keep their size in points whatever the device.
    int fontReferenceDpi = 96;
    // Device pixels per nominal pixel: 1 on paper and in files, the control's
    // size over the face's nominal size on screen.
    double xScale = 1.0;
    double yScale = 1.0;
    // Where the face's pictures come from; null: decoded from their paths.
    PictureSource *pictures = nullptr;

    PictureSource &pictureSource() const;

    static DrawTarget screen(int fontReferenceDpi, double xScale, double yScale)
    {
        return {Medium::Screen, fontReferenceDpi, xScale, yScale, nullptr};
    }
    static DrawTarget paper(int fontReferenceDpi)
    {
        return {Medium::Paper, fontReferenceDpi, 1.0, 1.0, nullptr};
    }
    static DrawTarget file(int fontReferenceDpi)
    {
        return {Medium::File, fontReferenceDpi, 1.0, 1.0, nullptr};
    }
    DrawTarget withPictures(PictureSource *source) const
    {
        DrawTarget t = *this;
        t.pictures = source;
        return t;
    }
};
