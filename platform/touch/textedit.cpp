#include "touch/textedit.h"

#include "touch/theme.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QGraphicsProxyWidget>
#include <QGraphicsSceneResizeEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPainter>
#include <QValidator>

namespace Touch {

class TextEditPrivate
{
public:
    QGraphicsProxyWidget* proxy = nullptr;
    QLineEdit* lineEdit = nullptr;
    bool correction = true;
    bool prediction = true;
    bool autoCapitalization = true;
    bool styled = false;
    bool returnTaken = false;   // this Enter went out through returnPressed()

    Qt::InputMethodHints hints(TextEdit::EchoMode mode) const
    {
        Qt::InputMethodHints h;
        if (!correction || !prediction)
            h |= Qt::ImhNoPredictiveText;
        if (!autoCapitalization)
            h |= Qt::ImhNoAutoUppercase;
        if (mode == TextEdit::Password || mode == TextEdit::NoEcho)
            h |= Qt::ImhSensitiveData | Qt::ImhHiddenText;
        return h;
    }
};

namespace {

// QGraphicsProxyWidget passes focus on to the embedded widget only for tab
// focus; a field must take keyboard focus (cursor, FocusIn, hasFocus()) for
// every reason: a tap, setFocus(), a dialog opening.
class EditorProxy : public QGraphicsProxyWidget
{
public:
    using QGraphicsProxyWidget::QGraphicsProxyWidget;

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        QGraphicsProxyWidget::focusInEvent(event);
        if (widget() && !widget()->focusWidget())
            widget()->setFocus(event->reason());
    }
};

void applyHints(TextEdit* q, TextEditPrivate* d)
{
    const Qt::InputMethodHints h = d->hints(q->echoMode());
    d->lineEdit->setInputMethodHints(h);
    d->proxy->setInputMethodHints(h);
    q->setInputMethodHints(h);
}

} // namespace

TextEdit::TextEdit(const QString& text, QGraphicsItem* parent)
    : Widget(parent)
    , d(new TextEditPrivate)
{
    // Focus signals carry the reason: queued connections and spies need the type.
    static const int reasonType = qRegisterMetaType<Qt::FocusReason>("Qt::FocusReason");
    Q_UNUSED(reasonType)
    setDefaultStyleName(QStringLiteral("TextEdit"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFlag(ItemAcceptsInputMethod);
    setFocusPolicy(Qt::StrongFocus);

    d->lineEdit = new QLineEdit;
    d->lineEdit->setFrame(false);
    d->lineEdit->setAttribute(Qt::WA_TranslucentBackground);
    d->lineEdit->setAutoFillBackground(false);
    d->lineEdit->setText(text);
    d->lineEdit->installEventFilter(this);

    d->proxy = new EditorProxy(this);
    d->proxy->setWidget(d->lineEdit);   // the proxy owns the line edit
    d->proxy->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(d->proxy);

    connect(d->lineEdit, &QLineEdit::textChanged, this, [this] { Q_EMIT textChanged(); });
    connect(d->lineEdit, &QLineEdit::returnPressed, this, [this] {
        d->returnTaken = isSignalConnected(QMetaMethod::fromSignal(&TextEdit::returnPressed));
        Q_EMIT returnPressed();
    });
    applyHints(this, d);
    styleChanged();
}

TextEdit::~TextEdit()
{
    // The proxy (and with it the line edit) goes after us, in the item
    // destructor: make sure it cannot call back into a half-destroyed edit.
    d->lineEdit->removeEventFilter(this);
    d->lineEdit->disconnect(this);
    delete d;
}

QString TextEdit::text() const
{
    return d->lineEdit->text();
}

void TextEdit::setText(const QString& text)
{
    d->lineEdit->setText(text);
}

QString TextEdit::prompt() const
{
    return d->lineEdit->placeholderText();
}

void TextEdit::setPrompt(const QString& prompt)
{
    d->lineEdit->setPlaceholderText(prompt);
}

TextEdit::EchoMode TextEdit::echoMode() const
{
    return EchoMode(d->lineEdit->echoMode());
}

void TextEdit::setEchoMode(EchoMode mode)
{
    if (mode < Normal || mode > PasswordEchoOnEdit) {
        qWarning("Touch::TextEdit::setEchoMode: unknown echo mode %d, using Normal", int(mode));
        mode = Normal;
    }
    d->lineEdit->setEchoMode(QLineEdit::EchoMode(mode));
    // QLineEdit adjusts its own hints for echo modes; ours are the ones that count.
    applyHints(this, d);
}

bool TextEdit::isReadOnly() const
{
    return d->lineEdit->isReadOnly();
}

void TextEdit::setReadOnly(bool readOnly)
{
    d->lineEdit->setReadOnly(readOnly);
    update();
}

bool TextEdit::inputMethodCorrectionEnabled() const
{
    return d->correction;
}

void TextEdit::setInputMethodCorrectionEnabled(bool enabled)
{
    d->correction = enabled;
    applyHints(this, d);
}

bool TextEdit::inputMethodPredictionEnabled() const
{
    return d->prediction;
}

void TextEdit::setInputMethodPredictionEnabled(bool enabled)
{
    d->prediction = enabled;
    applyHints(this, d);
}

bool TextEdit::inputMethodAutoCapitalizationEnabled() const
{
    return d->autoCapitalization;
}

void TextEdit::setInputMethodAutoCapitalizationEnabled(bool enabled)
{
    d->autoCapitalization = enabled;
    applyHints(this, d);
}

Qt::Alignment TextEdit::textAlignment() const
{
    return d->lineEdit->alignment();
}

void TextEdit::setTextAlignment(Qt::Alignment alignment)
{
    d->lineEdit->setAlignment(alignment);
}

void TextEdit::setDefaultTextOption(const QTextOption& option)
{
    setTextAlignment(option.alignment());
}

QTextOption TextEdit::defaultTextOption() const
{
    QTextOption option(textAlignment());
    option.setWrapMode(QTextOption::NoWrap);
    return option;
}

int TextEdit::cursorPosition() const
{
    return d->lineEdit->cursorPosition();
}

void TextEdit::setCursorPosition(int position)
{
    d->lineEdit->setCursorPosition(position);
}

void TextEdit::setValidator(const QValidator* validator)
{
    d->lineEdit->setValidator(validator);
}

const QValidator* TextEdit::validator() const
{
    return d->lineEdit->validator();
}

void TextEdit::insert(const QString& text)
{
    d->lineEdit->insert(text);
}

void TextEdit::clear()
{
    d->lineEdit->clear();
}

void TextEdit::paste()
{
    d->lineEdit->paste();
}

void TextEdit::selectAll()
{
    d->lineEdit->selectAll();
}

bool TextEdit::hasFocus() const
{
    return d->lineEdit->hasFocus();
}

QLineEdit* TextEdit::lineEdit() const
{
    return d->lineEdit;
}

void TextEdit::styleChanged()
{
    const ThemeStyle& s = themeStyle();
    d->lineEdit->setFont(s.font);
    QPalette pal = d->lineEdit->palette();
    pal.setColor(QPalette::Base, Qt::transparent);
    pal.setColor(QPalette::Window, Qt::transparent);
    pal.setColor(QPalette::Text, s.foreground);
    pal.setColor(QPalette::WindowText, s.foreground);
    pal.setColor(QPalette::PlaceholderText, s.secondary);
    pal.setColor(QPalette::Disabled, QPalette::Text, s.secondary);
    pal.setColor(QPalette::Highlight, s.accent);
    pal.setColor(QPalette::HighlightedText, Qt::white);
    d->lineEdit->setPalette(pal);
    if (d->proxy)
        d->proxy->setGeometry(rect().marginsRemoved(s.padding));
    Widget::styleChanged();
}

QSizeF TextEdit::sizeHint(Qt::SizeHint which, const QSizeF& constraint) const
{
    if (which == Qt::MaximumSize || which == Qt::MinimumDescent)
        return QSizeF(QWIDGETSIZE_MAX, which == Qt::MaximumSize ? QWIDGETSIZE_MAX : -1);
    const ThemeStyle& s = themeStyle();
    const qreal padW = s.padding.left() + s.padding.right();
    const qreal padH = s.padding.top() + s.padding.bottom();
    const qreal lineH = QFontMetricsF(s.font).height() + 8;   // room for the cursor
    const qreal h = s.fixedHeight >= 0 ? s.fixedHeight : qMax(s.minimumHeight, lineH + padH);
    Q_UNUSED(constraint)
    return QSizeF((which == Qt::MinimumSize ? 64 : 240) + padW, h);
}

void TextEdit::resizeEvent(QGraphicsSceneResizeEvent* event)
{
    Widget::resizeEvent(event);
    if (d->proxy)
        d->proxy->setGeometry(QRectF(QPointF(0, 0), event->newSize()).marginsRemoved(themeStyle().padding));
}

void TextEdit::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    Widget::paint(painter, option, widget);
    const ThemeStyle& s = themeStyle();
    if (d->lineEdit->hasFocus() && !isReadOnly()) {
        // A focused field gets an accent frame so the user sees where typing goes.
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(s.accent, 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(rect().adjusted(1, 1, -1, -1), s.radius, s.radius);
        painter->restore();
    }
}

bool TextEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == d->lineEdit) {
        if (event->type() == QEvent::KeyPress) {
            d->returnTaken = false;
        } else if (event->type() == QEvent::FocusIn) {
            update();
            Q_EMIT gainedFocus(static_cast<QFocusEvent*>(event)->reason());
        } else if (event->type() == QEvent::FocusOut) {
            update();
            Q_EMIT lostFocus(static_cast<QFocusEvent*>(event)->reason());
        }
    }
    return Widget::eventFilter(watched, event);
}

void TextEdit::keyPressEvent(QKeyEvent* event)
{
    // The line edit lets Enter go on to the items around it, also when it
    // has just reported it.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && d->returnTaken) {
        d->returnTaken = false;
        event->accept();
        return;
    }
    d->returnTaken = false;
    Widget::keyPressEvent(event);
}

} // namespace Touch
