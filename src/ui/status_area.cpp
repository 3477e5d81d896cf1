// The status strip: showing a line of news with its actions, and clearing it.
#include "ui/status_area.h"

#include "platform/qt_text_bridge.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>

namespace quillmar {

StatusArea::StatusArea(QWidget* parent) : QWidget(parent), text_(new QLabel(this)), layout_(new QHBoxLayout(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
    // The label's text is also its accessible name, for screen readers.
    text_->setTextFormat(Qt::PlainText);
    layout_->addWidget(text_);
    layout_->addStretch(1);
    Clear();
}

void StatusArea::Show(const QString& text, const QList<QWidget*>& actions, Lasting lasting) {
    text_->setText(text);
    text_->setToolTip(text);
    text_->show();
    lasting_ = lasting;
    for (QWidget* action : actions_) action->setVisible(actions.contains(action));
}

void StatusArea::ShowMessage(const std::string& text, Lasting lasting) { Show(FromUtf8(text), {}, lasting); }

void StatusArea::ShowMessageWithActions(const std::string& text, const QList<QWidget*>& actions) {
    Show(FromUtf8(text), actions, Lasting::kUntilAnyChange);
}

void StatusArea::ShowMessage(const std::string& utf8Text, const std::string& utf8Shorter, const std::string& details) {
    const QString text = FromUtf8(utf8Text);
    const QString shorter = FromUtf8(utf8Shorter);
    const QFontMetrics metrics = text_->fontMetrics();
    // A shorter text still too long (a card folder with a very long name)
    // loses its middle; the tooltip has it whole.
    Show(metrics.horizontalAdvance(text) <= width()      ? text
         : metrics.horizontalAdvance(shorter) <= width() ? shorter
                                                         : metrics.elidedText(shorter, Qt::ElideMiddle, width()),
         {}, Lasting::kUntilAnyChange);
    text_->setToolTip(details.empty() ? text : text + QStringLiteral("\n\n") + FromUtf8(details));
}

void StatusArea::Clear() {
    text_->clear();
    text_->setToolTip({});
    text_->hide();
    lasting_ = Lasting::kUntilAnyChange;
    for (QWidget* action : actions_) action->hide();
}

std::string StatusArea::Message() const { return ToUtf8(text_->text()); }

void StatusArea::AddAction(QWidget* action) {
    actions_.push_back(action);
    layout_->insertWidget(layout_->count() - 1, action);
    action->hide();
}

}  // namespace quillmar
