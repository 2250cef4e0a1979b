#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

// An RGB picture that can be drawn with a few flat shapes and saved as PNG.
class Canvas {
public:
    Canvas(int width, int height, Rgb fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb at(int x, int y) const;

    void verticalGradient(Rgb top, Rgb bottom);
    void rect(int x, int y, int w, int h, Rgb colour);
    // alpha 0..255 over what is there.
    void circle(int cx, int cy, int radius, Rgb colour, int alpha = 255);

    // 8-bit RGB PNG, zlib-compressed.
    std::string png() const;

private:
    void blend(int x, int y, Rgb colour, int alpha);

    int width_, height_;
    std::vector<uint8_t> pixels_;
};

Rgb fromHsv(double hueDegrees, double saturation, double value);

} // namespace standin
