#pragma once
// A real window for any headless form: the drawn controls as items of a scene in twips fitted
// into the window (proportions kept), buttons, lists and check boxes as real widgets over it, the
// menu bar from the form's menu items, and a timer per Timer control. The widget re-syncs from
// the model on request and changes only what changed.

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMainWindow>
#include <QPointer>
#include <deque>
#include <map>
#include <optional>
#include <string>

#include "ui/form.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace corvexa::qt {

class QtDesk;
class ControlItem;

class DrawingView : public QGraphicsView {
    Q_OBJECT
public:
    DrawingView(QGraphicsScene *scene, QWidget *parent);
    // Scales the drawing to the space there is, proportions kept.
    void Fit();

signals:
    void Resized();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void drawForeground(QPainter *painter, const QRectF &rect) override;
};

class FormWidget : public QMainWindow {
    Q_OBJECT
public:
    FormWidget(QtDesk &desk, Form &form);
    ~FormWidget() override;
    FormWidget(const FormWidget &) = delete;
    FormWidget &operator=(const FormWidget &) = delete;

    // Window properties: caption, colours, placement, visibility, window state.
    void SyncWindow();
    // The next SyncWindow of a visible window brings it to the front.
    void RequestFront() { frontRequested_ = true; }
    // Everything: window properties and every control whose look changed.
    void SyncAll();
    // Timers only (a hidden window's timers keep running).
    void SyncTimers();
    // The form was unloaded: hide, stop the timers, never touch the form again.
    void Detach();

    Form *form() const { return form_; }
    const std::string &formName() const { return name_; }
    DrawingView *view() const { return view_; }
    QGraphicsScene *scene() const { return scene_; }
    // Pixels of the view per twip of the drawing.
    double Scale() const;

    // For tests and probes: what shows a control.
    ControlItem *ItemFor(const std::string &name, int index = -1) const;
    QWidget *WidgetFor(const std::string &name, int index = -1) const;
    QAction *ActionFor(const std::string &name, int index = -1) const;
    QTimer *TimerFor(const std::string &name, int index = -1) const;
    // How many controls changed look in the last SyncAll.
    int LastChanges() const { return lastChanges_; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Entry {
        Control *control = nullptr;
        Control shown;
        bool fresh = true;
        bool outside = false; // a widget beyond the window's area
        ControlItem *item = nullptr;
        QPointer<QWidget> widget;
        QPointer<QAction> action;
        QPointer<QMenu> menu;
        QPointer<QTimer> timer;
        QPointer<QLabel> panel; // a status-bar panel
    };

    void Build();
    void BuildMenus();
    void AddWidget(Entry &e);
    void AddPanel(Entry &e);
    void SyncPanel(Entry &e);
    void ShowPanelTexts();
    void SyncEntry(Entry &e);
    void SyncWidget(Entry &e);
    void ColourWidget(Entry &e);
    void SyncAction(Entry &e);
    void SyncTimer(Entry &e);
    void PlaceWidgets();
    void PlaceWidget(Entry &e);
    void ShowWidget(Entry &e);
    void FontWidget(Entry &e);
    void Dispatch(const std::string &control, int index);
    void WriteBackPlacement();
    void RepaintUncovered();
    void ShowMaximised();
    void PlaceOnScreen(const Form &f);

    QtDesk &desk_;
    Form *form_;
    std::string name_;
    QGraphicsScene *scene_;
    DrawingView *view_;
    std::deque<Entry> entries_;
    std::map<std::string, size_t> byKey_;
    QRectF design_;       // the part of the drawing shown now (the scene's rectangle)
    QRectF layoutDesign_; // the window's size in its layout
    QRectF content_;      // the size the window's own code gave it last
    // Placement last taken from or given to the model, in twips.
    int placedLeft_ = -1, placedTop_ = -1, placedWidth_ = -1, placedHeight_ = -1;
    // Size the model last gave (or was told after the user resized): the drawing's extent.
    int seenWidth_ = -1, seenHeight_ = -1;
    std::optional<std::string> shownCaption_; // none before the first sync
    int32_t shownBack_ = -2;
    bool syncing_ = false;
    bool frontRequested_ = false;
    int lastChanges_ = 0;
    QTimer *panelClock_ = nullptr; // keeps date and time panels current
};

} // namespace corvexa::qt
