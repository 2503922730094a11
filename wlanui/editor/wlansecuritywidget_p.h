#pragma once

#include "wlanui/wlanuiglobal.h"

#include "wlanui/editor/wlansecuritywidget.h"

#include "wlanui/model/wlanwpaeap.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QAbstractItemModel;
class QStringListModel;

namespace Touch {
class ComboBox;
class Layout;
class LinearLayoutPolicy;
class Widget;
}

namespace Velin {

class PropertyEditorManager;
class PskPropertyMapper;
class SimpleFrame;
class WapiCertificateModel;
class WapiPresharedKeyTextEdit;
class WapiPskPropertyMapper;

/*!
 * The rows of the security section and the rules that rebuild them.
 *
 * Every row below the security combo box is in rowWidgets.  A rebuild takes
 * rows out of the layout, releases their bindings in the manager at once and
 * deletes them later (a row's editor may be the one whose change is being
 * reported), so a removed row is neither shown nor able to write a value.
 */
class VELINWLANUI_EXPORT WlanSecurityWidgetPrivate : public QObject
{
    Q_OBJECT

public:
    explicit WlanSecurityWidgetPrivate(WlanSecurityWidget* owner);
    ~WlanSecurityWidgetPrivate() override;

    WlanSecurityWidget* const q;
    // Not owned; guarded because the editor plug-in may drop it first.
    QPointer<PropertyEditorManager> manager;

    Touch::Layout* layout = nullptr;
    Touch::LinearLayoutPolicy* detailPolicy = nullptr;
    Touch::LinearLayoutPolicy* simplePolicy = nullptr;

    QPointer<Touch::ComboBox> securityComboBox;
    QPointer<Touch::ComboBox> eapTypeComboBox;
    QPointer<Touch::ComboBox> eapMethodComboBox;
    QPointer<Touch::ComboBox> certificateComboBox;

    QPointer<QAbstractItemModel> fullSecurityModel;
    QPointer<QStringListModel> adhocSecurityModel;
    bool adhoc = false;

    QList<Touch::Widget*> rowWidgets;
    QList<Touch::Widget*> keptWidgets;

    QString currentSecurity;
    QString currentEapType;
    QString currentEapMethod;
    WlanWpaEap eap;

    PskPropertyMapper* pskMapper = nullptr;          // owned
    WapiPskPropertyMapper* wapiPskMapper = nullptr;  // owned
    QPointer<WapiPresharedKeyTextEdit> wapiKeyEdit;
    QPointer<SimpleFrame> passwordFrame;
    bool passwordShown = false;

    QPointer<Touch::ComboBox> rootCertificateComboBox;
    QPointer<Touch::ComboBox> clientCertificateComboBox;
    QPointer<WapiCertificateModel> rootCertificateModel;    // child of this; outlives rebuilds
    QPointer<WapiCertificateModel> clientCertificateModel;  // child of this; outlives rebuilds

    void filterWidgets();
    void addWidget(Touch::Widget* widget);
    Touch::Widget* addSpacer();
    void wepDefaultKeyChanged(int defaultKey);

    void createOpenWidgets();
    void createWepWidgets(int defaultKey);
    void createWpaPskWidgets();
    void createWpaEapWidgets();
    void createCertificateWidgets();
    void createWpaEapMethodWidgets();
    void createUsernameWidgets(const QString& key);
    void createPromptWidgets();
    void createPasswordWidgets(const QString& key);
    void createWapiPskWidgets();
    void createWapiCertificateWidgets();
    void wpaEapTypeChanged(const QString& type);
    void wpaEapMethodChanged(const QString& method);

    //! Takes every row out and drops the mappers of the rows that went.
    void clearRows();
    //! Takes one row out of the layout, unbinds its editors and deletes it later.
    void disposeRow(Touch::Widget* row);
    //! Unbinds every editor of the rows and deletes the mappers (teardown).
    void releaseAll();

public Q_SLOTS:
    void securityModeChanged(const QString& security);
    void propertyChanged(const QString& property);
    void wapiKeyTypeChanged(int modelIndex);
    void promptPasswordChanged(bool value);
};

} // namespace Velin
