// The status strip: showing a line of news with its actions, and clearing it.
#include "ui/status_area.h"

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

void StatusArea::ShowMessage(const QString& text, const QList<QWidget*>& actions, Lasting lasting) {
    text_->setText(text);
    text_->setToolTip(text);
    text_->show();
    lasting_ = lasting;
    for (QWidget* action : actions_) action->setVisible(actions.contains(action));
}

void StatusArea::ShowMessage(const QString& text, const QString& shorter, const QString& details) {
    const QFontMetrics metrics = text_->fontMetrics();
    // A shorter text still too long (a card folder with a very long name)
    // loses its middle; the tooltip has it whole.
    ShowMessage(metrics.horizontalAdvance(text) <= width() ? text
                : metrics.horizontalAdvance(shorter) <= width()
                    ? shorter
                    : metrics.elidedText(shorter, Qt::ElideMiddle, width()));
    text_->setToolTip(details.isEmpty() ? text : text + QStringLiteral("\n\n") + details);
}

void StatusArea::Clear() {
    text_->clear();
    text_->setToolTip({});
    text_->hide();
    lasting_ = Lasting::kUntilAnyChange;
    for (QWidget* action : actions_) action->hide();
}

QString StatusArea::Message() const { return text_->text(); }

void StatusArea::AddAction(QWidget* action) {
    actions_.push_back(action);
    layout_->insertWidget(layout_->count() - 1, action);
    action->hide();
}

}  // namespace quillmar
