#include "qt/form_widget.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPolygonF>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <set>

#include <xcb/xcb.h>

#include "qt/colours.h"
#include "qt/control_item.h"
#include "qt/fonts.h"
#include "qt/qt_desk.h"
#include "ui/status_text.h"

namespace corvexa::qt {

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr double kTwipsPerPoint = 20.0;
constexpr int kVisibleListItems = 20;

bool IsDrawn(ControlKind k) {
    return k == ControlKind::Label || k == ControlKind::TextBox || k == ControlKind::Line ||
           k == ControlKind::Shape || k == ControlKind::Picture || k == ControlKind::Frame;
}

bool IsWidget(ControlKind k) {
    return k == ControlKind::Button || k == ControlKind::ComboBox || k == ControlKind::CheckBox;
}

bool IsSystemColour(int32_t c) {
    return (static_cast<uint32_t>(c) & 0x80000000U) != 0;
}

// A button or list with a colour of its own shows it as one flat fill; the style's gradient would
// wash it out, and a list would take its closed box from another role. Those without keep the
// style's look.
constexpr char kOwnBack[] = "corvexaOwnBack";

bool HasOwnBack(const QWidget *w) {
    return w != nullptr && w->property(kOwnBack).toBool();
}

void DrawFlatPanel(QPainter *p, const QStyleOption &o, const QColor &fill, bool focus) {
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    p->fillRect(o.rect, fill);
    p->setBrush(Qt::NoBrush);
    const QRect edge = o.rect.adjusted(0, 0, -1, -1);
    if (focus) {
        // Two pixels wide: one alone is lost against a pale fill.
        p->setPen(o.palette.color(QPalette::Highlight));
        p->drawRect(edge);
        p->drawRect(edge.adjusted(1, 1, -1, -1));
    } else {
        const QColor outline = o.palette.color(QPalette::Window).darker(140);
        p->setPen((o.state & QStyle::State_Enabled) != 0 ? outline : outline.lighter(115));
        p->drawRect(edge);
    }
    p->restore();
}

void DrawDownArrow(QPainter *p, const QRect &room, const QColor &ink) {
    const double width = std::min(7.0, room.width() * 0.6);
    const QPointF mid = QRectF(room).center();
    const QPolygonF arrow({QPointF(mid.x() - width / 2, mid.y() - width / 4),
                           QPointF(mid.x() + width / 2, mid.y() - width / 4),
                           QPointF(mid.x(), mid.y() + width / 4)});
    p->save();
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setPen(Qt::NoPen);
    p->setBrush(ink);
    p->drawPolygon(arrow);
    p->restore();
}

// Drop-down lists open below the box as a list, the way the system's lists open, instead of
// laying the list over the box around its current item. The mouse wheel passing over a closed
// list leaves it alone: a choice fires the list's handler, which may rewrite a program row.
// The flat panels are drawn here and not cached: the style caches its pictures under the palette,
// and a control with colours of its own has a palette of its own in every window, so the pictures
// would outlive the window.
class ControlStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override {
        if (hint == QStyle::SH_ComboBox_Popup || hint == QStyle::SH_ComboBox_AllowWheelScrolling) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override {
        if (element == PE_PanelButtonCommand && HasOwnBack(widget)) {
            const bool down = (option->state & (State_Sunken | State_On)) != 0;
            const QColor fill = option->palette.color(QPalette::Button);
            DrawFlatPanel(painter, *option, down ? fill.darker(110) : fill,
                          (option->state & State_HasFocus) != 0 &&
                              (option->state & State_KeyboardFocusChange) != 0);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget) const override {
        const auto *list = qstyleoption_cast<const QStyleOptionComboBox *>(option);
        if (control == CC_ComboBox && list != nullptr && !list->editable && HasOwnBack(widget)) {
            DrawFlatPanel(painter, *option, option->palette.color(QPalette::Button),
                          (option->state & State_HasFocus) != 0);
            if ((list->subControls & SC_ComboBoxArrow) != 0) {
                QColor ink = option->palette.color(QPalette::ButtonText);
                ink.setAlpha(160);
                DrawDownArrow(painter,
                              proxy()->subControlRect(CC_ComboBox, list, SC_ComboBoxArrow, widget),
                              ink);
            }
            return;
        }
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
};

QStyle *ControlsStyle() {
    static auto *style =
        new ControlStyle; // shared by every button and list, lives as long as the program
    return style;
}

// Without a window manager nobody restacks windows; the offscreen platform has no stacking at all.
void BringToFront(QWidget *w) {
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        w->raise();
    }
}

// One window property that holds a window id, or 0.
xcb_window_t WindowProperty(xcb_connection_t *c, xcb_window_t window, xcb_atom_t property) {
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, XCB_ATOM_WINDOW, 0, 1), nullptr);
    xcb_window_t value = 0;
    if (reply != nullptr && reply->type == XCB_ATOM_WINDOW && reply->format == 32 &&
        xcb_get_property_value_length(reply) == sizeof(xcb_window_t)) {
        value = *static_cast<xcb_window_t *>(xcb_get_property_value(reply));
    }
    std::free(reply);
    return value;
}

// Whether something maximises this window when asked. On X11 only a window manager does, and a
// window manager of today names its check window on the root window (the check window names
// itself too, so a stale id left by a window manager that has gone does not count). Other
// platforms maximise windows themselves.
bool WindowManagerMaximises(QWidget *w) {
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        return true;
    }
    xcb_connection_t *c = x11->connection();
    static constexpr char kCheck[] = "_NET_SUPPORTING_WM_CHECK";
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof kCheck - 1, kCheck), nullptr);
    const xcb_atom_t check = atom != nullptr ? atom->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(atom);
    if (check == XCB_ATOM_NONE) {
        return false;
    }
    xcb_query_tree_reply_t *tree =
        xcb_query_tree_reply(c, xcb_query_tree(c, static_cast<xcb_window_t>(w->winId())), nullptr);
    const xcb_window_t root = tree != nullptr ? tree->root : 0;
    std::free(tree);
    const xcb_window_t wm = root != 0 ? WindowProperty(c, root, check) : 0;
    return wm != 0 && WindowProperty(c, wm, check) == wm;
}

int ToPixels(int twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
int ToTwips(int pixels) {
    return static_cast<int>(std::lround(pixels * kTwipsPerPixel));
}

} // namespace

DrawingView::DrawingView(QGraphicsScene *scene, QWidget *parent) : QGraphicsView(scene, parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignCenter);
    setRenderHint(QPainter::TextAntialiasing, true);
    setRenderHint(QPainter::SmoothPixmapTransform, true);
    setOptimizationFlags(QGraphicsView::DontSavePainterState);
    setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    setCacheMode(QGraphicsView::CacheNone);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::NoAnchor);
}

// A click on a window brings it to the front, as a window manager would; on a bare display the
// window would otherwise stay under whatever was opened over it.
void DrawingView::mousePressEvent(QMouseEvent *event) {
    BringToFront(window());
    QGraphicsView::mousePressEvent(event);
}

void DrawingView::resizeEvent(QResizeEvent *event) {
    QGraphicsView::resizeEvent(event);
    Fit();
}

// What lies outside the window's own area (controls beyond a width the window was given) stays
// hidden in the margins around the drawing.
void DrawingView::drawForeground(QPainter *painter, const QRectF &rect) {
    const QRectF drawing = sceneRect();
    if (drawing.contains(rect)) {
        return;
    }
    painter->setRenderHint(QPainter::Antialiasing, false);
    const QBrush ground = backgroundBrush();
    const std::array<QRectF, 4> margins = {
        QRectF(QPointF(rect.left(), rect.top()), QPointF(rect.right(), drawing.top())),
        QRectF(QPointF(rect.left(), drawing.bottom()), QPointF(rect.right(), rect.bottom())),
        QRectF(QPointF(rect.left(), drawing.top()), QPointF(drawing.left(), drawing.bottom())),
        QRectF(QPointF(drawing.right(), drawing.top()), QPointF(rect.right(), drawing.bottom()))};
    for (const QRectF &m : margins) {
        const QRectF visible = m.normalized().intersected(rect);
        if (!visible.isEmpty()) {
            painter->fillRect(visible, ground);
        }
    }
}

void DrawingView::Fit() {
    const QRectF drawing = sceneRect();
    if (drawing.width() > 0 && drawing.height() > 0 && viewport()->width() > 0 &&
        viewport()->height() > 0) {
        // The whole drawing, proportions kept, centred in the space there is.
        const double s = std::min(viewport()->width() / drawing.width(),
                                  viewport()->height() / drawing.height());
        setTransform(QTransform::fromScale(s, s));
        centerOn(drawing.center());
    }
    emit Resized();
}

FormWidget::FormWidget(QtDesk &desk, Form &form)
    : desk_(desk), form_(&form), name_(form.name()), scene_(new QGraphicsScene(this)),
      view_(new DrawingView(scene_, this)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setObjectName(QString::fromStdString(name_));
    scene_->setItemIndexMethod(QGraphicsScene::NoIndex);
    const double w = form.width > 0 ? form.width : 4800;
    const double h = form.height > 0 ? form.height : 3600;
    design_ = QRectF(0, 0, w, h);
    layoutDesign_ = design_;
    content_ = design_;
    scene_->setSceneRect(design_);
    setCentralWidget(view_);
    menuBar()->setNativeMenuBar(false);
    connect(view_, &DrawingView::Resized, this, [this] { PlaceWidgets(); });
    Build();
    if (form.frameless) {
        // Window managers that ignore the frameless hint (older X ones) still caption the window
        // unless it bypasses them; a splash needs nothing a window manager gives.
        setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    } else if (!form.resizable) {
        setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    }
    resize(ToPixels(static_cast<int>(w)), ToPixels(static_cast<int>(h)));
}

FormWidget::~FormWidget() = default;

double FormWidget::Scale() const {
    return view_->transform().m11();
}

void FormWidget::Build() {
    int sequence = 0;
    for (Control &c : form_->controls()) {
        Entry &e = entries_.emplace_back();
        e.control = &c;
        byKey_[ControlKey(c.name, c.index)] = entries_.size() - 1;
        if (IsDrawn(c.kind)) {
            e.item = new ControlItem(c, sequence);
            if (ControlItem::Clickable(c.kind)) {
                const std::string name = c.name;
                const int index = c.index;
                e.item->SetClick([this, name, index] { Dispatch(name, index); },
                                 form_->HasHandler(name));
            }
            e.item->setVisible(false);
            scene_->addItem(e.item);
        } else if (IsWidget(c.kind)) {
            AddWidget(e);
        } else if (c.kind == ControlKind::Timer) {
            auto *timer = new QTimer(this);
            const std::string name = c.name;
            const int index = c.index;
            connect(timer, &QTimer::timeout, this, [this, name, index] {
                // A tick that falls inside a running handler is dropped: timers here only
                // refresh indicators, and a handler must never start inside another.
                if (desk_.Idle()) {
                    Dispatch(name, index);
                }
            });
            e.timer = timer;
        } else if (c.kind == ControlKind::StatusPanel) {
            AddPanel(e);
        }
        ++sequence;
    }
    BuildMenus();
}

void FormWidget::AddWidget(Entry &e) {
    Control &c = *e.control;
    const std::string name = c.name;
    const int index = c.index;
    QWidget *w = nullptr;
    switch (c.kind) {
    case ControlKind::Button: {
        auto *b = new QPushButton(view_->viewport());
        b->setAutoDefault(false);
        b->setStyle(ControlsStyle());
        connect(b, &QPushButton::clicked, this, [this, name, index] { Dispatch(name, index); });
        w = b;
        break;
    }
    case ControlKind::ComboBox: {
        auto *box = new QComboBox(view_->viewport());
        box->setEditable(false);
        box->setStyle(ControlsStyle());
        box->setMaxVisibleItems(kVisibleListItems);
        connect(box, &QComboBox::activated, this, [this, name, index](int choice) {
            if (form_ == nullptr) {
                return;
            }
            Form *f = form_;
            desk_.RunHandler([f, name, index, choice] {
                if (Control *ctl = f->Find(name, index)) {
                    ctl->SetListIndex(choice);
                }
            });
        });
        w = box;
        break;
    }
    case ControlKind::CheckBox: {
        auto *box = new QCheckBox(view_->viewport());
        connect(box, &QCheckBox::clicked, this, [this, name, index](bool on) {
            if (form_ == nullptr) {
                return;
            }
            Form *f = form_;
            desk_.RunHandler([f, name, index, on] {
                if (Control *ctl = f->Find(name, index)) {
                    ctl->checked = on;
                }
                f->Click(name, index);
            });
        });
        w = box;
        break;
    }
    default:
        return;
    }
    w->setObjectName(QString::fromStdString(ControlKey(name, index)));
    w->hide();
    e.widget = w;
}

// Status-bar panels are the toolkit's own: the bar spans the window's bottom edge at the screen's
// text size, whatever the drawing's scale. The first panel takes the width the others leave.
void FormWidget::AddPanel(Entry &e) {
    QStatusBar *bar = statusBar();
    auto *label = new QLabel(bar);
    label->setObjectName(QString::fromStdString(ControlKey(e.control->name, e.control->index)));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setIndent(4);
    const bool first = std::none_of(entries_.begin(), entries_.end(),
                                    [](const Entry &other) { return !other.panel.isNull(); });
    bar->addWidget(label, first ? 1 : 0);
    e.panel = label;
    if (panelClock_ == nullptr && IsClockPanel(e.control->pictureKind)) {
        // Wakes when the minute changes, never in between.
        panelClock_ = new QTimer(this);
        panelClock_->setSingleShot(true);
        panelClock_->setTimerType(Qt::PreciseTimer);
        connect(panelClock_, &QTimer::timeout, this, [this] {
            ShowPanelTexts();
            panelClock_->start(MsUntilNextMinute());
        });
        panelClock_->start(MsUntilNextMinute());
    }
}

void FormWidget::ShowPanelTexts() {
    for (const Entry &e : entries_) {
        if (e.panel) {
            e.panel->setText(DisplayText(StatusPanelText(e.shown.pictureKind, e.shown.caption)));
        }
    }
}

void FormWidget::BuildMenus() {
    std::set<std::string> parents;
    for (const Entry &e : entries_) {
        if (e.control->kind == ControlKind::MenuItem && !e.control->parent.empty()) {
            parents.insert(e.control->parent);
        }
    }
    std::map<std::string, QMenu *> menus;
    auto findParent = [&](const std::string &parent) -> QMenu * {
        auto it = menus.find(parent);
        if (it != menus.end()) {
            return it->second;
        }
        // Tables may name the parent by its caption.
        for (const Entry &e : entries_) {
            if (e.menu && e.control->caption == parent) {
                return e.menu;
            }
        }
        return nullptr;
    };
    for (Entry &e : entries_) {
        const Control &c = *e.control;
        if (c.kind != ControlKind::MenuItem) {
            continue;
        }
        const QString text = DisplayText(c.caption);
        const std::string name = c.name;
        const int index = c.index;
        QMenu *under = c.parent.empty() ? nullptr : findParent(c.parent);
        if (c.caption == "-" && under != nullptr) {
            e.action = under->addSeparator();
        } else if (parents.count(name) != 0) {
            QMenu *m = under != nullptr ? under->addMenu(text) : menuBar()->addMenu(text);
            menus[name] = m;
            e.menu = m;
            e.action = m->menuAction();
            connect(m, &QMenu::aboutToShow, this, [this, name, index] {
                // A menu title with a handler of its own runs it before it drops down.
                if (form_ != nullptr && form_->HasHandler(name) && desk_.Idle()) {
                    Dispatch(name, index);
                }
            });
        } else {
            QAction *a = under != nullptr ? under->addAction(text) : menuBar()->addAction(text);
            connect(a, &QAction::triggered, this, [this, name, index] { Dispatch(name, index); });
            e.action = a;
        }
        if (e.action) {
            e.action->setObjectName(QString::fromStdString(ControlKey(name, index)));
        }
    }
}

void FormWidget::Dispatch(const std::string &control, int index) {
    if (form_ == nullptr) {
        return;
    }
    Form *f = form_;
    desk_.RunHandler([f, control, index] { f->Click(control, index); });
}

void FormWidget::SyncWindow() {
    if (form_ == nullptr) {
        return;
    }
    Form &f = *form_;
    syncing_ = true;
    if (!shownCaption_ || f.caption != *shownCaption_) {
        shownCaption_ = f.caption;
        // A blank, as an empty title lets the platform put the program's name on the title bar.
        setWindowTitle(f.caption.empty() ? QStringLiteral(" ") : QString::fromStdString(f.caption));
    }
    if (f.backColor != shownBack_) {
        shownBack_ = f.backColor;
        const QColor back = ToQColor(f.backColor, palette());
        view_->setBackgroundBrush(back);
    }
    const bool placementMoved = f.left != placedLeft_ || f.top != placedTop_ ||
                                f.width != placedWidth_ || f.height != placedHeight_;
    if ((f.width != seenWidth_ || f.height != seenHeight_) && f.width > 0 && f.height > 0) {
        // The window's own code gave it a new size: in a normal window it shows that much of its
        // drawing (a window that grows to show more columns), still scaled to the space it has.
        seenWidth_ = f.width;
        seenHeight_ = f.height;
        content_ = QRectF(0, 0, f.width, f.height);
    }
    // A maximised window shows its whole design on the screen.
    const QRectF drawing = f.windowState == WindowState::Maximised ? layoutDesign_ : content_;
    if (drawing != design_) {
        design_ = drawing;
        scene_->setSceneRect(design_);
        view_->Fit();
    }
    if (placementMoved && !isMaximized() && !isMinimized()) {
        // The window's restored placement; a maximised window takes it up when restored.
        PlaceOnScreen(f);
        placedLeft_ = f.left;
        placedTop_ = f.top;
        placedWidth_ = f.width;
        placedHeight_ = f.height;
    }
    if (f.visible) {
        // A window made visible comes to the front, also where no window manager stacks it.
        const bool appearing = !isVisible();
        switch (f.windowState) {
        case WindowState::Maximised:
            if (!isMaximized() || !isVisible()) {
                ShowMaximised();
            }
            break;
        case WindowState::Minimised:
            if (!isMinimized() || !isVisible()) {
                showMinimized();
            }
            break;
        case WindowState::Normal:
            if (isMaximized() || isMinimized() || !isVisible()) {
                showNormal();
            }
            break;
        }
        if (appearing || frontRequested_) {
            BringToFront(this);
        }
        // Shown again while it stood behind another window: the user asked for it, so it takes
        // the focus, and its repaint runs as for any window brought to the front.
        if (frontRequested_ && !appearing) {
            activateWindow();
        }
        frontRequested_ = false;
    } else if (isVisible()) {
        hide();
        frontRequested_ = false;
    }
    syncing_ = false;
}

// A window laid out for a larger screen than this one is made smaller (its drawing scales with it)
// and moved so that all of it is on the screen.
void FormWidget::PlaceOnScreen(const Form &f) {
    QSize size =
        f.width > 0 && f.height > 0 ? QSize(ToPixels(f.width), ToPixels(f.height)) : this->size();
    const bool positioned = f.left != 0 || f.top != 0;
    QPoint at(ToPixels(f.left), ToPixels(f.top));
    if (const QScreen *sc = screen()) {
        const QRect avail = sc->availableGeometry();
        QSize frame = frameGeometry().size() - this->size();
        if (!isVisible() || frame.isEmpty()) {
            frame = QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
        }
        size = size.boundedTo(avail.size() - frame);
        if (positioned) {
            at.setX(std::clamp(
                at.x(), avail.left(),
                std::max(avail.left(), avail.right() + 1 - size.width() - frame.width())));
            at.setY(std::clamp(
                at.y(), avail.top(),
                std::max(avail.top(), avail.bottom() + 1 - size.height() - frame.height())));
        }
    }
    resize(size);
    if (positioned) {
        move(at);
    }
}

// Without a window manager (a bare X server before a projector) nobody maximises: the window
// takes the screen itself before it appears, so it is never seen at its restored size.
void FormWidget::ShowMaximised() {
    if (screen() != nullptr && !WindowManagerMaximises(this)) {
        syncing_ = true;
        // Maximised first, so the restored placement stays the one to go back to.
        setWindowState(windowState() | Qt::WindowMaximized);
        setGeometry(screen()->availableGeometry());
        syncing_ = false;
    }
    showMaximized();
}

void FormWidget::SyncAll() {
    if (form_ == nullptr) {
        return;
    }
    lastChanges_ = 0;
    if (entries_.size() != form_->controls().size()) {
        return; // controls never come or go after construction; nothing sound to draw
    }
    // Contents first, so a window that is about to appear shows the model's state at once.
    for (Entry &e : entries_) {
        SyncEntry(e);
    }
    SyncWindow();
}

void FormWidget::SyncTimers() {
    if (form_ == nullptr) {
        return;
    }
    for (Entry &e : entries_) {
        if (e.timer) {
            SyncTimer(e);
            e.shown.interval = e.control->interval;
            e.shown.enabled = e.control->enabled;
            e.fresh = false; // a running timer is not restarted by the next sync
        }
    }
}

void FormWidget::SyncEntry(Entry &e) {
    const Control &c = *e.control;
    if (!e.fresh && SameLook(e.shown, c)) {
        return;
    }
    ++lastChanges_;
    if (e.item != nullptr) {
        e.item->Update(c, palette());
    } else if (e.widget) {
        SyncWidget(e);
    } else if (e.action) {
        SyncAction(e);
    } else if (e.timer) {
        SyncTimer(e);
    } else if (e.panel) {
        SyncPanel(e);
    }
    e.shown = c;
    e.fresh = false;
}

void FormWidget::SyncTimer(Entry &e) {
    const Control &c = *e.control;
    const bool run = form_ != nullptr && c.enabled && c.interval > 0;
    const bool wasRunning = e.timer->isActive();
    if (!run) {
        if (wasRunning) {
            e.timer->stop();
        }
        return;
    }
    if (!wasRunning || e.fresh || e.shown.interval != c.interval || !e.shown.enabled) {
        e.timer->start(c.interval);
    }
}

void FormWidget::SyncPanel(Entry &e) {
    const Control &c = *e.control;
    QLabel *l = e.panel;
    l->setText(DisplayText(StatusPanelText(c.pictureKind, c.caption)));
    l->setFont(MakeFont(c.font, kTwipsPerPoint / kTwipsPerPixel));
    l->setMinimumWidth(ToPixels(c.width));
    l->setAlignment(c.alignment == Align::Center  ? Qt::AlignCenter
                    : c.alignment == Align::Right ? Qt::AlignRight | Qt::AlignVCenter
                                                  : Qt::AlignLeft | Qt::AlignVCenter);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, ToQColor(c.foreColor, palette()));
    const bool ownBack = c.backColor != kNoColour && !IsSystemColour(c.backColor);
    if (ownBack) {
        pal.setColor(QPalette::Window, ToQColor(c.backColor, palette()));
    }
    l->setAutoFillBackground(ownBack);
    l->setPalette(pal);
    l->setVisible(c.visible);
}

void FormWidget::SyncAction(Entry &e) {
    const Control &c = *e.control;
    QAction *a = e.action;
    if (e.fresh || e.shown.caption != c.caption) {
        if (!a->isSeparator()) {
            a->setText(DisplayText(c.caption));
        }
    }
    a->setVisible(c.visible);
    a->setEnabled(c.enabled);
    if (!e.menu) {
        // Only a checked item shows a check box; Qt's own toggle is undone by this sync.
        a->setCheckable(c.checked);
        a->setChecked(c.checked);
    }
}

void FormWidget::SyncWidget(Entry &e) {
    const Control &c = *e.control;
    QWidget *w = e.widget;
    const Control &was = e.shown;
    const bool all = e.fresh;
    if (all || c.left != was.left || c.top != was.top || c.width != was.width ||
        c.height != was.height) {
        PlaceWidget(e);
    }
    if (all || c.font.face != was.font.face || c.font.points != was.font.points ||
        c.font.bold != was.font.bold || c.font.italic != was.font.italic ||
        c.font.underline != was.font.underline) {
        FontWidget(e);
    }
    if (all || c.foreColor != was.foreColor || c.backColor != was.backColor) {
        ColourWidget(e);
    }
    if (auto *b = qobject_cast<QPushButton *>(w)) {
        if (all || c.caption != was.caption) {
            b->setText(DisplayText(c.caption));
        }
    } else if (auto *box = qobject_cast<QCheckBox *>(w)) {
        if (all || c.caption != was.caption) {
            box->setText(DisplayText(c.caption));
        }
        const QSignalBlocker block(box);
        box->setChecked(c.checked);
    } else if (auto *list = qobject_cast<QComboBox *>(w)) {
        const QSignalBlocker block(list);
        if (all || c.items != was.items) {
            list->clear();
            for (const std::string &item : c.items) {
                list->addItem(QString::fromStdString(item));
            }
        }
        const int chosen =
            c.listIndex >= 0 && c.listIndex < static_cast<int>(c.items.size()) ? c.listIndex : -1;
        // With no item chosen a list still shows its text, such as a loaded value it has no item
        // for.
        if (all || c.caption != was.caption) {
            list->setPlaceholderText(DisplayText(c.caption));
        }
        if (list->currentIndex() != chosen) {
            list->setCurrentIndex(chosen);
        }
    }
    if (w->isEnabled() != c.enabled) {
        w->setEnabled(c.enabled);
    }
    ShowWidget(e);
}

void FormWidget::ColourWidget(Entry &e) {
    const Control &c = *e.control;
    QWidget *w = e.widget;
    const QPalette inherited = w->parentWidget()->palette();
    QPalette pal = inherited;
    const QColor fore = ToQColor(c.foreColor, palette());
    const QColor back = ToQColor(c.backColor, palette());
    const bool own = c.backColor != kNoColour && !IsSystemColour(c.backColor);
    // Text colours hold for the enabled states: a disabled control greys its text as the style
    // does.
    const auto text = [&pal, &fore](QPalette::ColorRole role) {
        pal.setColor(QPalette::Active, role, fore);
        pal.setColor(QPalette::Inactive, role, fore);
    };
    switch (c.kind) {
    case ControlKind::Button:
        text(QPalette::ButtonText);
        if (own) {
            pal.setColor(QPalette::Button, back);
        }
        break;
    case ControlKind::CheckBox:
        text(QPalette::WindowText);
        pal.setColor(QPalette::Window, back);
        w->setAutoFillBackground(c.backColor != kNoColour);
        break;
    case ControlKind::ComboBox:
        // A closed list is drawn in the button role, its open list in the base role.
        text(QPalette::Text);
        text(QPalette::ButtonText);
        if (c.backColor != kNoColour) {
            pal.setColor(QPalette::Base, back);
        }
        if (own) {
            pal.setColor(QPalette::Button, back);
        }
        break;
    default:
        break;
    }
    w->setProperty(kOwnBack, own && c.kind != ControlKind::CheckBox);
    // Colours the widget inherits anyway are not given again: a palette of its own is a new key
    // to the style's picture cache, whose entries would outlive the window.
    w->setPalette(pal == inherited ? QPalette() : pal);
    w->update();
}

// A widget beyond the window's own area is not shown, as the window's edge would cut it off.
void FormWidget::ShowWidget(Entry &e) {
    const bool show = e.control->visible && !e.outside;
    if (e.widget->isVisibleTo(view_->viewport()) != show) {
        e.widget->setVisible(show);
    }
}

void FormWidget::PlaceWidget(Entry &e) {
    const Control &c = *e.control;
    const QRectF r(c.left, c.top, std::max(0, c.width), std::max(0, c.height));
    e.widget->setGeometry(view_->mapFromScene(r).boundingRect());
    e.outside = !r.intersects(design_);
}

void FormWidget::FontWidget(Entry &e) {
    e.widget->setFont(MakeFont(e.control->font, kTwipsPerPoint * Scale()));
}

void FormWidget::PlaceWidgets() {
    if (form_ == nullptr) {
        return; // unloaded: its controls may be gone
    }
    for (Entry &e : entries_) {
        if (e.widget) {
            PlaceWidget(e);
            FontWidget(e);
            if (!e.fresh) {
                ShowWidget(e);
            }
        }
    }
}

void FormWidget::Detach() {
    for (Entry &e : entries_) {
        if (e.timer) {
            e.timer->stop();
        }
    }
    if (panelClock_ != nullptr) {
        panelClock_->stop();
    }
    form_ = nullptr;
    hide();
}

ControlItem *FormWidget::ItemFor(const std::string &name, int index) const {
    auto it = byKey_.find(ControlKey(name, index));
    return it == byKey_.end() ? nullptr : entries_[it->second].item;
}

QWidget *FormWidget::WidgetFor(const std::string &name, int index) const {
    auto it = byKey_.find(ControlKey(name, index));
    if (it == byKey_.end()) {
        return nullptr;
    }
    const Entry &e = entries_[it->second];
    return e.widget ? e.widget.data() : e.panel.data();
}

QAction *FormWidget::ActionFor(const std::string &name, int index) const {
    auto it = byKey_.find(ControlKey(name, index));
    return it == byKey_.end() ? nullptr : entries_[it->second].action.data();
}

QTimer *FormWidget::TimerFor(const std::string &name, int index) const {
    auto it = byKey_.find(ControlKey(name, index));
    return it == byKey_.end() ? nullptr : entries_[it->second].timer.data();
}

void FormWidget::closeEvent(QCloseEvent *event) {
    if (form_ == nullptr) {
        event->accept();
        return;
    }
    // The model decides: the window goes when its form is unloaded. Not while a handler runs (an
    // animation lets the event loop paint): no handler starts inside another.
    event->ignore();
    if (desk_.Idle()) {
        desk_.UserClose(*form_);
    }
}

void FormWidget::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (form_ == nullptr) {
        return;
    }
    if (event->type() == QEvent::WindowStateChange && !syncing_) {
        const Qt::WindowStates s = windowState();
        const bool wasMinimised = form_->windowState == WindowState::Minimised;
        form_->windowState = (s & Qt::WindowMinimized) != 0   ? WindowState::Minimised
                             : (s & Qt::WindowMaximized) != 0 ? WindowState::Maximised
                                                              : WindowState::Normal;
        if (wasMinimised && form_->windowState != WindowState::Minimised) {
            RepaintUncovered();
        }
    } else if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            RepaintUncovered();
        }
        const std::string handler = isActiveWindow() ? "Form_GotFocus" : "Form_LostFocus";
        if (form_->HasHandler(handler)) {
            QPointer<FormWidget> self(this);
            QTimer::singleShot(0, this, [self, handler] {
                if (self && self->form_ != nullptr && self->desk_.Idle()) {
                    self->Dispatch(handler, -1);
                }
            });
        }
    }
}

// A window restored or brought to the front is drawn anew by its own repaint handler, as when it is
// uncovered: the hexadecimal views of the state windows go back to decimal then.
void FormWidget::RepaintUncovered() {
    QPointer<FormWidget> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self && self->form_ != nullptr && self->form_->visible && self->desk_.Idle()) {
            Form *f = self->form_;
            self->desk_.RunHandler([f] { f->Form_Paint(); });
        }
    });
}

void FormWidget::WriteBackPlacement() {
    if (syncing_ || form_ == nullptr || !isVisible() || windowState() != Qt::WindowNoState) {
        return;
    }
    // Left and top of the frame, width and height of the inside: taken back as they are given.
    Form &f = *form_;
    f.left = ToTwips(frameGeometry().x());
    f.top = ToTwips(frameGeometry().y());
    f.width = ToTwips(width());
    f.height = ToTwips(height());
    placedLeft_ = f.left;
    placedTop_ = f.top;
    placedWidth_ = f.width;
    placedHeight_ = f.height;
    seenWidth_ = f.width;
    seenHeight_ = f.height;
}

void FormWidget::moveEvent(QMoveEvent *event) {
    QMainWindow::moveEvent(event);
    WriteBackPlacement();
}

void FormWidget::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    WriteBackPlacement();
}

} // namespace corvexa::qt
