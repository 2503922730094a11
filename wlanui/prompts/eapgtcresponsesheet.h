#pragma once

#include "wlanui/wlanuiglobal.h"

#include "base/simplesheet.h"

namespace Velin {

class EapGtcResponseSheetPrivate;

/*!
 * Answers an EAP-GTC (generic token card) prompt: shows the message that the
 * authentication server sent and lets the user type the response, which is
 * shown as typed.  Connect is always enabled; an empty response can be
 * accepted.  Read response() after acceptance.
 */
class VELINWLANUI_EXPORT EapGtcResponseSheet : public SimpleSheet
{
    Q_OBJECT
    Q_PROPERTY(QString response READ response)
    Q_PROPERTY(QString connectionName READ connectionName WRITE setConnectionName)

public:
    explicit EapGtcResponseSheet(const QString& message);
    ~EapGtcResponseSheet() override;

    //! The response field's text, unchanged.
    QString response() const;

    //! Shown as the network row's label; empty until set.
    QString connectionName() const;
    void setConnectionName(const QString& name);

private:
    friend class EapGtcResponseSheetPrivate;
    EapGtcResponseSheetPrivate* const d;
};

} // namespace Velin
