#pragma once

#include "wlanui/editor/wlansecuritywidget.h"

#include <QObject>
#include <QString>

namespace Velin {

class PropertyEditorManager;

class WlanSecurityWidgetPrivate : public QObject
{
    Q_OBJECT

public:
    explicit WlanSecurityWidgetPrivate(WlanSecurityWidget* owner);
    ~WlanSecurityWidgetPrivate() override;

    WlanSecurityWidget* const q;
    PropertyEditorManager* manager = nullptr;
    QString currentSecurity = QStringLiteral("NONE");
    bool adhoc = false;
};

} // namespace Velin
