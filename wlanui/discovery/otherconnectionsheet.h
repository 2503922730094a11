#pragma once

#include "wlanui/wlanuiglobal.h"

#include "wlanui/prompts/easywlansheet.h"

namespace Velin {

class OtherConnectionSheetPrivate;

/*!
 * Asks for the SSID of a network that does not announce itself: one field
 * of at most 32 printable ASCII characters.  Connect is disabled while the
 * field is empty; Enter in an empty field explains, keeps the sheet open and
 * gives the focus back to the field.  Enter in a filled field connects.
 *
 * While the caller searches for the network, it shows the sheet's progress
 * indicator; after a failed search the sheet can be shown again with the
 * text still in it.
 */
class VELINWLANUI_EXPORT OtherConnectionSheet : public EasyWlanSheet
{
    Q_OBJECT
    // The typed SSID (the base's construction SSID is always empty here).
    Q_PROPERTY(QString ssid READ ssid)

public:
    OtherConnectionSheet();
    ~OtherConnectionSheet() override;

    //! The SSID as typed: not trimmed, case kept.
    QString ssid() const;

    QList<Touch::Widget*> configurationWidgets() override;
    void done(bool accepted) override;

private:
    friend class OtherConnectionSheetPrivate;
    OtherConnectionSheetPrivate* const d;
};

} // namespace Velin
