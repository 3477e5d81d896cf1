// CDialog: building a window from its template, UpdateData, the message map, modal and child runs.
#include "ui/dialog/dialog.h"

#include "ui/dialog/control_factory.h"
#include "ui/dialog/data_exchange.h"
#include "ui/dialog/window_fit.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

CDialog::CDialog(const DialogTemplate& dialogTemplate) : template_(dialogTemplate) {}

CDialog::~CDialog() {
    // The controls outlive this part of the object (QWidget deletes them
    // later); nothing they report may reach the message map from then on.
    for (const QMetaObject::Connection& c : connections_) disconnect(c);
}

bool CDialog::Create(QWidget* parent) {
    if (created_) return true;
    child_ = true;
    setParent(parent, Qt::Widget);
    hide();
    Build();
    OnInitDialog();
    return true;
}

bool CDialog::CreateTopLevel(QWidget* owner) {
    if (created_) return true;
    setParent(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf16(template_.caption));
    // A window's controls live on a surface of their own, which a scroll
    // area can take over when the screen is too small for the window.
    surface_ = new QWidget(this);
    Build();
    FitToScreen(owner);
    if (OnInitDialog()) SetInitialFocus();
    return true;
}

int CDialog::DoModal(QWidget* owner) {
    CreateTopLevel(owner);
    setWindowModality(Qt::ApplicationModal);
    return exec();
}

void CDialog::EndDialog(int result) { done(result); }

void CDialog::Build() {
    created_ = true;
    const QFont font = TemplateFont(QString::fromUtf16(template_.font_face), template_.point_size);
    setFont(font);
    units_ = DialogUnits(font);
    const QSize size(units_.ToPixelsX(template_.width), units_.ToPixelsY(template_.height));
    resize(size);
    if (surface_ != this) surface_->setFixedSize(size);
    controls_.reserve(template_.controls.size());
    for (const ControlTemplate& c : template_.controls) {
        controls_.push_back({&c, CreateControl(c, surface_, units_)});
        Connect(controls_.back());
        if (c.kind == ControlKind::kRadio) controls_.back().widget->installEventFilter(this);
    }
    GroupRadios();
}

void CDialog::FitToScreen(QWidget* owner) {
    const QSize whole = surface_->size();
    const QScreen* screen = owner ? owner->screen() : this->screen();
    const QRect available = screen->availableGeometry();
    // The frame is not known before the window manager has framed the
    // window; a title bar and thin borders are what it usually adds.
    const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    const QMargins frame(4, title + 4, 4, 4);
    const QSize room = available.size().shrunkBy(frame);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const QSize size = FittedWindowSize(whole, room, bar);
    if (size == whole) {
        setFixedSize(whole);
        return;
    }
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(false);
    scroll_->setWidget(surface_);
    scroll_->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    setMinimumSize(size.boundedTo(QSize(320, 240)));
    setMaximumSize(whole + QSize(bar, bar));
    resize(size);
    const QSize framed = size.grownBy(frame);
    move(available.topLeft() + QPoint(std::max(0, (available.width() - framed.width()) / 2),
                                      std::max(0, (available.height() - framed.height()) / 2)));
}

void CDialog::GroupRadios() {
    // Windows makes automatic radios exclusive within the run of controls
    // between two group marks; one exclusive button group per run does the
    // same here, leaving radios of other runs alone.
    QButtonGroup* group = nullptr;
    for (const Control& c : controls_) {
        if (c.tmpl->Group()) group = nullptr;
        auto* radio = qobject_cast<QRadioButton*>(c.widget);
        if (!radio) continue;
        if (!group) group = new QButtonGroup(this);
        group->addButton(radio);
    }
}

void CDialog::Connect(const Control& control) {
    const int id = control.tmpl->id;
    QWidget* w = control.widget;
    auto report = [this, id](Notification code) { return [this, id, code] { Notify(id, code); }; };
    QMetaObject::Connection c;
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        c = connect(button, &QAbstractButton::clicked, this, report(Notification::kClicked));
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        c = connect(list, &QListWidget::itemSelectionChanged, this, report(Notification::kSelChange));
    } else if (auto* table = qobject_cast<QTableWidget*>(w)) {
        c = connect(table, &QTableWidget::itemSelectionChanged, this, report(Notification::kItemChanged));
    } else if (auto* slider = qobject_cast<QSlider*>(w)) {
        c = connect(slider, &QSlider::valueChanged, this, report(Notification::kRedraw));
    } else if (auto* tabs = dynamic_cast<TabControl*>(w)) {
        c = connect(tabs->TabBar(), &QTabBar::currentChanged, this, report(Notification::kSelChange));
    }
    if (c) connections_.push_back(c);
}

void CDialog::AppendTabStops(const ControlTemplate& control, QWidget* widget, std::vector<TabStop>& stops) const {
    const auto usable = [](const QWidget* w) { return !w->isHidden() && w->isEnabled(); };
    auto* radio = qobject_cast<QRadioButton*>(widget);
    if (!radio) {
        if (control.TabStop() && usable(widget) && (widget->focusPolicy() & Qt::TabFocus))
            stops.push_back({widget, {}});
        return;
    }
    // A group is one stop, reached at its first radio only.
    const QButtonGroup* group = radio->group();
    if (!group || group->buttons().first() != radio) return;
    TabStop stop{nullptr, {}};
    for (QAbstractButton* b : group->buttons()) stop.members.push_back(b);
    if (QAbstractButton* checked = group->checkedButton(); checked && usable(checked)) stop.widget = checked;
    for (QWidget* member : stop.members) {
        if (stop.widget) break;
        if (usable(member) && (member->focusPolicy() & Qt::TabFocus)) stop.widget = member;
    }
    if (stop.widget) stops.push_back(std::move(stop));
}

std::vector<CDialog::TabStop> CDialog::TabStops() const {
    std::vector<TabStop> stops;
    for (const Control& c : controls_) AppendTabStops(*c.tmpl, c.widget, stops);
    return stops;
}

bool CDialog::focusNextPrevChild(bool next) {
    if (child_) return QDialog::focusNextPrevChild(next);
    const std::vector<TabStop> stops = TabStops();
    if (stops.empty()) return false;
    const QWidget* focused = focusWidget();
    int at = -1;
    for (size_t i = 0; i < stops.size() && at < 0; ++i) {
        const TabStop& s = stops[i];
        if (s.widget == focused || (focused && s.widget->isAncestorOf(focused)) ||
            std::find(s.members.begin(), s.members.end(), focused) != s.members.end())
            at = int(i);
    }
    const int count = int(stops.size());
    const int to = next ? (at + 1) % count : (at <= 0 ? count - 1 : at - 1);
    QWidget* target = stops[size_t(to)].widget;
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    if (scroll_) scroll_->ensureWidgetVisible(target);
    return true;
}

bool CDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    auto* radio = qobject_cast<QRadioButton*>(watched);
    switch (key->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        return radio && MoveInRadioGroup(radio, true);
    case Qt::Key_Left:
    case Qt::Key_Up:
        return radio && MoveInRadioGroup(radio, false);
    default:
        return false;
    }
}

bool CDialog::MoveInRadioGroup(QRadioButton* from, bool forward) {
    const QButtonGroup* group = from->group();
    if (!group) return false;
    const QList<QAbstractButton*> radios = group->buttons();
    const qsizetype count = radios.size();
    const qsizetype start = radios.indexOf(from);
    for (qsizetype step = 1; step < count; ++step) {
        QAbstractButton* candidate = radios[(start + (forward ? step : count - step)) % count];
        if (candidate->isHidden() || !candidate->isEnabled()) continue;
        candidate->setFocus(Qt::OtherFocusReason);
        // Selecting by keyboard is a click: the same handlers run.
        candidate->click();
        return true;
    }
    return true;  // nowhere to go: the key is used up all the same
}

void CDialog::SetInitialFocus() {
    for (const Control& c : controls_) {
        if (c.tmpl->TabStop() && c.tmpl->Visible() && c.widget->isEnabled()) {
            c.widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void CDialog::On(int id, Notification code, std::function<void()> handler) {
    routes_.push_back({id, code, std::move(handler)});
}

void CDialog::Notify(int id, Notification code) {
    if (code == Notification::kRedraw) {
        // A redraw never runs in the middle of an exchange (the handler would
        // read half-pushed controls), and never inside another redraw.
        if (exchange_depth_ > 0) {
            if (std::find(pending_redraws_.begin(), pending_redraws_.end(), id) == pending_redraws_.end())
                pending_redraws_.push_back(id);
            return;
        }
        if (redrawing_) return;
    }
    for (const Route& route : routes_) {
        if (route.id != id || route.code != code) continue;
        redrawing_ = code == Notification::kRedraw;
        route.handler();
        redrawing_ = false;
        return;
    }
    if (code == Notification::kClicked && (id == IDOK || id == IDCANCEL)) {
        id == IDOK ? OnOK() : OnCancel();
    }
}

void CDialog::OnCommand(int id) { Notify(id, Notification::kClicked); }

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(*this, saveAndValidate);
    ++exchange_depth_;
    DoDataExchange(dx);
    --exchange_depth_;
    if (exchange_depth_ == 0) FlushRedraws();
    return true;
}

void CDialog::FlushRedraws() {
    const std::vector<int> ids = std::exchange(pending_redraws_, {});
    for (const int id : ids) Notify(id, Notification::kRedraw);
}

void CDialog::DoDataExchange(CDataExchange&) {}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

QWidget* CDialog::GetDlgItem(int id) const {
    for (const Control& c : controls_)
        if (c.tmpl->id == id && id != kNoId) return c.widget;
    return nullptr;
}

std::vector<QRadioButton*> CDialog::RadioGroupFrom(int firstId) const {
    std::vector<QRadioButton*> radios;
    auto it =
        std::find_if(controls_.begin(), controls_.end(), [firstId](const Control& c) { return c.tmpl->id == firstId; });
    for (auto c = it; c != controls_.end(); ++c) {
        if (c != it && c->tmpl->Group()) break;
        if (auto* radio = qobject_cast<QRadioButton*>(c->widget)) radios.push_back(radio);
    }
    return radios;
}

int CDialog::DefaultButtonId() const {
    for (const Control& c : controls_)
        if (c.tmpl->kind == ControlKind::kDefPushButton) return c.tmpl->id;
    return IDOK;
}

void CDialog::keyPressEvent(QKeyEvent* event) {
    // A page leaves Enter and Escape to the window that holds it.
    if (child_) {
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
        OnCommand(IDCANCEL);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        if (focused && focused->isEnabled() && isAncestorOf(focused)) {
            focused->click();
        } else {
            OnCommand(DefaultButtonId());
        }
        return;
    }
    default:
        QWidget::keyPressEvent(event);
    }
}

void CDialog::contextMenuEvent(QContextMenuEvent* event) {
    if (child_) {
        event->ignore();
        return;
    }
    QDialog::contextMenuEvent(event);
}

void CDialog::closeEvent(QCloseEvent* event) {
    // The close box is the Cancel command; the handler decides whether the
    // window ends.
    event->ignore();
    if (!child_) OnCommand(IDCANCEL);
}

void CDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    for (const Control& c : controls_)
        if (c.tmpl->kind == ControlKind::kTrackBar) Notify(c.tmpl->id, Notification::kRedraw);
}
