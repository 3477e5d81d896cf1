// CDialog on Qt: the window built from its template as a QDialog (NativeDialog), its controls, keys and events.
#include "ui/dialog/native_dialog_qt.h"

#include "platform/qt_text_bridge.h"
#include "ui/dialog/control_factory.h"
#include "ui/dialog/tab_control.h"
#include "ui/dialog/window_fit.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

using quillmar::FromUtf8;
using quillmar::ToUtf8;

namespace {

// Pages sit this far below the top of their tab control, under the tabs,
// which never grow taller.
constexpr int kPageTop = 26;

}  // namespace

// --- CDialog: the calls that reach the window

CDialog::CDialog(const DialogTemplate& dialogTemplate) : template_(dialogTemplate) {}

CDialog::~CDialog() {
    // Routes capture the derived dialog, which is gone already.
    routes_.clear();
    native_.reset();
}

bool CDialog::CreatePage(CDialog& parent, int tabControlId) {
    if (native_) return true;
    if (!parent.native_ || !parent.GetDlgItem(tabControlId)) return false;
    child_ = true;
    native_ = std::make_unique<NativeDialog>(*this);
    native_->BuildPage(*parent.native_, tabControlId);
    OnInitDialog();
    return true;
}

bool CDialog::CreateTopLevel(CDialog* owner) {
    if (native_) return true;
    native_ = std::make_unique<NativeDialog>(*this);
    native_->BuildTopLevel(owner ? owner->Window() : nullptr);
    if (OnInitDialog()) native_->SetInitialFocus();
    return true;
}

int CDialog::DoModal(CDialog* owner) {
    CreateTopLevel(owner);
    native_->setWindowModality(Qt::ApplicationModal);
    return native_->exec();
}

void CDialog::EndDialog(int result) {
    if (native_) native_->done(result);
}

void CDialog::ShowWindow(bool show) {
    if (native_) native_->setVisible(show);
}

bool CDialog::IsWindowVisible() const { return native_ && native_->isVisible(); }

NativeWindow CDialog::Window() const { return native_.get(); }

NativeWindow CDialog::GetDlgItem(int id) const { return native_ ? native_->Control(id) : nullptr; }

void CDialog::EnableControl(int id, bool enable) {
    if (QWidget* control = GetDlgItem(id)) control->setEnabled(enable);
}

bool CDialog::IsControlEnabled(int id) const {
    const QWidget* control = GetDlgItem(id);
    return control && control->isEnabled();
}

void CDialog::ShowControl(int id, bool show) {
    if (QWidget* control = GetDlgItem(id)) control->setVisible(show);
}

bool CDialog::IsControlShown(int id) const {
    const QWidget* control = GetDlgItem(id);
    return control && !control->isHidden();
}

void CDialog::SetControlText(int id, const std::string& text) {
    QWidget* control = GetDlgItem(id);
    if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(FromUtf8(text));
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        const QSignalBlocker quiet(edit);
        edit->setText(FromUtf8(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(FromUtf8(text));
    }
}

std::string CDialog::ControlText(int id) const {
    const QWidget* control = GetDlgItem(id);
    if (const auto* label = qobject_cast<const QLabel*>(control)) return ToUtf8(label->text());
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return ToUtf8(edit->text());
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return ToUtf8(button->text());
    return {};
}

void CDialog::SetControlTooltip(int id, const std::string& text) {
    if (QWidget* control = GetDlgItem(id)) control->setToolTip(FromUtf8(text));
}

// --- NativeDialog

NativeDialog::NativeDialog(CDialog& dialog) : dialog_(dialog) {}

NativeDialog::~NativeDialog() {
    // The controls outlive this part of the object (QWidget deletes them
    // later); nothing they report may reach the message map from then on.
    for (const QMetaObject::Connection& c : connections_) disconnect(c);
    // A page belongs to its CDialog, not to the tab control it sits on.
    for (const HeldPage& held : pages_) {
        held.page->holder_ = nullptr;
        held.page->setParent(nullptr);
    }
    if (holder_) {
        std::vector<HeldPage>& siblings = holder_->pages_;
        siblings.erase(std::remove_if(siblings.begin(), siblings.end(),
                                      [this](const HeldPage& held) { return held.page == this; }),
                       siblings.end());
    }
}

void NativeDialog::BuildPage(NativeDialog& parent, int tabControlId) {
    QWidget* pane = parent.Control(tabControlId);
    setParent(pane, Qt::Widget);
    hide();
    Build();
    if (auto* tabs = dynamic_cast<TabControl*>(pane)) tabs->SetMaxTabHeight(kPageTop);
    setGeometry(1, kPageTop, pane->width() - 5, pane->height() - 30);
    holder_ = &parent;
    parent.pages_.push_back({tabControlId, this});
}

void NativeDialog::BuildTopLevel(QWidget* owner) {
    setParent(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf16(dialog_.Template().caption));
    // A window's controls live on a surface of their own, which a scroll
    // area can take over when the screen is too small for the window.
    surface_ = new QWidget(this);
    Build();
    FitToScreen(owner);
}

void NativeDialog::Build() {
    const DialogTemplate& tmpl = dialog_.Template();
    const QFont font = TemplateFont(QString::fromUtf16(tmpl.font_face), tmpl.point_size);
    setFont(font);
    units_ = DialogUnits(font);
    const QSize size(units_.ToPixelsX(tmpl.width), units_.ToPixelsY(tmpl.height));
    resize(size);
    if (surface_ != this) surface_->setFixedSize(size);
    controls_.reserve(tmpl.controls.size());
    for (const ControlTemplate& c : tmpl.controls) {
        controls_.push_back({&c, CreateControl(c, surface_, units_)});
        Connect(controls_.back());
        if (c.kind == ControlKind::kRadio) controls_.back().widget->installEventFilter(this);
    }
    GroupRadios();
}

QWidget* NativeDialog::Control(int id) const {
    for (const BuiltControl& c : controls_)
        if (c.tmpl->id == id && id != kNoId) return c.widget;
    return nullptr;
}

void NativeDialog::FitToScreen(QWidget* owner) {
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

void NativeDialog::GroupRadios() {
    // Windows makes automatic radios exclusive within the run of controls
    // between two group marks; one exclusive button group per run does the
    // same here, leaving radios of other runs alone.
    QButtonGroup* group = nullptr;
    for (const BuiltControl& c : controls_) {
        if (c.tmpl->Group()) group = nullptr;
        auto* radio = qobject_cast<QRadioButton*>(c.widget);
        if (!radio) continue;
        if (!group) group = new QButtonGroup(this);
        group->addButton(radio);
    }
}

void NativeDialog::Connect(const BuiltControl& control) {
    const int id = control.tmpl->id;
    QWidget* w = control.widget;
    auto report = [this, id](Notification code) { return [this, id, code] { dialog_.Notify(id, code); }; };
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

void NativeDialog::AppendTabStops(const BuiltControl& control, std::vector<TabStop>& stops) const {
    QWidget* widget = control.widget;
    // A tab control is followed by its shown page's stops.
    const int id = control.tmpl->id;
    if (std::any_of(pages_.begin(), pages_.end(), [id](const HeldPage& held) { return held.tab_control_id == id; })) {
        if (auto* tabs = dynamic_cast<TabControl*>(widget)) stops.push_back({tabs->TabBar(), {}});
        for (const HeldPage& held : pages_) {
            if (held.tab_control_id != id || held.page->isHidden()) continue;
            for (TabStop& stop : held.page->TabStops()) stops.push_back(std::move(stop));
        }
        return;
    }
    const auto usable = [](const QWidget* w) { return !w->isHidden() && w->isEnabled(); };
    auto* radio = qobject_cast<QRadioButton*>(widget);
    if (!radio) {
        if (control.tmpl->TabStop() && usable(widget) && (widget->focusPolicy() & Qt::TabFocus))
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

std::vector<NativeDialog::TabStop> NativeDialog::TabStops() const {
    std::vector<TabStop> stops;
    for (const BuiltControl& c : controls_) AppendTabStops(c, stops);
    return stops;
}

bool NativeDialog::focusNextPrevChild(bool next) {
    if (dialog_.IsChild()) return QDialog::focusNextPrevChild(next);
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

bool NativeDialog::eventFilter(QObject* watched, QEvent* event) {
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

bool NativeDialog::MoveInRadioGroup(QRadioButton* from, bool forward) {
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

void NativeDialog::SetInitialFocus() {
    for (const BuiltControl& c : controls_) {
        if (c.tmpl->TabStop() && c.tmpl->Visible() && c.widget->isEnabled()) {
            c.widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

int NativeDialog::DefaultButtonId() const {
    for (const BuiltControl& c : controls_)
        if (c.tmpl->kind == ControlKind::kDefPushButton) return c.tmpl->id;
    return IDOK;
}

void NativeDialog::keyPressEvent(QKeyEvent* event) {
    // A page leaves Enter and Escape to the window that holds it.
    if (dialog_.IsChild()) {
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
        dialog_.OnCommand(IDCANCEL);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        if (focused && focused->isVisible() && focused->isEnabled() && isAncestorOf(focused)) {
            focused->click();
        } else {
            dialog_.OnCommand(DefaultButtonId());
        }
        return;
    }
    default:
        QWidget::keyPressEvent(event);
    }
}

void NativeDialog::contextMenuEvent(QContextMenuEvent* event) {
    // A page leaves the right-click to the window that holds it (QDialog
    // would swallow it for a "What's This?" menu it never shows).
    if (dialog_.IsChild()) {
        event->ignore();
        return;
    }
    dialog_.OnContextMenu(event->globalPos().x(), event->globalPos().y());
}

void NativeDialog::closeEvent(QCloseEvent* event) {
    // The close box is the Close command; the dialog decides whether the
    // window ends.
    event->ignore();
    if (!dialog_.IsChild()) dialog_.OnClose();
}

void NativeDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    for (const BuiltControl& c : controls_)
        if (c.tmpl->kind == ControlKind::kTrackBar) dialog_.Notify(c.tmpl->id, Notification::kRedraw);
}
