#include "base/propertyeditormanager.h"

#include "base/buttongroupcontainer.h"
#include "base/valuekeymapperif.h"
#include "touch/button.h"
#include "touch/combobox.h"
#include "touch/textedit.h"

#include <QAbstractItemModel>
#include <algorithm>
#include <QPointer>
#include <QStringListModel>

#include <memory>
#include <vector>

namespace Velin {

namespace {

enum class BindingKind {
    Text,       // text edit, value is the text
    TextBytes,  // text edit, value is the text as UTF-8 bytes
    Switch,     // checkable button, value is the checked state
    RowNumber,  // combo box, value is the current row
    Choice,     // combo box or button group, value is values[row]
    ModelRow,   // combo box over a model, value is the row's data in a column
    Mapper      // any editor, value and key chosen by a ValueKeyMapperIf
};

struct Binding
{
    QPointer<QGraphicsWidget> widget;
    const QObject *identity = nullptr;  // compared only; valid even while the widget dies
    BindingKind kind = BindingKind::Text;
    QString key;
    QList<QVariant> values;
    QPointer<QAbstractItemModel> model;
    int column = 0;
    ValueKeyMapperIf *mapper = nullptr;
    bool updating = false;  // the manager is writing into the editor
    QList<QMetaObject::Connection> connections;
};

// An absent value and an invalid entry mean the same thing: nothing chosen.
bool sameChoice(const QVariant &stored, const QVariant &entry)
{
    if (!stored.isValid() || !entry.isValid())
        return stored.isValid() == entry.isValid();
    return stored == entry;
}

// Change detection is strict so that 1 and "1" are different values.
bool identical(const QVariant &a, const QVariant &b)
{
    if (!a.isValid() || !b.isValid())
        return a.isValid() == b.isValid();
    return a.userType() == b.userType() && a == b;
}

class UpdateGuard
{
public:
    explicit UpdateGuard(Binding *binding) : m_binding(binding) { m_binding->updating = true; }
    ~UpdateGuard() { m_binding->updating = false; }

private:
    Binding *m_binding;
};

} // namespace

class PropertyEditorManagerPrivate
{
public:
    explicit PropertyEditorManagerPrivate(PropertyEditorManager *manager) : q(manager) {}

    PropertyEditorManager *const q;
    QMap<QString, QVariant> properties;
    std::vector<std::unique_ptr<Binding>> bindings;  // in binding order, most recent last
    int buttonGroupLimit = 0;

    bool store(const QString &key, const QVariant &value);
    Binding *bind(QGraphicsWidget *widget, BindingKind kind, const QString &key);
    void watchEditor(Binding *binding);
    void showValue(Binding *binding);
    void showMapperValue(Binding *binding);
    bool showsMapperValue(Binding *binding, Touch::TextEdit *edit, const QString &key, const QVariant &value,
                          const QString &text);
    void showKey(const QString &key, const Binding *except);
    void editorChanged(Binding *binding);
    QVariant editorValue(const Binding *binding) const;
    void removeBindingsOf(const QObject *widget);
    int rowForValue(const Binding *binding, const QVariant &value) const;
};

bool PropertyEditorManagerPrivate::store(const QString &key, const QVariant &value)
{
    const QVariant old = properties.value(key);
    if (value.isValid())
        properties.insert(key, value);
    else
        properties.remove(key);
    return !identical(old, value);
}

Binding *PropertyEditorManagerPrivate::bind(QGraphicsWidget *widget, BindingKind kind, const QString &key)
{
    removeBindingsOf(widget);
    auto binding = std::make_unique<Binding>();
    binding->widget = widget;
    binding->identity = widget;
    binding->kind = kind;
    binding->key = key;
    // Rows are rebuilt all the time: a dying editor must leave no binding behind.
    binding->connections << QObject::connect(widget, &QObject::destroyed, q,
                                             [this](QObject *gone) { removeBindingsOf(gone); });
    bindings.push_back(std::move(binding));
    return bindings.back().get();
}

void PropertyEditorManagerPrivate::removeBindingsOf(const QObject *widget)
{
    for (auto it = bindings.begin(); it != bindings.end();) {
        if ((*it)->identity == widget) {
            for (const auto &connection : qAsConst((*it)->connections))
                QObject::disconnect(connection);
            it = bindings.erase(it);
        } else {
            ++it;
        }
    }
}

void PropertyEditorManagerPrivate::watchEditor(Binding *binding)
{
    QGraphicsWidget *widget = binding->widget;
    auto changed = [this, binding]() { editorChanged(binding); };
    if (auto edit = qobject_cast<Touch::TextEdit *>(widget)) {
        binding->connections << QObject::connect(edit, &Touch::TextEdit::textChanged, q, changed);
    } else if (auto button = qobject_cast<Touch::Button *>(widget)) {
        binding->connections << QObject::connect(button, &Touch::Button::toggled, q, changed);
    } else if (auto combo = qobject_cast<Touch::ComboBox *>(widget)) {
        binding->connections << QObject::connect(combo, &Touch::ComboBox::currentIndexChanged, q, changed);
        // Picking the row already shown stores it too (it may only be shown).
        binding->connections << QObject::connect(combo, &Touch::ComboBox::activated, q, changed);
    } else if (auto group = qobject_cast<ButtonGroupContainer *>(widget)) {
        binding->connections << QObject::connect(group, &ButtonGroupContainer::buttonClicked, q, changed);
    }
    if (binding->kind == BindingKind::ModelRow && binding->model) {
        // A model that refills itself (a filter changed) keeps showing the stored value.
        auto reselect = [this, binding]() { showValue(binding); };
        QAbstractItemModel *model = binding->model;
        binding->connections << QObject::connect(model, &QAbstractItemModel::modelReset, q, reselect)
                             << QObject::connect(model, &QAbstractItemModel::rowsInserted, q, reselect)
                             << QObject::connect(model, &QAbstractItemModel::rowsRemoved, q, reselect)
                             << QObject::connect(model, &QAbstractItemModel::layoutChanged, q, reselect)
                             << QObject::connect(model, &QAbstractItemModel::dataChanged, q, reselect);
    }
}

int PropertyEditorManagerPrivate::rowForValue(const Binding *binding, const QVariant &value) const
{
    if (binding->kind == BindingKind::Choice) {
        // An absent value shows the first entry, as a new access point shows
        // its default choice; it is stored only when the user picks it.
        if (!value.isValid())
            return binding->values.isEmpty() ? -1 : 0;
        for (int row = 0; row < binding->values.size(); ++row) {
            if (sameChoice(value, binding->values.at(row)))
                return row;
        }
        return -1;
    }
    if (binding->kind == BindingKind::ModelRow && binding->model) {
        const QAbstractItemModel *model = binding->model;
        for (int row = 0; row < model->rowCount(); ++row) {
            if (sameChoice(value, model->index(row, binding->column).data(Qt::DisplayRole)))
                return row;
        }
    }
    return -1;
}

void PropertyEditorManagerPrivate::showValue(Binding *binding)
{
    QGraphicsWidget *widget = binding->widget;
    if (!widget || binding->updating)
        return;
    UpdateGuard guard(binding);
    const QVariant value = properties.value(binding->key);
    switch (binding->kind) {
    case BindingKind::Text:
    case BindingKind::TextBytes: {
        auto edit = static_cast<Touch::TextEdit *>(widget);
        const QString text = binding->kind == BindingKind::Text ? value.toString()
                                                                 : QString::fromUtf8(value.toByteArray());
        if (edit->text() != text)  // keeps the cursor where the user left it
            edit->setText(text);
        break;
    }
    case BindingKind::Switch:
        static_cast<Touch::Button *>(widget)->setChecked(value.toBool());
        break;
    case BindingKind::RowNumber:
        static_cast<Touch::ComboBox *>(widget)->setCurrentIndex(value.isValid() ? value.toInt() : -1);
        break;
    case BindingKind::Choice:
    case BindingKind::ModelRow: {
        const int row = rowForValue(binding, value);
        if (auto combo = qobject_cast<Touch::ComboBox *>(widget))
            combo->setCurrentIndex(row);
        else if (auto group = qobject_cast<ButtonGroupContainer *>(widget))
            group->setCheckedIndex(row);
        break;
    }
    case BindingKind::Mapper:
        break;  // showMapperValue(): only the mapper can tell which text gives the value
    }
}

bool PropertyEditorManagerPrivate::showsMapperValue(Binding *binding, Touch::TextEdit *edit, const QString &key,
                                                    const QVariant &value, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
    ValueKeyMapperIf *mapper = binding->mapper;
    return mapper->key() == key && identical(mapper->value(), value);
}

void PropertyEditorManagerPrivate::showMapperValue(Binding *binding)
{
    auto edit = qobject_cast<Touch::TextEdit *>(binding->widget.data());
    if (!edit || !binding->mapper || binding->updating)
        return;
    UpdateGuard guard(binding);
    ValueKeyMapperIf *mapper = binding->mapper;
    const QString original = edit->text();
    // The first of the mapper's keys that holds a value is what the edit shows.
    const QStringList keys = QStringList(mapper->key()) + mapper->invalidKeys();
    QString shownKey;
    QVariant value;
    for (const QString &key : keys) {
        value = properties.value(key);
        if (value.isValid()) {
            shownKey = key;
            break;
        }
    }
    if (shownKey.isEmpty()) {
        if (!original.isEmpty())
            edit->setText(QString());
        binding->key = mapper->key();
        return;
    }
    // A mapper turns text into a value one way only, so the manager tries the
    // texts a value can come from and keeps the one that gives it back.
    QStringList candidates;
    if (value.userType() == QMetaType::QByteArray) {
        // Raw key bytes are not tried as text: the edit's typing check would
        // refuse them, with a banner, before their hexadecimal form is tried.
        const QByteArray bytes = value.toByteArray();
        const bool printable = std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return c >= 0x20 && c < 0x7F; });
        if (printable)
            candidates << QString::fromLatin1(bytes);
        candidates << QString::fromLatin1(bytes.toHex());
    } else {
        candidates << value.toString();
    }
    for (const QString &text : qAsConst(candidates)) {
        if (showsMapperValue(binding, edit, shownKey, value, text)) {
            binding->key = shownKey;  // widgetForProperty() finds the edit under the key it now shows
            return;
        }
    }
    edit->setText(original);
    // The value itself may be a secret: name the key only.
    qWarning("PropertyEditorManager: the editor of \"%s\" cannot show its stored value; it keeps its text",
             qPrintable(shownKey));
}

void PropertyEditorManagerPrivate::showKey(const QString &key, const Binding *except)
{
    // Copy: showing a value may run user code that rebinds editors.
    QList<Binding *> targets;
    for (const auto &binding : bindings) {
        if (binding.get() == except)
            continue;
        if (binding->kind == BindingKind::Mapper) {
            // Either key of a mapper decides what its edit shows.
            if (binding->mapper && binding->widget
                && (binding->mapper->key() == key || binding->mapper->invalidKeys().contains(key)))
                targets << binding.get();
        } else if (binding->key == key) {
            targets << binding.get();
        }
    }
    for (Binding *binding : qAsConst(targets)) {
        const bool alive = std::any_of(bindings.cbegin(), bindings.cend(),
                                       [binding](const auto &b) { return b.get() == binding; });
        if (!alive)
            continue;
        if (binding->kind == BindingKind::Mapper)
            showMapperValue(binding);
        else
            showValue(binding);
    }
}

QVariant PropertyEditorManagerPrivate::editorValue(const Binding *binding) const
{
    QGraphicsWidget *widget = binding->widget;
    switch (binding->kind) {
    case BindingKind::Text:
        return static_cast<Touch::TextEdit *>(widget)->text();
    case BindingKind::TextBytes:
        return static_cast<Touch::TextEdit *>(widget)->text().toUtf8();
    case BindingKind::Switch:
        return static_cast<Touch::Button *>(widget)->isChecked();
    case BindingKind::RowNumber:
        return static_cast<Touch::ComboBox *>(widget)->currentIndex();
    case BindingKind::Choice: {
        int row = -1;
        if (auto combo = qobject_cast<Touch::ComboBox *>(widget))
            row = combo->currentIndex();
        else if (auto group = qobject_cast<ButtonGroupContainer *>(widget))
            row = group->checkedIndex();
        return binding->values.value(row);
    }
    case BindingKind::ModelRow: {
        const int row = static_cast<Touch::ComboBox *>(widget)->currentIndex();
        return binding->model ? binding->model->index(row, binding->column).data(Qt::DisplayRole) : QVariant();
    }
    case BindingKind::Mapper:
        return binding->mapper->value();
    }
    return QVariant();
}

void PropertyEditorManagerPrivate::editorChanged(Binding *binding)
{
    if (binding->updating || !binding->widget)
        return;

    if (binding->kind == BindingKind::Mapper) {
        const QString key = binding->mapper->key();
        // Kept for widgetForProperty(): pages replace their mappers on every
        // rebuild, so an old one may be gone while its edit still lives.
        binding->key = key;
        store(key, binding->mapper->value());
        const QStringList invalid = binding->mapper->invalidKeys();
        for (const QString &stale : invalid) {
            if (stale != key)
                properties.remove(stale);
        }
        showKey(key, binding);
        Q_EMIT q->propertyChanged(key);
        return;
    }

    // A combo box or group that lost its row (model emptied) chose nothing.
    if (binding->kind == BindingKind::Choice || binding->kind == BindingKind::ModelRow) {
        int row = -1;
        if (auto combo = qobject_cast<Touch::ComboBox *>(binding->widget.data()))
            row = combo->currentIndex();
        else if (auto group = qobject_cast<ButtonGroupContainer *>(binding->widget.data()))
            row = group->checkedIndex();
        if (row < 0)
            return;
    }

    const QString key = binding->key;
    if (!store(key, editorValue(binding)))
        return;
    showKey(key, binding);
    // Last: a receiver may rebuild the page and destroy this editor.
    Q_EMIT q->propertyChanged(key);
}

PropertyEditorManager::PropertyEditorManager(const QMap<QString, QVariant> &properties, QObject *parent)
    : QObject(parent)
    , d(new PropertyEditorManagerPrivate(this))
{
    for (auto it = properties.cbegin(); it != properties.cend(); ++it) {
        if (it.value().isValid())
            d->properties.insert(it.key(), it.value());
    }
}

PropertyEditorManager::~PropertyEditorManager()
{
    for (const auto &binding : d->bindings) {
        for (const auto &connection : qAsConst(binding->connections))
            disconnect(connection);
    }
    delete d;
}

QGraphicsWidget *PropertyEditorManager::createEditor(const QString &key, QVariant::Type type)
{
    QGraphicsWidget *editor = nullptr;
    switch (type) {
    case QVariant::String:
    case QVariant::ByteArray:
        editor = new Touch::TextEdit();
        break;
    case QVariant::Bool: {
        auto button = new Touch::Button();
        button->setCheckable(true);
        button->setViewType(QString::fromLatin1(Touch::Button::SwitchType));
        editor = button;
        break;
    }
    default:
        qWarning("PropertyEditorManager: no editor for property \"%s\" of type %s", qPrintable(key),
                 QVariant::typeToName(type));
        return nullptr;
    }
    bindEditor(editor, key, type);
    return editor;
}

QGraphicsWidget *PropertyEditorManager::createEditor(const QString &key, const QStringList &labels,
                                                     const QList<QVariant> &values)
{
    QStringList shown = labels;
    QList<QVariant> stored = values;
    if (labels.size() != values.size()) {
        qWarning("PropertyEditorManager: %d labels but %d values for property \"%s\"; extra entries dropped",
                 int(labels.size()), int(values.size()), qPrintable(key));
        const int count = qMin(labels.size(), values.size());
        shown = labels.mid(0, count);
        stored = values.mid(0, count);
    }

    QGraphicsWidget *editor = nullptr;
    if (shown.size() < d->buttonGroupLimit) {
        auto group = new ButtonGroupContainer();
        for (const QString &label : qAsConst(shown))
            group->addButton(new Touch::Button(label));
        editor = group;
    } else {
        auto combo = new Touch::ComboBox();
        combo->setStyleName(QStringLiteral("CommonComboBox"));
        combo->setItemModel(new QStringListModel(shown, combo));
        editor = combo;
    }

    Binding *binding = d->bind(editor, BindingKind::Choice, key);
    binding->values = stored;
    d->watchEditor(binding);
    d->showValue(binding);
    return editor;
}

bool PropertyEditorManager::bindEditor(QGraphicsWidget *widget, const QString &key, QVariant::Type type)
{
    if (!widget) {
        qWarning("PropertyEditorManager: cannot bind a null editor to \"%s\"", qPrintable(key));
        return false;
    }
    BindingKind kind;
    if (qobject_cast<Touch::TextEdit *>(widget) && (type == QVariant::String || type == QVariant::ByteArray)) {
        kind = type == QVariant::String ? BindingKind::Text : BindingKind::TextBytes;
    } else if (auto button = qobject_cast<Touch::Button *>(widget); button && type == QVariant::Bool) {
        button->setCheckable(true);
        kind = BindingKind::Switch;
    } else if (qobject_cast<Touch::ComboBox *>(widget) && type == QVariant::Int) {
        kind = BindingKind::RowNumber;
    } else {
        qWarning("PropertyEditorManager: a %s cannot edit property \"%s\" as %s", widget->metaObject()->className(),
                 qPrintable(key), QVariant::typeToName(type));
        return false;
    }
    Binding *binding = d->bind(widget, kind, key);
    d->watchEditor(binding);
    d->showValue(binding);
    return true;
}

bool PropertyEditorManager::bindEditor(QGraphicsWidget *widget, const QString &key, QAbstractItemModel *model,
                                       int column)
{
    auto combo = qobject_cast<Touch::ComboBox *>(widget);
    if (!combo || !model || column < 0) {
        qWarning("PropertyEditorManager: property \"%s\" needs a combo box and a model to bind", qPrintable(key));
        return false;
    }
    Binding *binding = d->bind(widget, BindingKind::ModelRow, key);
    binding->model = model;
    binding->column = column;
    if (combo->itemModel() != model) {
        UpdateGuard guard(binding);
        combo->setItemModel(model);
    }
    d->watchEditor(binding);
    d->showValue(binding);
    return true;
}

bool PropertyEditorManager::bindEditor(QGraphicsWidget *widget, ValueKeyMapperIf *mapper)
{
    if (!widget || !mapper) {
        qWarning("PropertyEditorManager: a mapper binding needs an editor and a mapper");
        return false;
    }
    Binding *binding = d->bind(widget, BindingKind::Mapper, mapper->key());
    binding->mapper = mapper;
    d->watchEditor(binding);
    return true;
}

void PropertyEditorManager::unbindEditor(QGraphicsWidget *widget)
{
    d->removeBindingsOf(widget);
}

QVariant PropertyEditorManager::propertyValue(const QString &key) const
{
    return d->properties.value(key);
}

void PropertyEditorManager::setPropertyValue(const QString &key, const QVariant &value)
{
    d->store(key, value);
}

void PropertyEditorManager::setPropertyValueWithNotification(const QString &key, const QVariant &value)
{
    d->store(key, value);
    d->showKey(key, nullptr);
    Q_EMIT propertyChanged(key);
}

QMap<QString, QVariant> PropertyEditorManager::properties() const
{
    return d->properties;
}

QGraphicsWidget *PropertyEditorManager::widgetForProperty(const QString &key) const
{
    for (auto it = d->bindings.crbegin(); it != d->bindings.crend(); ++it) {
        const Binding *binding = it->get();
        if (binding->widget && binding->key == key)
            return binding->widget;
    }
    return nullptr;
}

void PropertyEditorManager::setButtonGroupLimit(int limit)
{
    d->buttonGroupLimit = limit;
}

int PropertyEditorManager::buttonGroupLimit() const
{
    return d->buttonGroupLimit;
}

} // namespace Velin
