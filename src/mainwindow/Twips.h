#pragma once

#include <cmath>

// Window geometry is kept in twips (1440 to the inch) and shown in pixels at
// the screen's logical resolution: 15 twips a pixel at 96 DPI.
class Twips {
public:
    explicit Twips(double dpiX = 96.0, double dpiY = 96.0) : m_dpiX(dpiX), m_dpiY(dpiY) {}

    int toPixelsX(int twips) const { return static_cast<int>(std::lround(twips * m_dpiX / 1440.0)); }
    int toPixelsY(int twips) const { return static_cast<int>(std::lround(twips * m_dpiY / 1440.0)); }
    int fromPixelsX(int pixels) const { return static_cast<int>(std::lround(pixels * 1440.0 / m_dpiX)); }
    int fromPixelsY(int pixels) const { return static_cast<int>(std::lround(pixels * 1440.0 / m_dpiY)); }

private:
    double m_dpiX;
    double m_dpiY;
};
