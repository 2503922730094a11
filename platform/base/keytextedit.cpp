#include "base/keytextedit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace Velin {

class KeyTextEditPrivate
{
public:
    explicit KeyTextEditPrivate(KeyTextEdit* q)
        : q(q)
    {
    }

    void init();

    KeyTextEdit* const q;
};

void KeyTextEditPrivate::init()
{
    // Route the editor's own paste shortcut through KeyTextEdit::paste().
    if (QLineEdit* edit = q->lineEdit())
        edit->installEventFilter(q);
}

KeyTextEdit::KeyTextEdit(QGraphicsItem* parent)
    : Touch::TextEdit(QString(), parent)
    , d(new KeyTextEditPrivate(this))
{
    d->init();
}

KeyTextEdit::KeyTextEdit(const QString& text, QGraphicsItem* parent)
    : Touch::TextEdit(text, parent)
    , d(new KeyTextEditPrivate(this))
{
    d->init();
}

KeyTextEdit::~KeyTextEdit()
{
    delete d;
}

void KeyTextEdit::paste()
{
    QLineEdit* edit = lineEdit();
    if (!edit || edit->isReadOnly())
        return;
    const QString pasted = QGuiApplication::clipboard()->text(QClipboard::Clipboard);
    if (pasted.isEmpty() && !edit->hasSelectedText())
        return;

    // The text the field would hold: the selection (if any) replaced.
    const QString current = edit->text();
    int start = edit->cursorPosition();
    int length = 0;
    if (edit->hasSelectedText()) {
        start = edit->selectionStart();
        length = edit->selectedText().length();
    }
    QString candidate = current.left(start) + pasted + current.mid(start + length);
    if (edit->maxLength() >= 0 && candidate.length() > edit->maxLength())
        return; // the editor would cut it short: refuse rather than paste in part

    if (const QValidator* v = validator()) {
        int position = start + pasted.length();
        if (v->validate(candidate, position) == QValidator::Invalid)
            return;
    }
    // One change (one undo step); the validator is asked again by the editor
    // and gives the same answer.
    edit->insert(pasted);
}

bool KeyTextEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lineEdit()) {
        if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
            auto key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Paste)) {
                if (event->type() == QEvent::KeyPress)
                    paste();
                event->accept();
                return event->type() == QEvent::KeyPress;
            }
        }
    }
    return Touch::TextEdit::eventFilter(watched, event);
}

} // namespace Velin
