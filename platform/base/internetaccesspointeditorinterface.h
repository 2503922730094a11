#pragma once

#include "base/baseglobal.h"

#include <QList>
#include <QObject>
#include <QString>

class QGraphicsWidget;
class InternetAccessPointEditorInterface;

// Declared before the class so that the class can list itself in
// Q_INTERFACES: qobject_cast to the interface then works for every editor,
// whether or not the editor repeats the declaration.
Q_DECLARE_INTERFACE(InternetAccessPointEditorInterface, "com.qorva.InternetAccessPointEditorInterface")

// What the connectivity framework needs from the editor of one access point.
class VELINBASE_EXPORT InternetAccessPointEditorInterface : public QObject
{
    Q_OBJECT
    Q_INTERFACES(InternetAccessPointEditorInterface)

public:
    // Results of validate() and validateAdvancedSettings().
    enum ValidationResult {
        Valid = 0,
        InvalidReported = 1, // invalid, and the user was told
        InvalidSilent = 2    // invalid, nothing shown
    };
    Q_ENUM(ValidationResult)

    explicit InternetAccessPointEditorInterface(QObject* parent = nullptr);
    ~InternetAccessPointEditorInterface() override;

    virtual QString editorTitle() = 0;
    virtual QGraphicsWidget* editorWidget(QGraphicsWidget* parent) const = 0;
    virtual QList<QGraphicsWidget*> advancedSettingsEditorWidgets(QGraphicsWidget* parent) const = 0;
    virtual int validate(bool silent, bool checkWepKeys) const = 0;
    virtual int validateAdvancedSettings(bool silent) const = 0;
    virtual bool mandatoryValuesProvided() const = 0;

public Q_SLOTS:
    virtual void saveChanges() = 0;

Q_SIGNALS:
    void mandatoryValuesProvidedChanged(bool provided);
    void forgetActivated();
    void advancedSettingsActivated();
};
