#pragma once

#include "base/internetaccesspointeditorinterface.h"

#include <QList>
#include <QString>

class QGraphicsWidget;

namespace Velin {

class InternetAccessPoint;
class PropertyEditorManager;
class WLANInternetAccessPointEditorPluginPrivate;

/*!
 * The editor of one saved (or new) WLAN access point, as the connectivity
 * framework gets it from WLANInternetAccessPointType::editor().
 *
 * The access point's properties are loaded into a PropertyEditorManager that
 * every page binds its editors to; the map goes back to the access point only
 * on saveChanges().  Leaving the advanced pages without saving puts the map
 * back as it was when they were built.
 */
class WlanInternetAccessPointEditorPlugin : public InternetAccessPointEditorInterface
{
    Q_OBJECT
    Q_INTERFACES(InternetAccessPointEditorInterface)
    Q_PROPERTY(bool mandatoryValuesProvided READ mandatoryValuesProvided)

public:
    //! \a iap is not owned and must outlive the editor.
    explicit WlanInternetAccessPointEditorPlugin(InternetAccessPoint* iap);
    ~WlanInternetAccessPointEditorPlugin() override;

    QString editorTitle() override;
    QGraphicsWidget* editorWidget(QGraphicsWidget* parent) const override;
    QList<QGraphicsWidget*> advancedSettingsEditorWidgets(QGraphicsWidget* parent) const override;
    //! 0 valid; 1 invalid, a banner shown and the field focused; 2 invalid and silent.
    int validate(bool silent, bool checkWepKeys) const override;
    int validateAdvancedSettings(bool silent) const override;
    bool mandatoryValuesProvided() const override;

    PropertyEditorManager* propertyManager() const;

public Q_SLOTS:
    void saveChanges() override;
    //! Keeps the mandatory flag current; always reports it.
    void managerPropertyChanged(QString property);
    void widgetDestroyed();
    void restorePropertyBackup();

private:
    friend class WLANInternetAccessPointEditorPluginPrivate;
    WLANInternetAccessPointEditorPluginPrivate* const d;
};

} // namespace Velin
