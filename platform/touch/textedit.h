#pragma once

#include "touch/widget.h"

#include <QTextOption>

class QLineEdit;
class QValidator;

namespace Touch {

class TextEditPrivate;

// Single-line text field.  Editing is real: a QLineEdit hosted in a child
// QGraphicsProxyWidget (the focus proxy) provides cursor, selection, undo,
// clipboard, echo modes and validation.  Nothing typed is ever logged.
class VELINTOUCH_EXPORT TextEdit : public Widget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(QString prompt READ prompt WRITE setPrompt)
    Q_PROPERTY(EchoMode echoMode READ echoMode WRITE setEchoMode)
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(bool inputMethodCorrectionEnabled READ inputMethodCorrectionEnabled WRITE setInputMethodCorrectionEnabled)
    Q_PROPERTY(bool inputMethodPredictionEnabled READ inputMethodPredictionEnabled WRITE setInputMethodPredictionEnabled)
    Q_PROPERTY(bool inputMethodAutoCapitalizationEnabled READ inputMethodAutoCapitalizationEnabled WRITE setInputMethodAutoCapitalizationEnabled)
    Q_PROPERTY(Qt::Alignment textAlignment READ textAlignment WRITE setTextAlignment)
    Q_PROPERTY(int cursorPosition READ cursorPosition WRITE setCursorPosition)

public:
    // Values match QLineEdit::EchoMode.
    enum EchoMode { Normal = 0, NoEcho = 1, Password = 2, PasswordEchoOnEdit = 3 };
    Q_ENUM(EchoMode)

    explicit TextEdit(const QString& text = QString(), QGraphicsItem* parent = nullptr);
    ~TextEdit() override;

    QString text() const;
    // Programmatic: not checked by the validator.
    void setText(const QString& text);

    // Placeholder shown while the field is empty.
    QString prompt() const;
    void setPrompt(const QString& prompt);

    EchoMode echoMode() const;
    void setEchoMode(EchoMode mode);

    bool isReadOnly() const;
    void setReadOnly(bool readOnly);

    bool inputMethodCorrectionEnabled() const;
    void setInputMethodCorrectionEnabled(bool enabled);
    bool inputMethodPredictionEnabled() const;
    void setInputMethodPredictionEnabled(bool enabled);
    bool inputMethodAutoCapitalizationEnabled() const;
    void setInputMethodAutoCapitalizationEnabled(bool enabled);

    Qt::Alignment textAlignment() const;
    void setTextAlignment(Qt::Alignment alignment);
    // The same state as textAlignment, in the form of a text option.
    void setDefaultTextOption(const QTextOption& option);
    QTextOption defaultTextOption() const;

    int cursorPosition() const;
    void setCursorPosition(int position);

    // Not owned; typing, paste() and insert() changes judged Invalid are refused.
    void setValidator(const QValidator* validator);
    const QValidator* validator() const;

    // Inserts at the cursor, through the validator.
    void insert(const QString& text);
    void clear();
    // Clipboard text at the cursor, through the validator.
    virtual void paste();
    void selectAll();

    // True while the line edit has keyboard focus in an active scene.
    bool hasFocus() const;

    // Escape hatch for tests and subclasses: the hosted editor.
    QLineEdit* lineEdit() const;

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

Q_SIGNALS:
    void textChanged();
    void returnPressed();
    void gainedFocus(Qt::FocusReason reason);
    void lostFocus(Qt::FocusReason reason);

protected:
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint = QSizeF()) const override;
    void resizeEvent(QGraphicsSceneResizeEvent* event) override;
    void styleChanged() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Enter that returnPressed() delivered to a listener goes no further, so
    // that the sheet around the field does not act on it a second time.
    void keyPressEvent(QKeyEvent* event) override;

private:
    TextEditPrivate* const d;
};

} // namespace Touch
