#pragma once
// One drawn control of a form (label, text box, line, shape, picture, frame) as an item of the
// form's scene. The scene is in twips; the item keeps a copy of what it shows, so the model is
// read only when the form widget re-syncs.

#include <QFont>
#include <QGraphicsItem>
#include <QPen>
#include <QStaticText>
#include <QString>
#include <functional>

#include "ui/controls.h"

namespace corvexa::qt {

class ControlItem : public QGraphicsItem {
public:
    using ClickFn = std::function<void()>;

    explicit ControlItem(const Control &c, int sequence);

    // Takes over what the control shows now; returns whether anything visible changed.
    bool Update(const Control &c, const QPalette &palette);

    void SetClick(ClickFn fn, bool hasHandler);
    const Control &shown() const { return shown_; }
    // The text as drawn (line breaks normalised) and its font after shrinking to fit.
    const QString &text() const { return text_; }
    const QFont &drawnFont() const { return font_; }

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    static bool Clickable(ControlKind kind);
    static double LayerOf(ControlKind kind);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    void Prepare(const QPalette &palette);
    void PrepareText(const QRectF &area, bool wrapAllowed);
    void DrawText(QPainter &p) const;
    void PaintLabel(QPainter &p) const;
    void PaintTextBox(QPainter &p) const;
    void PaintShape(QPainter &p) const;
    void PaintLine(QPainter &p) const;
    void PaintPicture(QPainter &p) const;
    void PaintFrame(QPainter &p) const;

    Control shown_;
    QRectF box_;    // the control's rectangle in twips
    QRectF bounds_; // box_ plus pen overhang
    QString text_;
    QFont font_;
    QColor fore_, back_, border_;
    QPen pen_; // lines and shapes
    // Text laid out once per change: painting only places the glyphs.
    QStaticText staticText_;
    QRectF textArea_;
    bool textClipped_ = false; // text larger than its box even after shrinking
    ClickFn click_;
    bool pressed_ = false;
    bool fresh_ = true; // nothing taken over yet
};

// The model's look-relevant properties of two states of one control are the same.
bool SameLook(const Control &a, const Control &b);

// "\r\n" and lone "\r" become "\n".
QString DisplayText(const std::string &caption);

} // namespace corvexa::qt
