#include "qt/control_item.h"

#include <QCursor>
#include <QFontMetricsF>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "qt/colours.h"
#include "qt/fonts.h"
#include "qt/pictures.h"

namespace corvexa::qt {

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr double kTwipsPerPoint = 20.0;
constexpr double kSmallestShrink = 0.5; // a value drawn smaller than half size is unreadable
constexpr double kTextBoxInsetX = 45.0;
constexpr double kTextBoxInsetY = 30.0;

bool SameFont(const Font &a, const Font &b) {
    return a.face == b.face && a.points == b.points && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline;
}

Qt::Alignment HorizontalFlag(Align a) {
    switch (a) {
    case Align::Right:
        return Qt::AlignRight;
    case Align::Center:
        return Qt::AlignHCenter;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace

QString DisplayText(const std::string &caption) {
    QString s = QString::fromStdString(caption);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

bool SameLook(const Control &a, const Control &b) {
    return a.caption == b.caption && a.left == b.left && a.top == b.top && a.width == b.width &&
           a.height == b.height && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 &&
           a.borderWidth == b.borderWidth && a.borderColor == b.borderColor && a.shape == b.shape &&
           a.filled == b.filled && a.visible == b.visible && a.enabled == b.enabled &&
           a.checked == b.checked && a.multiLine == b.multiLine && a.transparent == b.transparent &&
           a.foreColor == b.foreColor && a.backColor == b.backColor && SameFont(a.font, b.font) &&
           a.alignment == b.alignment && a.items == b.items && a.listIndex == b.listIndex &&
           a.interval == b.interval && a.pictureKind == b.pictureKind;
}

bool ControlItem::Clickable(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::Picture ||
           kind == ControlKind::TextBox || kind == ControlKind::Frame;
}

// Frames at the back, then shapes, wires, boxes and pictures, labels on top: a value label is
// never covered by the wire it describes.
double ControlItem::LayerOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Frame:
        return 0;
    case ControlKind::Shape:
        return 1;
    case ControlKind::Line:
        return 2;
    case ControlKind::TextBox:
    case ControlKind::Picture:
        return 3;
    default:
        return 4;
    }
}

ControlItem::ControlItem(const Control &c, int sequence) {
    shown_ = c;
    setZValue(LayerOf(c.kind) + sequence * 1e-5);
    setAcceptedMouseButtons(Clickable(c.kind) ? Qt::LeftButton : Qt::NoButton);
    // Vector elements and shapes rarely change: they are kept as pixels of the screen they are
    // on (re-drawn whenever the scale changes, so still sharp). Text is always drawn afresh.
    if (c.kind == ControlKind::Shape || c.kind == ControlKind::Picture) {
        setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    }
}

void ControlItem::SetClick(ClickFn fn, bool hasHandler) {
    click_ = std::move(fn);
    if (hasHandler) {
        setCursor(Qt::PointingHandCursor);
    }
}

bool ControlItem::Update(const Control &c, const QPalette &palette) {
    if (!fresh_ && SameLook(shown_, c)) {
        return false;
    }
    const bool onlyVisibility = !fresh_ && [&] {
        Control probe = c;
        probe.visible = shown_.visible;
        return SameLook(shown_, probe);
    }();
    if (onlyVisibility) {
        shown_.visible = c.visible;
        setVisible(c.visible);
        return true;
    }
    prepareGeometryChange();
    fresh_ = false;
    shown_ = c;
    Prepare(palette);
    setVisible(c.visible);
    update();
    return true;
}

void ControlItem::Prepare(const QPalette &palette) {
    const Control &c = shown_;
    fore_ = ToQColor(c.foreColor, palette);
    back_ = ToQColor(c.backColor, palette);
    border_ = ToQColor(c.borderColor, palette);
    if (c.kind == ControlKind::Line) {
        const double pen = std::max(1, c.borderWidth) * kTwipsPerPixel;
        pen_ = QPen(border_, pen, Qt::SolidLine, Qt::SquareCap);
        box_ = QRectF(QPointF(c.x1, c.y1), QPointF(c.x2, c.y2)).normalized();
        bounds_ = box_.adjusted(-pen, -pen, pen, pen);
        return;
    }
    box_ = QRectF(c.left, c.top, std::max(0, c.width), std::max(0, c.height));
    bounds_ = box_;
    if (c.kind == ControlKind::Shape) {
        const double pen = std::max(0, c.borderWidth) * kTwipsPerPixel;
        pen_ = pen > 0 ? QPen(border_, pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin)
                       : QPen(Qt::NoPen);
        bounds_ = box_.adjusted(-pen, -pen, pen, pen);
        return;
    }
    text_ = DisplayText(c.caption);
    font_ = MakeFont(c.font, kTwipsPerPoint);
    if (c.kind == ControlKind::Label) {
        PrepareText(box_, true);
    } else if (c.kind == ControlKind::TextBox) {
        PrepareText(box_.adjusted(kTextBoxInsetX, kTextBoxInsetY, -kTextBoxInsetX, 0), c.multiLine);
    } else if (c.kind == ControlKind::Frame) {
        PrepareText(QRectF(), false);
    }
}

// Lays the text out for its box the way a reader needs it: as it stands when it fits,
// word-wrapped when the box is tall enough for that, otherwise in a smaller font so no digit is
// cut off.
void ControlItem::PrepareText(const QRectF &area, bool wrapAllowed) {
    textArea_ = area;
    textClipped_ = false;
    QString laid = text_;
    laid.replace(QLatin1Char('\n'), QChar::LineSeparator);
    staticText_ = QStaticText(laid);
    staticText_.setTextFormat(Qt::PlainText);
    staticText_.setPerformanceHint(QStaticText::AggressiveCaching);
    if (text_.isEmpty() || area.width() <= 0) {
        return;
    }
    // Measured with the font's metrics only: the layout itself is made once, when first painted
    // at the screen's scale.
    QTextOption option(HorizontalFlag(shown_.alignment));
    option.setWrapMode(QTextOption::NoWrap);
    const QFontMetricsF metrics(font_);
    const QStringList lines = text_.split(QLatin1Char('\n'));
    double width = 0;
    for (const QString &line : lines) {
        width = std::max(width, metrics.horizontalAdvance(line));
    }
    double height =
        metrics.height() + static_cast<double>(lines.size() - 1) * metrics.lineSpacing();
    if (width > area.width() + 1.0) {
        bool fits = false;
        if (wrapAllowed) {
            const QRectF need = metrics.boundingRect(QRectF(0, 0, area.width(), 1e9),
                                                     Qt::TextWordWrap | Qt::AlignLeft, text_);
            fits = need.height() <= area.height() + metrics.lineSpacing() * 0.25 &&
                   need.width() <= area.width() + 1.0;
            if (fits) {
                option.setWrapMode(QTextOption::WordWrap);
                width = need.width();
                height = need.height();
            }
        }
        if (!fits) {
            const double factor = std::max(kSmallestShrink, area.width() / width);
            const int before = font_.pixelSize();
            const int after = std::max(1, static_cast<int>(std::floor(before * factor)));
            font_.setPixelSize(after);
            width *= static_cast<double>(after) / before;
            height *= static_cast<double>(after) / before;
        }
    }
    // Alignment works within the box's width.
    staticText_.setTextOption(option);
    staticText_.setTextWidth(area.width());
    textClipped_ = width > area.width() + 1.0 || height > area.height() + 1.0;
}

void ControlItem::DrawText(QPainter &p) const {
    if (text_.isEmpty()) {
        return;
    }
    p.setFont(font_);
    p.setPen(shown_.enabled ? fore_ : QColor(0x80, 0x80, 0x80));
    if (!textClipped_) {
        p.drawStaticText(textArea_.topLeft(), staticText_);
        return;
    }
    p.save();
    p.setClipRect(box_, Qt::IntersectClip);
    p.drawStaticText(textArea_.topLeft(), staticText_);
    p.restore();
}

QRectF ControlItem::boundingRect() const {
    return bounds_;
}

void ControlItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) {
    QPainter &p = *painter;
    switch (shown_.kind) {
    case ControlKind::Label:
        PaintLabel(p);
        break;
    case ControlKind::TextBox:
        PaintTextBox(p);
        break;
    case ControlKind::Shape:
        PaintShape(p);
        break;
    case ControlKind::Line:
        PaintLine(p);
        break;
    case ControlKind::Picture:
        PaintPicture(p);
        break;
    case ControlKind::Frame:
        PaintFrame(p);
        break;
    default:
        break;
    }
}

// Every painter setting an item relies on is set here: the view does not save and restore the
// painter around each item.
void ControlItem::PaintLabel(QPainter &p) const {
    p.setRenderHint(QPainter::Antialiasing, false);
    if (!shown_.transparent && shown_.backColor != kNoColour) {
        p.fillRect(box_, back_);
    }
    DrawText(p);
}

void ControlItem::PaintTextBox(QPainter &p) const {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(box_, shown_.backColor == kNoColour ? QColor(Qt::white) : back_);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), kTwipsPerPixel));
    p.setBrush(Qt::NoBrush);
    const double half = kTwipsPerPixel / 2;
    p.drawRect(box_.adjusted(half, half, -half, -half));
    DrawText(p);
}

void ControlItem::PaintShape(QPainter &p) const {
    p.setRenderHint(QPainter::Antialiasing,
                    shown_.shape != ShapeKind::Rectangle && shown_.shape != ShapeKind::Square);
    p.setPen(pen_);
    p.setBrush(shown_.filled ? QBrush(back_) : QBrush(Qt::NoBrush));
    QRectF r = box_;
    if (shown_.shape == ShapeKind::Square || shown_.shape == ShapeKind::Circle) {
        const double side = std::min(r.width(), r.height());
        r = QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
    }
    switch (shown_.shape) {
    case ShapeKind::Rectangle:
    case ShapeKind::Square:
        p.drawRect(r);
        break;
    case ShapeKind::Oval:
    case ShapeKind::Circle:
        p.drawEllipse(r);
        break;
    case ShapeKind::RoundedRectangle: {
        const double radius = std::min(r.width(), r.height()) / 6;
        p.drawRoundedRect(r, radius, radius);
        break;
    }
    }
}

void ControlItem::PaintLine(QPainter &p) const {
    const QLineF line(shown_.x1, shown_.y1, shown_.x2, shown_.y2);
    // Wires along the axes stay on the pixel grid: crisp on a projector. Slanted ones are smoothed.
    p.setRenderHint(QPainter::Antialiasing, line.dx() != 0 && line.dy() != 0);
    p.setPen(pen_);
    p.drawLine(line);
}

void ControlItem::PaintPicture(QPainter &p) const {
    p.setRenderHint(QPainter::Antialiasing, false);
    if (!shown_.transparent && shown_.backColor != kNoColour) {
        p.fillRect(box_, back_);
    }
    if (!shown_.pictureKind.empty()) {
        PaintElement(p, box_, shown_.pictureKind, fore_);
    }
}

void ControlItem::PaintFrame(QPainter &p) const {
    p.setRenderHint(QPainter::Antialiasing, false);
    if (shown_.backColor != kNoColour) {
        p.fillRect(box_, back_);
    }
    p.setFont(font_);
    const QFontMetricsF m(font_);
    const double captionMid = text_.isEmpty() ? 0 : m.height() / 2;
    const QRectF edge = box_.adjusted(kTwipsPerPixel, captionMid, -kTwipsPerPixel, -kTwipsPerPixel);
    p.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), kTwipsPerPixel));
    p.setBrush(Qt::NoBrush);
    p.drawRect(edge);
    if (!text_.isEmpty()) {
        const QRectF caption(box_.left() + 120, box_.top(), m.horizontalAdvance(text_) + 60,
                             m.height());
        p.fillRect(caption, shown_.backColor == kNoColour ? QColor(Qt::white) : back_);
        p.setPen(shown_.enabled ? fore_ : QColor(0x80, 0x80, 0x80));
        p.drawText(caption, Qt::AlignCenter, text_);
    }
}

void ControlItem::mousePressEvent(QGraphicsSceneMouseEvent *event) {
    if (click_ && shown_.enabled && event->button() == Qt::LeftButton) {
        pressed_ = true;
        event->accept();
        return;
    }
    event->ignore();
}

void ControlItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (wasPressed && event->button() == Qt::LeftButton && box_.contains(event->pos()) && click_) {
        // The handler may end with this form unloaded: nothing of this item is used after it.
        const ClickFn fn = click_;
        fn();
    }
}

} // namespace corvexa::qt
