#pragma once
// The status line on Qt: a strip in the window for short news that needs
// no box to dismiss, a line of text, and room after it for actions that
// belong to that news (a button added with AddAction and named with the
// message it belongs to). Clearing hides both.

#include "ui/status_line.h"

#include <QWidget>

class QHBoxLayout;
class QLabel;

namespace quillmar {

class StatusArea : public QWidget, public StatusLine {
public:
    explicit StatusArea(QWidget* parent = nullptr);

    void ShowMessage(const std::string& text, Lasting lasting = Lasting::kUntilAnyChange) override;
    void ShowMessage(const std::string& text, const std::string& shorter, const std::string& details) override;
    void Clear() override;
    std::string Message() const override;
    Lasting HowLong() const override { return lasting_; }

    // Shows `text` with those added actions listed in `actions`, until the
    // next Clear.
    void ShowMessageWithActions(const std::string& text, const QList<QWidget*>& actions);
    // Places `action` after the text, hidden until a message names it.
    void AddAction(QWidget* action);

private:
    void Show(const QString& text, const QList<QWidget*>& actions, Lasting lasting);

    QLabel* text_;
    QHBoxLayout* layout_;
    QList<QWidget*> actions_;
    Lasting lasting_ = Lasting::kUntilAnyChange;
};

}  // namespace quillmar
