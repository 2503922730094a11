#pragma once

#include "touch/button.h"

namespace Touch {

class HelpButtonPrivate;
class Dialog;

// A small "?" button; a tap shows the help text in a dialog with an OK
// button on the button's application window, without blocking.
class VELINTOUCH_EXPORT HelpButton : public Button
{
    Q_OBJECT
    Q_PROPERTY(QString helpText READ helpText WRITE setHelpText)

public:
    explicit HelpButton(const QString& helpText = QString(), QGraphicsItem* parent = nullptr);
    ~HelpButton() override;

    QString helpText() const;
    void setHelpText(const QString& helpText);

    // The dialog shown by the last tap while it is on screen, else null.
    Dialog* helpDialog() const;

public Q_SLOTS:
    void showHelp();

private:
    HelpButtonPrivate* const d;
};

} // namespace Touch
