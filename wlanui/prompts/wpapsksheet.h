#pragma once

#include "wlanui/wlanuiglobal.h"

#include "wlanui/prompts/easywlansheet.h"

namespace Velin {

class WpaPskSheetPrivate;

/*!
 * Asks for a WPA pre-shared key (a passphrase or 64 hexadecimal digits)
 * before connecting: the network as a display-only row, then one masked key
 * field.  Connect is disabled while the field is empty; accepting an
 * incomplete key shows why, keeps the sheet open and gives the focus back to
 * the field.  Enter in the field connects.
 *
 * The field is pre-filled from the key file when it has a line for the SSID
 * ("/usr/share/velin-wlan/wlankeys.txt", or $VELIN_WLAN_KEY_FILE), read each
 * time a sheet is built.
 */
class VELINWLANUI_EXPORT WpaPskSheet : public EasyWlanSheet
{
    Q_OBJECT

public:
    explicit WpaPskSheet(const QString& ssid);
    ~WpaPskSheet() override;

    //! The key as typed: not trimmed, case kept.  Read it after acceptance.
    QString wpaPsk() const;

    QList<Touch::Widget*> configurationWidgets() override;
    void done(bool result) override;

private:
    friend class WpaPskSheetPrivate;
    WpaPskSheetPrivate* const d;
};

} // namespace Velin
