#pragma once

#include "base/baseglobal.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <QVariant>

class QAbstractItemModel;
class QGraphicsWidget;

namespace Velin {

class ValueKeyMapperIf;
class PropertyEditorManagerPrivate;

/*!
 * Holds an access point's property map and the editors bound to its keys.
 *
 * Every editor page is a set of toolkit widgets bound to keys here: an editor
 * shows the stored value and writes each change back, and the manager reports
 * the change with propertyChanged().  Updates that the manager makes to its
 * own editors never come back as changes.
 */
class VELINBASE_EXPORT PropertyEditorManager : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int buttonGroupLimit READ buttonGroupLimit WRITE setButtonGroupLimit)

public:
    explicit PropertyEditorManager(const QMap<QString, QVariant> &properties = QMap<QString, QVariant>(),
                                   QObject *parent = nullptr);
    ~PropertyEditorManager() override;

    /*!
     * A text edit for QVariant::String (the text is stored as a string) or
     * QVariant::ByteArray (stored as UTF-8 bytes), a checkable switch button
     * for QVariant::Bool.  Other types give null and a warning.  The editor
     * has no parent; the caller places it.
     */
    QGraphicsWidget *createEditor(const QString &key, QVariant::Type type);

    /*!
     * A choice between labels that store the matching values: a
     * ButtonGroupContainer when there are fewer entries than the button-group
     * limit, a combo box otherwise.  The stored value selects the entry that
     * holds it; a value that no entry holds selects nothing (index -1); an
     * absent value shows the first entry without storing it until chosen.
     */
    QGraphicsWidget *createEditor(const QString &key, const QStringList &labels, const QList<QVariant> &values);

    /*!
     * Binds an existing text edit (QVariant::String or QVariant::ByteArray),
     * button (QVariant::Bool) or combo box (QVariant::Int: the row number).
     * Binding a widget that is already bound replaces its old binding.
     */
    bool bindEditor(QGraphicsWidget *widget, const QString &key, QVariant::Type type);

    /*!
     * Binds a combo box to the rows of \a model: the chosen row's data in
     * \a column is stored, and a stored value selects the row that holds it.
     * Binding the same combo box again re-reads the model and the value.
     */
    bool bindEditor(QGraphicsWidget *widget, const QString &key, QAbstractItemModel *model, int column);

    /*!
     * On every change of \a widget, stores mapper->value() under
     * mapper->key(), removes mapper->invalidKeys() and reports mapper->key().
     * When one of the mapper's keys is stored with notification (or by
     * another editor), a text edit is given the text from which the mapper
     * gives the stored value back (the value as text, or a byte array's
     * hexadecimal digits); with none of its keys stored the edit is emptied.
     * The mapper is not owned; it is asked on those occasions, so it must
     * live as long as the binding (unbind the widget before deleting it).
     */
    bool bindEditor(QGraphicsWidget *widget, ValueKeyMapperIf *mapper);

    //! Drops every binding of \a widget; the widget keeps its content.
    void unbindEditor(QGraphicsWidget *widget);

    //! The stored value; an invalid variant when the key is absent.
    QVariant propertyValue(const QString &key) const;

    //! Stores silently: no signal, editors untouched.  Invalid removes the key.
    void setPropertyValue(const QString &key, const QVariant &value);

    //! Stores, shows the value in every editor bound to the key, emits propertyChanged(key).
    //! Invalid removes the key, and is announced the same way (editors show it as unset).
    void setPropertyValueWithNotification(const QString &key, const QVariant &value);

    QMap<QString, QVariant> properties() const;

    //! The live editor bound to \a key most recently, or null.
    QGraphicsWidget *widgetForProperty(const QString &key) const;

    //! Choice editors with fewer entries than \a limit become button groups.
    void setButtonGroupLimit(int limit);
    int buttonGroupLimit() const;

Q_SIGNALS:
    void propertyChanged(const QString &key);

private:
    friend class PropertyEditorManagerPrivate;
    PropertyEditorManagerPrivate *const d;
};

} // namespace Velin
