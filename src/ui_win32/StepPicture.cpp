#include "ui_win32/StepPicture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace zelwiz::win32 {
namespace {

// A small deterministic sequence, so that each step has its own network and every run the same.
class Sequence {
  public:
    explicit Sequence(unsigned seed) : state_(seed * 2654435761u + 12345u) {}
    double Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>((state_ >> 8) & 0xFFFF) / 65535.0;
    }

  private:
    unsigned state_;
};

COLORREF FromHsv(int hue, int saturation, int value) {
    const double h = (hue % 360) / 60.0, s = saturation / 255.0, v = value / 255.0;
    const double c = v * s, x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1)), m = v - c;
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(h)) {
        case 0:
            r = c, g = x;
            break;
        case 1:
            r = x, g = c;
            break;
        case 2:
            g = c, b = x;
            break;
        case 3:
            g = x, b = c;
            break;
        case 4:
            r = x, b = c;
            break;
        default:
            r = c, b = x;
            break;
    }
    auto byte = [m](double part) { return static_cast<BYTE>(std::lround((part + m) * 255)); };
    return RGB(byte(r), byte(g), byte(b));
}

// `color` seen through white of the given opacity (0 to 255).
COLORREF Lighten(COLORREF color, int alpha) {
    auto mix = [alpha](int part) { return static_cast<BYTE>(part + (255 - part) * alpha / 255); };
    return RGB(mix(GetRValue(color)), mix(GetGValue(color)), mix(GetBValue(color)));
}

COLORREF Darken(COLORREF color, int alpha) {
    auto mix = [alpha](int part) { return static_cast<BYTE>(part * (255 - alpha) / 255); };
    return RGB(mix(GetRValue(color)), mix(GetGValue(color)), mix(GetBValue(color)));
}

TRIVERTEX Vertex(LONG x, LONG y, COLORREF color) {
    return {x,
            y,
            static_cast<COLOR16>(GetRValue(color) << 8),
            static_cast<COLOR16>(GetGValue(color) << 8),
            static_cast<COLOR16>(GetBValue(color) << 8),
            0};
}

// A diagonal gradient from the light top left to the deep bottom right.
void PaintBackground(HDC dc, const RECT& a, COLORREF light, COLORREF middle, COLORREF deep) {
    TRIVERTEX v[4] = {Vertex(a.left, a.top, Lighten(light, 40)), Vertex(a.right, a.top, middle),
                      Vertex(a.right, a.bottom, deep), Vertex(a.left, a.bottom, middle)};
    GRADIENT_TRIANGLE t[2] = {{0, 1, 2}, {0, 2, 3}};
    GradientFill(dc, v, 4, t, 2, GRADIENT_FILL_TRIANGLE);
}

struct Tool {
    Tool(HDC dc, HGDIOBJ object) : dc_(dc), object_(object), old_(SelectObject(dc, object)) {}
    ~Tool() {
        SelectObject(dc_, old_);
        DeleteObject(object_);
    }
    Tool(const Tool&) = delete;
    Tool& operator=(const Tool&) = delete;

  private:
    HDC dc_;
    HGDIOBJ object_, old_;
};

HPEN RoundPen(int width, COLORREF color) {
    LOGBRUSH brush{BS_SOLID, color, 0};
    return ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                        static_cast<DWORD>(std::max(width, 1)), &brush, 0, nullptr);
}

void PaintNetwork(HDC dc, const RECT& a, int step, COLORREF middle) {
    const double w = a.right - a.left, h = a.bottom - a.top;
    Sequence random(static_cast<unsigned>(step) + 1);
    constexpr int kNodes = 9;
    std::array<POINT, kNodes> nodes{};
    for (int i = 0; i < kNodes; ++i) {
        // Spread over the lower two thirds, one node per band so that lines do not bunch up;
        // the lowest nodes keep clear of the step number in the right corner.
        const double band = h * (0.42 + 0.54 * i / kNodes);
        const double spread = band > h * 0.72 ? 0.45 : 0.8;
        const double x = w * (0.1 + spread * random.Next());
        nodes[static_cast<size_t>(i)] = {a.left + std::lround(x),
                                         a.top + std::lround(band + h * 0.05 * random.Next())};
    }
    {
        Tool pen(dc, RoundPen(static_cast<int>(w / 110), Lighten(middle, 60)));
        for (size_t i = 0; i + 1 < nodes.size(); ++i) {
            MoveToEx(dc, nodes[i].x, nodes[i].y, nullptr);
            LineTo(dc, nodes[i + 1].x, nodes[i + 1].y);
            if (i + 3 < nodes.size() && random.Next() < 0.5) {
                MoveToEx(dc, nodes[i].x, nodes[i].y, nullptr);
                LineTo(dc, nodes[i + 3].x, nodes[i + 3].y);
            }
        }
    }
    const int r = std::max(2, static_cast<int>(w / 45));
    Tool noPen(dc, CreatePen(PS_NULL, 0, 0));
    for (const POINT& node : nodes) {
        const int halo = r * 22 / 10;
        {
            Tool brush(dc, CreateSolidBrush(Lighten(middle, 40)));
            Ellipse(dc, node.x - halo, node.y - halo, node.x + halo, node.y + halo);
        }
        Tool brush(dc, CreateSolidBrush(Lighten(middle, 170)));
        Ellipse(dc, node.x - r, node.y - r, node.x + r, node.y + r);
    }
}

// A telephone handset: a curved grip with an ear piece and a mouth piece, drawn in a 100 x 100
// box around its centre, turned by 40 degrees and scaled by `scale`, its centre at `centre`.
void PaintHandset(HDC dc, POINT centre, double scale, COLORREF color) {
    const double turn = 40.0 * 3.14159265358979 / 180.0;
    const double c = std::cos(turn) * scale, s = std::sin(turn) * scale;
    auto place = [&](double x, double y) {
        return POINT{centre.x + std::lround(x * c - y * s), centre.y + std::lround(x * s + y * c)};
    };
    // The grip: a cubic curve, followed point by point.
    std::array<POINT, 25> grip{};
    for (size_t i = 0; i < grip.size(); ++i) {
        const double t = static_cast<double>(i) / (grip.size() - 1), u = 1 - t;
        const double x =
            u * u * u * -38 + 3 * u * u * t * -34 + 3 * u * t * t * 34 + t * t * t * 38;
        const double y =
            u * u * u * 10 + 3 * u * u * t * -26 + 3 * u * t * t * -26 + t * t * t * 10;
        grip[i] = place(x, y);
    }
    {
        Tool pen(dc, RoundPen(static_cast<int>(13 * scale), color));
        Polyline(dc, grip.data(), static_cast<int>(grip.size()));
    }
    // The two pieces: rounded rectangles, their corners followed point by point.
    Tool noPen(dc, CreatePen(PS_NULL, 0, 0));
    Tool brush(dc, CreateSolidBrush(color));
    for (double left : {-58.0, 18.0}) {
        constexpr double kWidth = 40, kHeight = 26, kRadius = 12;
        std::array<POINT, 4 * 7> outline{};
        const double corners[4][3] = {{left + kWidth - kRadius, kRadius, -90},
                                      {left + kWidth - kRadius, kHeight - kRadius, 0},
                                      {left + kRadius, kHeight - kRadius, 90},
                                      {left + kRadius, kRadius, 180}};
        size_t n = 0;
        for (const auto& corner : corners) {
            for (int k = 0; k < 7; ++k) {
                const double a = (corner[2] + k * 15.0) * 3.14159265358979 / 180.0;
                outline[n++] =
                    place(corner[0] + kRadius * std::cos(a), corner[1] + kRadius * std::sin(a));
            }
        }
        Polygon(dc, outline.data(), static_cast<int>(outline.size()));
    }
}

void PaintStepNumber(HDC dc, const RECT& a, int step, COLORREF deep) {
    const int w = a.right - a.left;
    const int d = w * 26 / 100, margin = w * 8 / 100;
    const RECT badge{a.right - d - margin, a.bottom - d - margin, a.right - margin,
                     a.bottom - margin};
    {
        Tool pen(dc, CreatePen(PS_SOLID, std::max(1, w / 80), Lighten(deep, 200)));
        Tool brush(dc, CreateSolidBrush(Lighten(deep, 36)));
        Ellipse(dc, badge.left, badge.top, badge.right, badge.bottom);
    }
    LOGFONTW font{};
    font.lfHeight = -(d / 2);
    font.lfWeight = FW_BOLD;
    font.lfQuality = ANTIALIASED_QUALITY;
    wcscpy(font.lfFaceName, L"Segoe UI");
    Tool chosen(dc, CreateFontIndirectW(&font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Lighten(deep, 235));
    RECT text = badge;
    const std::wstring number = std::to_wstring(step + 1);
    DrawTextW(dc, number.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace

void PaintStepPicture(HDC dc, const RECT& area, int step) {
    const int hue = 212 - step * 4;
    const COLORREF light = FromHsv(hue, 150, 190), middle = FromHsv(hue + 8, 190, 120),
                   deep = FromHsv(hue + 16, 210, 64);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    PaintBackground(dc, area, light, middle, deep);
    PaintNetwork(dc, area, step, middle);
    const int w = area.right - area.left, h = area.bottom - area.top;
    const double scale = w * 0.66 / 100.0;
    const POINT centre{area.left + w / 2, area.top + h / 5};
    PaintHandset(dc, {centre.x + std::max(2, w / 60), centre.y + std::max(3, w / 45)}, scale,
                 Darken(light, 90));
    PaintHandset(dc, centre, scale, RGB(236, 242, 250));
    PaintStepNumber(dc, area, step, deep);
    RestoreDC(dc, saved);
}

}  // namespace zelwiz::win32
