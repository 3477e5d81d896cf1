#pragma once
// A strip in the window for short news that needs no box to dismiss: a
// line of text, and room after it for actions that belong to that news
// (a link or a button added with AddAction and named with the message
// it belongs to). Clearing hides both.

#include <QWidget>

class QHBoxLayout;
class QLabel;

namespace quillmar {

class StatusArea : public QWidget {
public:
    explicit StatusArea(QWidget* parent = nullptr);

    // How long news lasts. Most of it goes with a change of the card list,
    // since the card it names may have gone; news of a card taken out is
    // about exactly that and stays.
    enum class Lasting { kUntilAnyChange, kOverCardListChanges };

    // Shows `text`, and those added actions listed in `actions`, until the
    // next Clear.
    void ShowMessage(const QString& text, const QList<QWidget*>& actions = {},
                     Lasting lasting = Lasting::kUntilAnyChange);
    // The strip is one line: shows `text` when it fits whole, else
    // `shorter` (cut in the middle if need be). The tooltip holds `text`
    // followed by `details`.
    void ShowMessage(const QString& text, const QString& shorter, const QString& details);
    void Clear();
    QString Message() const;
    Lasting HowLong() const { return lasting_; }

    // Places `action` after the text, hidden until a message names it.
    void AddAction(QWidget* action);

private:
    QLabel* text_;
    QHBoxLayout* layout_;
    QList<QWidget*> actions_;
    Lasting lasting_ = Lasting::kUntilAnyChange;
};

}  // namespace quillmar
