#include "wlanui/prompts/promptwidgets_p.h"

#include "wlanui/prompts/wlankeyfile_p.h"

#include "base/connectionlistitem.h"
#include "base/simpleframe.h"
#include "base/simplesheet.h"
#include "touch/textedit.h"

namespace Velin {
namespace PromptWidgets {

ConnectionListItem* createNetworkItem(const QString& label, const QString& securityIcon)
{
    auto item = new ConnectionListItem(QStringLiteral("ImageCellSecurity"));
    item->setTypeImageName(QStringLiteral("icon-m-common-wlan"));
    item->setLabel(label);
    item->setSecurityImageName(securityIcon);
    item->setAcceptedMouseButtons(Qt::NoButton);
    return item;
}

Touch::Widget* createSpacer(const QString& styleName)
{
    auto spacer = new Touch::Widget;
    spacer->setStyleName(styleName);
    return spacer;
}

void disableInputMethodAssists(Touch::TextEdit* edit)
{
    edit->setInputMethodPredictionEnabled(false);
    edit->setInputMethodCorrectionEnabled(false);
    edit->setInputMethodAutoCapitalizationEnabled(false);
}

void finishKeyFrame(SimpleSheet* sheet, SimpleFrame* frame, Touch::TextEdit* edit, const QString& ssid)
{
    frame->setContent(edit);
    QString key;
    if (WlanKeyFile::findKey(ssid, &key))
        edit->insert(key);
    QObject::connect(edit, &Touch::TextEdit::returnPressed, sheet, &SimpleSheet::accept);
}

} // namespace PromptWidgets
} // namespace Velin
