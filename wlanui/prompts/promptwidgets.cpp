#include "wlanui/prompts/promptwidgets_p.h"

#include "base/connectionlistitem.h"
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

} // namespace PromptWidgets
} // namespace Velin
