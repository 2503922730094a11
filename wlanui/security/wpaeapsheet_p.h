#pragma once

#include "wlanui/wlanuiglobal.h"

#include "wlanui/model/wlanwpaeap.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QGraphicsWidget;

namespace Touch {
class Button;
class LinearLayoutPolicy;
class TextEdit;
class Widget;
}

namespace Velin {

class CertificateModel;
class PropertyEditorManager;
class SimpleFrame;
class WpaEapSheet;

class VELINWLANUI_EXPORT WpaEapSheetPrivate : public QObject
{
    Q_OBJECT

public:
    explicit WpaEapSheetPrivate(WpaEapSheet* q);
    ~WpaEapSheetPrivate() override;

    // Appends to the sheet and remembers it, so that a type or method change
    // can take it out again.
    void addWidget(QGraphicsWidget* widget);

    WpaEapSheet* const q;
    PropertyEditorManager* manager = nullptr;
    // What this object added below the certificate combo box, in order.
    QList<QGraphicsWidget*> widgets;
    // Made on first need; its parent is the sheet.
    CertificateModel* certificateModel = nullptr;
    WlanWpaEap eap;
    // Editors of the current method; they belong to the method container
    // (the password edit to its frame).
    QPointer<Touch::TextEdit> userNameEdit;
    QPointer<Touch::Button> promptButton;
    QPointer<Touch::TextEdit> passwordEdit;
    // In the method container it dies with the container; out of every
    // layout it is ours to delete.
    QPointer<SimpleFrame> passwordFrame;
    // Owned by the container's layout: valid while the container lives.
    Touch::LinearLayoutPolicy* methodPolicy = nullptr;
    bool passwordFrameInLayout = false;
    QPointer<Touch::Widget> methodContainer;
    // The keys the current user-name and password editors are bound to.
    QString userKey;
    QString passwordKey;

public Q_SLOTS:
    void propertyChanged(const QString& key);
    void createTypeWidgets();
    void createMethodWidgets();
    void checkCredentials();
    void promptPasswordChanged(bool on);
};

} // namespace Velin
