#include "qt/pictures.h"

#include <QFont>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <functional>
#include <string_view>

namespace corvexa::qt {

namespace {

constexpr std::string_view kLetterPrefix = "letter-";

// Drawn in a unit square pointing right (inputs at u = 0, output at u = 1); `map` places the
// square on the element's box, turned a quarter when the box is wider than tall.
using Map = std::function<QPointF(double u, double v)>;

Map MakeMap(const QRectF &box, bool turned) {
    if (turned) {
        return [box](double u, double v) {
            return QPointF(box.left() + v * box.width(), box.top() + u * box.height());
        };
    }
    return [box](double u, double v) {
        return QPointF(box.left() + u * box.width(), box.top() + v * box.height());
    };
}

QPainterPath Polygon(const Map &map, std::initializer_list<std::pair<double, double>> points) {
    QPolygonF poly;
    for (const auto &[u, v] : points) {
        poly << map(u, v);
    }
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

void Letter(QPainter &p, const QRectF &box, const QString &text, double size, const QColor &ink) {
    QFont f;
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(std::max(1, static_cast<int>(size)));
    f.setBold(true);
    f.setHintingPreference(QFont::PreferNoHinting);
    p.setFont(f);
    p.setPen(ink);
    p.drawText(box, Qt::AlignCenter, text);
}

double PenWidth(const QRectF &box) {
    return std::clamp(std::min(box.width(), box.height()) * 0.04, 12.0, 30.0);
}

void Outline(QPainter &p, const QPainterPath &path, const QColor &fill, const QColor &ink,
             double width) {
    p.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

void PaintArithmetic(QPainter &p, const QRectF &box, bool turned, const QColor &fill,
                     const QColor &ink, const QString &name) {
    const Map map = MakeMap(box, turned);
    const QPainterPath body =
        Polygon(map, {{0, 0}, {1, 0.3}, {1, 0.7}, {0, 1}, {0, 0.62}, {0.22, 0.5}, {0, 0.38}});
    Outline(p, body, fill, ink, PenWidth(box));
    const QRectF text(map(0.2, 0.3), map(1.0, 0.7));
    Letter(p, text.normalized(), name, std::min(box.width(), box.height()) * 0.28, ink);
}

void PaintMux(QPainter &p, const QRectF &box, bool turned, const QColor &ink) {
    const double w = PenWidth(box);
    const QRectF body = box.adjusted(w / 2, w / 2, -w / 2, -w / 2);
    const double r = std::min(body.width(), body.height()) / 2;
    p.setPen(QPen(ink, w));
    p.setBrush(QColor(0xF2, 0xF2, 0xF2));
    p.drawRoundedRect(body, r, r);
    const double letter = std::min(box.width(), box.height()) * 0.42;
    if (turned) {
        Letter(p, body, QStringLiteral("Mux"), letter, ink);
        return;
    }
    const std::array<QString, 3> letters = {QStringLiteral("M"), QStringLiteral("U"),
                                            QStringLiteral("X")};
    const double step = body.height() / 5;
    for (size_t i = 0; i < letters.size(); ++i) {
        const QRectF cell(body.left(), body.top() + step * (1 + static_cast<double>(i)),
                          body.width(), step);
        Letter(p, cell, letters[i], std::min(letter, step * 0.9), ink);
    }
}

void PaintAndGate(QPainter &p, const QRectF &box, bool turned, const QColor &ink) {
    const double w = PenWidth(box);
    const QRectF b = box.adjusted(w / 2, w / 2, -w / 2, -w / 2);
    QPainterPath path;
    if (turned) {
        path.moveTo(b.bottomLeft());
        path.lineTo(b.left(), b.top() + b.height() / 2);
        path.arcTo(QRectF(b.left(), b.top(), b.width(), b.height()), 180, 180);
        path.lineTo(b.bottomRight());
    } else {
        path.moveTo(b.topLeft());
        path.lineTo(b.left() + b.width() / 2, b.top());
        path.arcTo(QRectF(b.left(), b.top(), b.width(), b.height()), 90, -180);
        path.lineTo(b.bottomLeft());
    }
    path.closeSubpath();
    Outline(p, path, QColor(0xFF, 0xF0, 0xE8), ink, w);
}

const std::array<QColor, 5> kStageColours = {QColor(0x4A, 0x90, 0xD9), QColor(0x50, 0xB0, 0x60),
                                             QColor(0xE0, 0x9A, 0x30), QColor(0xC0, 0x50, 0x50),
                                             QColor(0x80, 0x60, 0xB0)};

void PaintBanner(QPainter &p, const QRectF &box) {
    const double step = box.width() / 5;
    p.setPen(Qt::NoPen);
    for (size_t i = 0; i < kStageColours.size(); ++i) {
        p.setBrush(kStageColours[i]);
        p.drawRect(
            QRectF(box.left() + step * static_cast<double>(i), box.top(), step, box.height()));
    }
}

// Five instructions stepping through five stages: the picture of a pipeline.
void PaintLogo(QPainter &p, const QRectF &box) {
    const double cw = box.width() / 9;
    const double ch = box.height() / 5;
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), std::max(8.0, ch * 0.04)));
    for (int row = 0; row < 5; ++row) {
        for (int stage = 0; stage < 5; ++stage) {
            p.setBrush(kStageColours[static_cast<size_t>(stage)]);
            const QRectF cell(box.left() + cw * (row + stage), box.top() + ch * row, cw, ch);
            p.drawRect(cell.adjusted(cw * 0.06, ch * 0.12, -cw * 0.06, -ch * 0.12));
        }
    }
}

void PaintTriangle(QPainter &p, const QRectF &box, bool up, const QColor &ink) {
    const QRectF b = box.adjusted(box.width() * 0.12, box.height() * 0.15, -box.width() * 0.12,
                                  -box.height() * 0.15);
    QPolygonF t;
    if (up) {
        t << QPointF(b.center().x(), b.top()) << b.bottomRight() << b.bottomLeft();
    } else {
        t << b.topLeft() << b.topRight() << QPointF(b.center().x(), b.bottom());
    }
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(t);
}

void PaintUnknown(QPainter &p, const QRectF &box, const std::string &kind, const QColor &ink) {
    const double w = PenWidth(box);
    p.setPen(QPen(ink, w));
    p.setBrush(QColor(0xF8, 0xF8, 0xF8));
    p.drawRect(box.adjusted(w / 2, w / 2, -w / 2, -w / 2));
    Letter(p, box, QString::fromStdString(kind),
           std::min(box.height() * 0.3, box.width() / std::max<double>(4, kind.size()) * 1.6), ink);
}

} // namespace

bool KnownPictureKind(const std::string &kind) {
    static const std::array<std::string_view, 8> kKinds = {"alu",  "adder",    "mux2",   "mux3",
                                                           "mux4", "and-gate", "banner", "logo"};
    return std::find(kKinds.begin(), kKinds.end(), kind) != kKinds.end();
}

void PaintElement(QPainter &painter, const QRectF &box, const std::string &kind,
                  const QColor &ink) {
    if (box.width() <= 0 || box.height() <= 0) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const bool turned = box.width() > box.height() * 1.3;
    if (kind == "alu") {
        PaintArithmetic(painter, box, turned, QColor(0xFF, 0xE6, 0xC0), ink, QStringLiteral("ALU"));
    } else if (kind == "adder") {
        PaintArithmetic(painter, box, turned, QColor(0xDC, 0xEE, 0xFF), ink, QStringLiteral("Add"));
    } else if (kind == "mux2" || kind == "mux3" || kind == "mux4") {
        PaintMux(painter, box, turned, ink);
    } else if (kind == "and-gate") {
        PaintAndGate(painter, box, turned, ink);
    } else if (kind == "banner") {
        PaintBanner(painter, box);
    } else if (kind == "logo") {
        PaintLogo(painter, box);
    } else if (kind == "triangle-up" || kind == "triangle-down") {
        PaintTriangle(painter, box, kind == "triangle-up", ink);
    } else if (kind.rfind(kLetterPrefix, 0) == 0 && kind.size() > kLetterPrefix.size()) {
        Letter(painter, box, QString::fromStdString(kind.substr(kLetterPrefix.size())),
               box.height() * 0.8, ink);
    } else {
        PaintUnknown(painter, box, kind, ink);
    }
    painter.restore();
}

} // namespace corvexa::qt
