#pragma once
// A strip in the window for short news that needs no box to dismiss: a
// line of text, and room after it for actions that belong to that news
// (a link or a button added with AddAction). Clearing hides both.

#include <QWidget>

class QHBoxLayout;
class QLabel;

class StatusArea : public QWidget {
public:
    explicit StatusArea(QWidget* parent = nullptr);

    // Shows `text` (and the actions) until the next Clear.
    void ShowMessage(const QString& text);
    void Clear();
    QString message() const;

    // Places `action` after the text; it is shown with the next message
    // and hidden by Clear, like the text.
    void AddAction(QWidget* action);

private:
    QLabel* text_;
    QHBoxLayout* layout_;
    QList<QWidget*> actions_;
};
